// Pointing the user's desktop folder somewhere else for the host's lifetime, so that a
// plug-in saving "on the desktop" writes into a scratch folder: the per-user shell folder
// values in the registry are replaced, and restored when the host ends.
#ifndef QIV_HOST_DESKTOP_FOLDER_H
#define QIV_HOST_DESKTOP_FOLDER_H

#include <string>

bool overrideDesktopFolder(const std::wstring &folder);
void restoreDesktopFolder();

#endif
