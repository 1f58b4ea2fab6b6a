// What the stand-in tools use of Wine's bridge to the Linux side: path translation and
// starting a Linux program. Found at run time; null where the program does not run in Wine.
#ifndef QIV_STANDINS_WINE_UNIX_H
#define QIV_STANDINS_WINE_UNIX_H

#include <windows.h>

#include <string>

// The Linux form of a Windows path (UTF-8); empty when Wine cannot translate it.
std::string unixFileName(const std::wstring &windowsPath);

// The Windows form of a Linux path; empty when Wine cannot translate it.
std::wstring dosFileName(const std::string &unixPath);

// Runs a Linux program with the given arguments (argv[0] is the program) and waits for it.
// Returns its exit status, or -1 when it could not be started or Wine is not there.
int spawnUnix(const char *const *argv);

// UTF-16 to UTF-8.
std::string utf8(const std::wstring &text);

#endif
