// TEMPORARY: the build and run commands until the build driver (build_driver.cpp) is part
// of the plug-in. Each writes one line saying it is not available yet. Delete this file
// when build_driver.cpp defines these four handlers.
#include "commands.h"
#include "output_panel.h"
#include "panel_texts.h"

void compileAndRunQiv() { reportFailure(commandUnavailableLine(L"编译+运行Qiv")); }
void compileQiv() { reportFailure(commandUnavailableLine(L"编译Qiv")); }
void runQiv() { reportFailure(commandUnavailableLine(L"运行Qiv")); }
void compileAndRunCpp() { reportFailure(commandUnavailableLine(L"C++编译+运行")); }
