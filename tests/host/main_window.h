// The stand-in host's main window: a File menu, the Plugins menu, a tab strip over each
// of the two editor views, and the docking area along the bottom.
#ifndef QIV_HOST_MAIN_WINDOW_H
#define QIV_HOST_MAIN_WINDOW_H

#include <windows.h>

#include <string>
#include <vector>

// Creates the main window, hidden, with its views and docking container.
HWND createMainWindow(const std::wstring &nppDir);
HWND mainWindow();
// The installation folder reported by NPPM_GETNPPDIRECTORY.
const std::wstring &installationFolder();
// Recomputes the position of every child from the client size.
void layoutMainWindow();
// Redraws the tab strips (document names, '*' for modified ones, hidden or shown).
void refreshTabStrips();
bool tabBarHidden();
void setTabBarHidden(bool hidden);
// Exit code of the message loop's end, set by the script's exit command.
void setExitCode(int code);
int exitCode();

#endif
