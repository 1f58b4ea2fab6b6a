// The two editor views of the stand-in host and the documents they show.
//
// A view is an edit control subclassed to answer the Scintilla messages the plug-in sends
// (SCI_SETTEXT, SCI_GOTOLINE, SCI_ENSUREVISIBLE, SCI_CHARRIGHT, SCI_GETCODEPAGE) and to
// read EM_REPLACESEL's text as bytes in the document's code page. The edit control holds
// the shown document's text (UTF-16, CR LF); a document's bytes are that text converted to
// its code page with its own line breaks (LF alone when it was given LF-only text).
#ifndef QIV_HOST_EDITOR_VIEWS_H
#define QIV_HOST_EDITOR_VIEWS_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

struct Document {
    std::wstring path;         // full path; empty while untitled
    int untitledNumber = 0;    // N of "new N" while untitled
    UINT codePage = CP_UTF8;   // CP_UTF8 (new documents) or CP_ACP: how SCI_* bytes are read
    UINT fileCodePage = 0;     // the code page the file is written in; 0: codePage
    int encoding = 4;          // what NPPM_GETBUFFERENCODING reports: 0 ANSI, 4 UTF-8
    int heldCodePage = 0;      // a detected file's code page (its character-set item checked)
    bool lfOnly = false;       // written with LF line breaks instead of CR LF
    bool modified = false;
    std::wstring parkedText;   // the text while another document of the view is shown
    DWORD parkedStart = 0, parkedEnd = 0;

    std::wstring displayName() const;  // file name, or "new N" while untitled
};

struct EditorView {
    HWND edit = nullptr;
    WNDPROC original = nullptr;
    std::vector<std::unique_ptr<Document>> documents;
    int active = -1;

    Document *current() { return active < 0 ? nullptr : documents[active].get(); }
};

constexpr int viewCount = 2;

// Creates both views as children of the main window; view 0 starts with "new 1".
void createEditorViews(HWND mainWindow);
EditorView &editorView(int index);
// The view the host treats as current (0 or 1), and switching it.
int currentViewIndex();
void setCurrentView(int index);
// The current view's shown document (null when the view has none).
Document *currentDocument();
// Index of the view whose edit control is `edit`, or -1.
int viewOfWindow(HWND edit);

// A new untitled document in `view`, made current there.
Document &newDocument(int view);
// Opens a file into `view` (its bytes kept, code page guessed); false with a reason.
// With `heldAsUtf8`, a file that is not UTF-8 is held the way the editor holds a file whose
// code page it detected (GBK): the view reads and gives UTF-8 bytes (SCI_GETCODEPAGE says
// 65001), the file is written back in the ANSI code page, the buffer encoding says UTF-8
// (4) and the character-set item of the code page is checked.
bool openDocument(int view, const std::wstring &path, std::wstring &error, bool heldAsUtf8 = false);
// Writes the shown document of `view` to `path`; unless `asCopy`, the document takes that
// path and is no longer modified.
bool saveDocumentAs(int view, const std::wstring &path, bool asCopy);

// The shown document's bytes as they would be saved.
std::string documentBytes(int view);
// Replaces the shown document's text by `bytes` read in its code page (SCI_SETTEXT).
void setDocumentBytes(int view, const std::string &bytes);
// Switches the shown document to the ANSI code page, keeping its characters (characters
// the code page lacks are lost when the file is written). Like the editor's command, it
// does nothing to a document held in a detected code page.
void setDocumentAnsi(int view);
// The code page the shown document's file is written in.
UINT fileCodePageOf(const Document &doc);

// Caret as 1-based line and column (column counted in characters; CR LF ends a line).
struct CaretPosition {
    int line;
    int column;
};
CaretPosition caretPosition(int view);
void placeCaret(int view, int line, int column);

// Called by the main window when a view's edit control reports a change.
void noteViewChanged(HWND edit);

#endif
