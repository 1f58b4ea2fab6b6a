// Runs a program hidden, with its standard output and error captured, and waits for it.
// Used by the plug-in (to ask makepch.exe) and by makepch.exe (to run the compiler).
#ifndef QIV_RUN_HIDDEN_H
#define QIV_RUN_HIDDEN_H

#include <string>

// `command` is a whole command line; `environment` a wide environment block (double zero at
// its end), or empty for the caller's own; `directory` the program's current folder (empty:
// the caller's). `output` receives what the program printed (at most 64 KB). Returns the exit
// code, or -1 when the program could not be started. Several threads may run programs at once.
int runHidden(std::wstring command, std::wstring environment, std::string &output,
              const std::wstring &directory = std::wstring());

// Runs the program at `path` with one argument (or none), in the caller's environment.
int runTool(const std::wstring &path, const wchar_t *argument, std::string &output);

#endif
