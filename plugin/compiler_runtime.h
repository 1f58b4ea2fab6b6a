// The runtime library before a dialect program's compile step: when g++.exe is not the file
// the installed logoLib.a was last checked with (another MinGW put in the editor's folder),
// the plug-in has N\Qiv\tools\makeruntime.exe fit the library to it first. Writes its own
// panel lines.
#ifndef QIV_PLUGIN_COMPILER_RUNTIME_H
#define QIV_PLUGIN_COMPILER_RUNTIME_H

#include "build_command_lines.h"

// False when the build must not go on: the library does not fit the compiler and could not
// be made to (the panel says why), or the compiler cannot build Windows programs.
bool prepareCompilerRuntime(const BuildNames &names);

#endif
