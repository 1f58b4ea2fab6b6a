// Lines the plug-in writes into its output panel when a command cannot do its work.
// The plug-in never shows a message box for a failure; these lines are its reports.
#ifndef QIV_PLUGIN_PANEL_TEXTS_H
#define QIV_PLUGIN_PANEL_TEXTS_H

#include <string>

#include "new_program.h"

// Every qiv_NN.cpp (or c++_NN.cpp) name in `folder` is taken; the new program is unsaved.
std::wstring noFreeNameLine(ProgramKind kind, const std::wstring &folder);
// The new program could not be written to `path`.
std::wstring saveFailedLine(const std::wstring &path);
// Neither the document's folder nor the desktop folder is known.
std::wstring noFolderLine();
// The host reports no current editor view: `what` names what was not done.
std::wstring noEditorViewLine(const std::wstring &what);
// The colour dialog could not be opened (not a cancel).
std::wstring colourDialogFailedLine();
// The shell could not open the sample folder / the help page at `path`.
std::wstring sampleFolderFailedLine(const std::wstring &path);
std::wstring helpFileFailedLine(const std::wstring &path);

#endif
