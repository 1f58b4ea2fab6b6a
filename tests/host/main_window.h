// The stand-in host's main window: File, View, Encoding and ? menus, the Plugins menu, a tab
// strip over each of the two editor views, and the docking area along the bottom.
//
// Like the editor, the host has commands of its own on F11 (full screen), F12 (post-it), F8
// (other view) and F1 (About), shown in its menus and first in its accelerator table, unless
// it is started with the keys freed (--editor-keys freed), as the installer leaves the
// editor. Running one of them prints "editor-command: ID".
#ifndef QIV_HOST_MAIN_WINDOW_H
#define QIV_HOST_MAIN_WINDOW_H

#include <windows.h>

#include <string>
#include <vector>

// Creates the main window, hidden, with its views and docking container.
HWND createMainWindow(const std::wstring &nppDir, bool editorKeysFreed);
// The editor's own key bindings, for the front of the accelerator table (none when freed).
std::vector<ACCEL> editorAccelerators();
// The main menu with the current document's character set checked (NPPM_GETMENUHANDLE).
HMENU currentMainMenu();
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
