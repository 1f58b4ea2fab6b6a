// editor_probe.exe: looks at the running editor from another process of the same Wine session
// and prints what it finds as UTF-8 lines, for scripts/real-editor-check.sh. It changes nothing
// except through the verbs that post a command or close a window.
//   editor_probe panel          the plug-in's docked output panel: visible?, rectangles, text
//   editor_probe caret          the visible view(s): caret line and column (1-based), position,
//                               code page, length, and the text from the caret to the line's
//                               end; the buffer's encoding; the editor's title
//   editor_probe dialogs        visible top-level dialogs (#32770) with their texts
//   editor_probe windows        visible top-level windows: class, title, process id
//   editor_probe command ID     posts WM_COMMAND ID to the editor (as its menu would)
//   editor_probe close-dialog   posts IDOK to the first visible dialog
//   editor_probe button ID      posts WM_COMMAND ID (2 cancel, 7 no) to the first visible dialog
//   editor_probe close CLASS    WM_CLOSE to the first visible top-level window of CLASS
//   editor_probe busy           does the editor answer WM_NULL within 300 ms?
// Exit code 0, or 1 when what the verb needs is not there, 2 for an unknown verb.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const std::wstring &w) {
    if (w.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

// One line of output per record: line ends and tabs inside a text are written as escapes.
std::string escaped(const std::wstring &w) {
    std::string out;
    for (char c : utf8(w)) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else out += c;
    }
    return out;
}

std::wstring className(HWND h) {
    wchar_t c[256] = {};
    GetClassNameW(h, c, 256);
    return c;
}

// A window's text by message (its thread must answer).
std::wstring windowText(HWND h) {
    const int n = static_cast<int>(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0));
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(h, WM_GETTEXT, static_cast<WPARAM>(n) + 1, reinterpret_cast<LPARAM>(&w[0]));
    w.resize(wcslen(w.c_str()));
    return w;
}

// A window's stored title without a message (its thread may be busy in a build).
std::wstring storedText(HWND h) {
    wchar_t t[512] = {};
    InternalGetWindowText(h, t, 511);
    return t;
}

HWND editor() { return FindWindowW(L"Notepad++", nullptr); }

// The output panel: the dialog titled 显示信息 whose edit control has the id 2501.
BOOL CALLBACK findPanel(HWND h, LPARAM out) {
    HWND edit = GetDlgItem(h, 2501);
    if (edit && className(edit) == L"Edit" && storedText(h) == L"显示信息") {
        *reinterpret_cast<HWND *>(out) = h;
        return FALSE;
    }
    EnumChildWindows(h, findPanel, out);  // containers inside containers
    return *reinterpret_cast<HWND *>(out) == nullptr;
}

HWND outputPanel(HWND npp) {
    HWND panel = nullptr;
    EnumChildWindows(npp, findPanel, reinterpret_cast<LPARAM>(&panel));
    if (!panel) EnumWindows(findPanel, reinterpret_cast<LPARAM>(&panel));  // a floating panel
    return panel;
}

int panelVerb() {
    HWND npp = editor();
    if (!npp) { printf("NO EDITOR WINDOW\n"); return 1; }
    HWND panel = outputPanel(npp);
    if (!panel) { printf("PANEL none\n"); return 0; }
    RECT r, er;
    GetWindowRect(panel, &r);
    HWND edit = GetDlgItem(panel, 2501);
    GetWindowRect(edit, &er);
    printf("PANEL visible=%d rect=%ld,%ld,%ld,%ld edit-rect=%ld,%ld,%ld,%ld\n", IsWindowVisible(panel) ? 1 : 0,
           r.left, r.top, r.right, r.bottom, er.left, er.top, er.right, er.bottom);
    const std::wstring text = windowText(edit);
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find(L"\r\n", start);
        printf("| %s\n", escaped(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start)).c_str());
        if (end == std::wstring::npos) break;
        start = end + 2;
    }
    return 0;
}

struct Views {
    HWND v[4];
    int n;
};

BOOL CALLBACK findViews(HWND h, LPARAM p) {
    Views *views = reinterpret_cast<Views *>(p);
    if (className(h) == L"Scintilla" && GetParent(h) == editor() && views->n < 4) views->v[views->n++] = h;
    return TRUE;
}

