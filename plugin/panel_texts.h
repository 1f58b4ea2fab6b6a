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

// Building: the document was never saved and Save As was cancelled (or failed).
std::wstring unsavedDocumentLine();
// Running: no program file at `programPath` (empty while the document was never saved).
std::wstring noProgramToRunLine(const std::wstring &programPath);
// Running: the shell could not start the program at `programPath`.
std::wstring programStartFailedLine(const std::wstring &programPath);

// The document was converted from `fromEncoding` (e.g. L"UTF-8") to the ANSI code page.
std::wstring convertedToAnsiLine(const std::wstring &fromEncoding);
// A character on line `line` cannot be held by the ANSI code page: nothing converted or built.
std::wstring notConvertibleLine(int line, const std::u32string &character);
// The editor did not convert the document: nothing built.
std::wstring conversionFailedLine();

#endif
