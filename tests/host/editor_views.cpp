#include "editor_views.h"

#include <cstring>

#include "plugin/host_messages.h"
#include "text_codec.h"

namespace {

EditorView views[viewCount];
int currentView = 0;
int nextUntitled = 1;
bool settingTextQuietly = false;  // a document is being shown: not a user change

std::wstring shownText(const EditorView &v)
{
    int n = GetWindowTextLengthW(v.edit);
    std::wstring text(n + 1, L'\0');
    GetWindowTextW(v.edit, &text[0], n + 1);
    text.resize(n);
    return text;
}

void showText(EditorView &v, const std::wstring &crlfText)
{
    settingTextQuietly = true;
    SetWindowTextW(v.edit, crlfText.c_str());
    settingTextQuietly = false;
}

DWORD caretOffset(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    return end;
}

void moveCaretTo(HWND edit, DWORD offset)
{
    SendMessageW(edit, EM_SETSEL, offset, offset);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

// Puts the view's shown document aside so that another one can be shown.
void parkShownDocument(EditorView &v)
{
    Document *doc = v.current();
    if (!doc)
        return;
    doc->parkedText = shownText(v);
    SendMessageW(v.edit, EM_GETSEL, (WPARAM)&doc->parkedStart, (LPARAM)&doc->parkedEnd);
}

// Scintilla's SCI_GOTOLINE: caret at the start of the line, past the end for a line
// beyond the last one, scrolled into view.
void gotoLine(EditorView &v, WPARAM line)
{
    int count = (int)SendMessageW(v.edit, EM_GETLINECOUNT, 0, 0);
    DWORD offset;
    if ((INT_PTR)line < 0)
        offset = 0;
    else if ((int)line >= count)
        offset = GetWindowTextLengthW(v.edit);
    else
        offset = (DWORD)SendMessageW(v.edit, EM_LINEINDEX, line, 0);
    moveCaretTo(v.edit, offset);
}

// Scintilla's SCI_CHARRIGHT: one character right, a line break counting as one.
void charRight(EditorView &v)
{
    std::wstring text = shownText(v);
    DWORD offset = caretOffset(v.edit);
    if (offset + 1 < text.size() && text[offset] == L'\r' && text[offset + 1] == L'\n')
        offset += 2;
    else if (offset < text.size())
        offset += 1;
    moveCaretTo(v.edit, offset);
}

void replaceSelection(EditorView &v, WPARAM canUndo, const char *bytes)
{
    Document *doc = v.current();
    if (!doc || !bytes)
        return;
    std::wstring text = lfToCrlf(decodeText(bytes, doc->codePage));
    CallWindowProcW(v.original, v.edit, EM_REPLACESEL, canUndo ? TRUE : FALSE,
                    (LPARAM)text.c_str());
}

LRESULT CALLBACK viewProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    int index = viewOfWindow(edit);
    EditorView &v = views[index];
    switch (message) {
    case SCI_SETTEXT:
        setDocumentBytes(index, lParam ? (const char *)lParam : "");
        return 0;
    case SCI_GOTOLINE:
        gotoLine(v, wParam);
        return 0;
    case SCI_ENSUREVISIBLE:  // nothing is ever folded in an edit control
        return 0;
    case SCI_CHARRIGHT:
        charRight(v);
        return 0;
    case SCI_GETCODEPAGE:
        return v.current() && v.current()->codePage == CP_UTF8 ? CP_UTF8 : GetACP();
    case SCI_GETLENGTH:
    case SCI_GETTEXT: {
        // The text as the view holds it: bytes in its code page, the document's line breaks.
        Document *doc = v.current();
        std::string bytes;
        if (doc) {
            std::wstring text = shownText(v);
            bytes = encodeText(doc->lfOnly ? crlfToLf(text) : text, doc->codePage);
        }
        if (message == SCI_GETLENGTH)
            return (LRESULT)bytes.size();
        // At most wParam bytes and a terminator, as Scintilla copies them.
        if (!lParam || wParam == 0)
            return (LRESULT)bytes.size();
        size_t n = bytes.size() < wParam ? bytes.size() : wParam - 1;
        memcpy((char *)lParam, bytes.data(), n);
        ((char *)lParam)[n] = '\0';
        return (LRESULT)n;
    }
    case EM_REPLACESEL:
        replaceSelection(v, wParam, (const char *)lParam);
        return 0;
    }
    return CallWindowProcW(v.original, edit, message, wParam, lParam);
}

}  // namespace

std::wstring Document::displayName() const
{
    return path.empty() ? L"new " + std::to_wstring(untitledNumber) : fileNameOf(path);
}