int caretVerb() {
    HWND npp = editor();
    if (!npp) { printf("NO EDITOR WINDOW\n"); return 1; }
    Views views = {};
    EnumChildWindows(npp, findViews, reinterpret_cast<LPARAM>(&views));
    for (int i = 0; i < views.n; ++i) {
        HWND v = views.v[i];
        if (!IsWindowVisible(v)) continue;
        const LRESULT pos = SendMessageW(v, 2008 /*SCI_GETCURRENTPOS*/, 0, 0);
        const LRESULT line = SendMessageW(v, 2166 /*SCI_LINEFROMPOSITION*/, pos, 0);
        const LRESULT column = SendMessageW(v, 2129 /*SCI_GETCOLUMN*/, pos, 0);
        const LRESULT codePage = SendMessageW(v, 2137 /*SCI_GETCODEPAGE*/, 0, 0);
        const LRESULT length = SendMessageW(v, 2006 /*SCI_GETLENGTH*/, 0, 0);
        printf("VIEW %d line=%ld column=%ld pos=%ld codepage=%ld length=%ld\n", i, static_cast<long>(line) + 1,
               static_cast<long>(column) + 1, static_cast<long>(pos), static_cast<long>(codePage),
               static_cast<long>(length));
        // The view's bytes can only be asked for one at a time from another process.
        std::string bytes;
        for (LRESULT at = pos; at < length && bytes.size() < 60; ++at) {
            const char c = static_cast<char>(SendMessageW(v, 2007 /*SCI_GETCHARAT*/, at, 0));
            if (c == '\r' || c == '\n') break;
            bytes += c;
        }
        const UINT page = codePage == 0 ? CP_ACP : static_cast<UINT>(codePage);
        const int n = MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring text(static_cast<size_t>(n), L'\0');
        if (n > 0) MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], n);
        printf("AT \"%s\"\n", escaped(text).c_str());
    }
    // The editor's own encoding of the document (0 ANSI, 4 UTF-8 and detected code pages).
    const LRESULT buffer = SendMessageW(npp, WM_USER + 1000 + 60, 0, 0);  // NPPM_GETCURRENTBUFFERID
    printf("BUFFER unicode-mode=%ld\n",
           static_cast<long>(SendMessageW(npp, WM_USER + 1000 + 66, buffer, 0)));  // NPPM_GETBUFFERENCODING
    printf("TITLE \"%s\"\n", escaped(storedText(npp)).c_str());
    return 0;
}

BOOL CALLBACK dialogTexts(HWND h, LPARAM p) {
    const std::wstring c = className(h);
    if (c == L"Static" || c == L"Button" || c == L"Edit") {
        const std::wstring t = windowText(h);
        if (!t.empty()) *reinterpret_cast<std::wstring *>(p) += L" | " + c + L":" + t;
    }
    return TRUE;
}

// mode 1: dialogs only
BOOL CALLBACK topWindows(HWND h, LPARAM mode) {
    if (!IsWindowVisible(h)) return TRUE;
    const std::wstring c = className(h);
    if (mode == 1 && c != L"#32770") return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    RECT r;
    GetWindowRect(h, &r);
    std::wstring texts;
    if (c == L"#32770") EnumChildWindows(h, dialogTexts, reinterpret_cast<LPARAM>(&texts));
    printf("WINDOW class=\"%s\" title=\"%s\" pid=%lu rect=%ld,%ld,%ld,%ld%s\n", escaped(c).c_str(),
           escaped(storedText(h)).c_str(), pid, r.left, r.top, r.right, r.bottom, escaped(texts).c_str());
    return TRUE;
}

HWND firstVisible(const wchar_t *cls) {
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, cls, nullptr)) != nullptr)
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

int dialogButton(int button) {
    HWND d = firstVisible(L"#32770");
    if (!d) { printf("NO DIALOG\n"); return 1; }
    printf("CLOSING \"%s\" with %d\n", escaped(storedText(d)).c_str(), button);
    PostMessageW(d, WM_COMMAND, static_cast<WPARAM>(button), 0);
    return 0;
}

int busyVerb() {
    HWND npp = editor();
    if (!npp) { printf("NO EDITOR WINDOW\n"); return 1; }
    DWORD_PTR result = 0;
    const DWORD t0 = GetTickCount();
    const LRESULT answered = SendMessageTimeoutW(npp, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 300, &result);
    printf("BUSY answered=%d ms=%lu\n", answered ? 1 : 0, static_cast<unsigned long>(GetTickCount() - t0));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc < 2) { printf("usage: editor_probe VERB [ARG]\n"); return 2; }
    // The editor runs inside Wine's desktop "npp" (explorer /desktop=npp,...): look there.
    if (HDESK desk = OpenDesktopW(L"npp", 0, FALSE, GENERIC_ALL)) SetThreadDesktop(desk);
    const std::wstring verb = argv[1];
    if (verb == L"panel") return panelVerb();
    if (verb == L"caret") return caretVerb();
    if (verb == L"dialogs") { EnumWindows(topWindows, 1); return 0; }
    if (verb == L"windows") { EnumWindows(topWindows, 0); return 0; }
    if (verb == L"busy") return busyVerb();
    if (verb == L"close-dialog") return dialogButton(IDOK);
    if (verb == L"button" && argc > 2) return dialogButton(_wtoi(argv[2]));
    if (verb == L"command" && argc > 2) {
        HWND npp = editor();
        if (!npp) { printf("NO EDITOR WINDOW\n"); return 1; }
        PostMessageW(npp, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[2])), 0);
        printf("POSTED WM_COMMAND %d\n", _wtoi(argv[2]));
        return 0;
    }
    if (verb == L"close" && argc > 2) {
        HWND w = firstVisible(argv[2]);
        if (!w) { printf("NO WINDOW\n"); return 1; }
        PostMessageW(w, WM_CLOSE, 0, 0);
        printf("CLOSED \"%s\"\n", escaped(storedText(w)).c_str());
        return 0;
    }
    printf("unknown verb\n");
    return 2;
}
