// Answers the next dialog box the plug-in opens (its colour dialog, for instance), which
// blocks the user-interface thread until closed: a watcher thread finds the first visible
// top-level dialog of this process, optionally types a colour into the colour dialog's
// red, green and blue fields, and presses OK or Cancel.
#ifndef QIV_HOST_DIALOG_WATCHER_H
#define QIV_HOST_DIALOG_WATCHER_H

#include <windows.h>

#include <string>

enum class DialogAnswer { Cancel, Ok };

// Starts watching; gives up after `timeoutMs`. Returns false while a watcher still runs.
bool armDialogWatcher(DialogAnswer answer, bool setColour, COLORREF colour, DWORD timeoutMs);
// True once the watcher has finished; `result` tells what it did, e.g.
// `cancelled "Color"` or `none`.
bool dialogWatcherFinished(std::string &result);

#endif
