// Answers to the NPPM_* messages a plug-in sends to the host main window.
#ifndef QIV_HOST_HOST_REQUESTS_H
#define QIV_HOST_HOST_REQUESTS_H

#include <windows.h>

#include <string>
#include <vector>

// True when `message` is one of the host's requests; its answer is then in `result`.
bool answerHostRequest(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result);

// Windows registered with NPPM_MODELESSDIALOG, which the message loop routes keys to.
const std::vector<HWND> &modelessDialogs();

// Menu command ids the host understands through NPPM_MENUCOMMAND and its own File menu.
constexpr int IDM_FILE_OPEN = 41002;
constexpr int IDM_FILE_SAVE = 41006;
constexpr int IDM_FILE_EXIT = 41011;
// Runs one of the host's own menu commands; false when the id is not one of them.
bool runHostMenuCommand(int id);

// Saves the current document under its own path. An untitled document opens the Save As
// dialog, answered by the script's armed answer (saveAsDialogAnswer): saved under that
// path, or cancelled when none is armed. The host prints "save-as-dialog: ..." then.
bool saveCurrentDocument();

// The next Save As dialog's answer: a path, or empty for Cancel.
void setSaveAsDialogAnswer(const std::wstring &path);

#endif
