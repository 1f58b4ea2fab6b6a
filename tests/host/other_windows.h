// Windows of other programs, found by their title: the programs the plug-in starts (a
// built student program opens a top-level window titled with its name). Lets a script
// wait for such a window, read its edit controls and close it.
#ifndef QIV_HOST_OTHER_WINDOWS_H
#define QIV_HOST_OTHER_WINDOWS_H

#include <windows.h>

#include <string>
#include <vector>

// The visible top-level window whose title is exactly `title`, or null.
HWND findWindowTitled(const std::wstring &title);

// The texts of every edit control inside `window` (at any depth), in the order the system
// lists them. The texts are asked for with messages, so they are read from other processes
// too; a control that does not answer within a second gives an empty text.
std::vector<std::wstring> editTexts(HWND window);

#endif
