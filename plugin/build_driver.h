// The build and run driver: turns the document open in the editor into a running program.
// The command handlers (compileQiv, runQiv, compileAndRunQiv, compileAndRunCpp) are declared
// in commands.h; these are the steps they are made of.
#ifndef QIV_PLUGIN_BUILD_DRIVER_H
#define QIV_PLUGIN_BUILD_DRIVER_H

#include <windows.h>

#include <string>

#include "build_command_lines.h"

// The most a build step's output keeps of what its tool printed.
constexpr size_t capturedOutputLimit = 1090;

// Runs `command` hidden with its standard output and error captured through a pipe, with
// `environment` as its (narrow) environment block, and waits until the tool and everything
// it started have closed the pipe. `output` receives the first capturedOutputLimit bytes the
// tool printed (up to a zero byte), or the reason the tool could not be run. Returns 0 when
// the tool was started, 1 when it was not.
int runCaptured(const std::wstring &command, const std::string &environment, std::string &output);

// Ends leftover processes of the last build and deletes its object and program files.
// Returns 0 when they are gone, 1 when the build must stop (the reason is in the panel).
int deleteOldProgram();

// Hands `file` to the shell to open, starting in `directory`; false when the shell could not.
bool shellOpen(const std::wstring &file, const std::wstring &directory);

// Starts the built dialect program and writes the run line; the body of the run thread.
DWORD WINAPI runProgramThread(void *);

// Writes the hint for the first compiler message of `output` into the panel and moves the
// caret to the line and column it names (the column read in the built file `names` names).
void translateFirstMessage(const std::string &output, const BuildNames &names);

#endif