void createEditorViews(HWND mainWindow)
{
    HFONT font = CreateFontW(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                             FIXED_PITCH | FF_MODERN, L"NSimSun");
    for (int i = 0; i < viewCount; ++i) {
        EditorView &v = views[i];
        v.edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                 WS_CHILD | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                     ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL |
                                     ES_WANTRETURN,
                                 0, 0, 10, 10, mainWindow, (HMENU)(INT_PTR)(100 + i),
                                 GetModuleHandleW(nullptr), nullptr);
        SendMessageW(v.edit, WM_SETFONT, (WPARAM)font, FALSE);
        SendMessageW(v.edit, EM_SETLIMITTEXT, 0, 0);
        v.original = (WNDPROC)SetWindowLongPtrW(v.edit, GWLP_WNDPROC, (LONG_PTR)viewProc);
    }
    newDocument(0);
}

EditorView &editorView(int index) { return views[index]; }
int currentViewIndex() { return currentView; }
void setCurrentView(int index) { currentView = index; }
Document *currentDocument() { return views[currentView].current(); }

int viewOfWindow(HWND edit)
{
    for (int i = 0; i < viewCount; ++i)
        if (views[i].edit == edit)
            return i;
    return -1;
}

Document &newDocument(int view)
{
    EditorView &v = views[view];
    parkShownDocument(v);
    auto doc = std::make_unique<Document>();
    doc->untitledNumber = nextUntitled++;
    v.documents.push_back(std::move(doc));
    v.active = (int)v.documents.size() - 1;
    showText(v, L"");
    return *v.current();
}

bool openDocument(int view, const std::wstring &path, std::wstring &error, bool heldAsUtf8)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = L"cannot open " + path;
        return false;
    }
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);

    EditorView &v = views[view];
    parkShownDocument(v);
    auto doc = std::make_unique<Document>();
    doc->path = path;
    doc->codePage = looksLikeUtf8(bytes) ? CP_UTF8 : CP_ACP;
    doc->encoding = doc->codePage == CP_UTF8 ? 4 : 0;
    if (heldAsUtf8 && doc->codePage == CP_ACP) {
        doc->codePage = CP_UTF8;
        doc->fileCodePage = GetACP();  // not CP_ACP, which is 0: "the view's code page"
        doc->encoding = 4;
        doc->heldCodePage = (int)GetACP();
    }
    doc->lfOnly = bytes.find('\n') != std::string::npos && bytes.find("\r\n") == std::string::npos;
    v.documents.push_back(std::move(doc));
    v.active = (int)v.documents.size() - 1;
    showText(v, lfToCrlf(decodeText(bytes, fileCodePageOf(*v.current()))));
    return true;
}

std::string documentBytes(int view)
{
    EditorView &v = views[view];
    Document *doc = v.current();
    if (!doc)
        return std::string();
    std::wstring text = shownText(v);
    return encodeText(doc->lfOnly ? crlfToLf(text) : text, fileCodePageOf(*doc));
}

UINT fileCodePageOf(const Document &doc)
{
    return doc.fileCodePage ? doc.fileCodePage : doc.codePage;
}

bool saveDocumentAs(int view, const std::wstring &path, bool asCopy)
{
    Document *doc = views[view].current();
    if (!doc || path.empty())
        return false;
    std::string bytes = documentBytes(view);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(file);
    if (ok && !asCopy) {
        doc->path = path;
        doc->modified = false;
    }
    return ok;
}

void setDocumentBytes(int view, const std::string &bytes)
{
    EditorView &v = views[view];
    Document *doc = v.current();
    if (!doc)
        return;
    std::wstring text = decodeText(bytes, doc->codePage);
    if (text.find(L'\n') != std::wstring::npos)
        doc->lfOnly = text.find(L"\r\n") == std::wstring::npos;
    SetWindowTextW(v.edit, lfToCrlf(text).c_str());
    moveCaretTo(v.edit, 0);
    doc->modified = true;
}

void setDocumentAnsi(int view)
{
    if (Document *doc = views[view].current()) {
        if (doc->heldCodePage != 0)
            return;
        doc->codePage = CP_ACP;
        doc->fileCodePage = 0;
        doc->encoding = 0;
    }
}

CaretPosition caretPosition(int view)
{
    HWND edit = views[view].edit;
    DWORD offset = caretOffset(edit);
    int line = (int)SendMessageW(edit, EM_LINEFROMCHAR, offset, 0);
    int start = (int)SendMessageW(edit, EM_LINEINDEX, line, 0);
    return CaretPosition{line + 1, (int)offset - start + 1};
}

void placeCaret(int view, int line, int column)
{
    EditorView &v = views[view];
    gotoLine(v, line - 1);
    DWORD offset = caretOffset(v.edit) + (column > 1 ? column - 1 : 0);
    moveCaretTo(v.edit, offset);
}

void noteViewChanged(HWND edit)
{
    int index = viewOfWindow(edit);
    if (index < 0 || settingTextQuietly)
        return;
    if (Document *doc = views[index].current())
        doc->modified = true;
}
