#include "main_window.h"

#include "docking_manager.h"
#include "editor_views.h"
#include "host_output.h"
#include "host_requests.h"
#include "plugin/host_messages.h"
#include "plugin_loader.h"
#include "script_runner.h"
#include "text_codec.h"

namespace {

// Notifications the editor sends to every plug-in's beNotified.
constexpr unsigned int NPPN_SHUTDOWN = 1009;
constexpr unsigned int NPPN_BEFORESHUTDOWN = 1019;

constexpr int tabStripHeight = 22;
constexpr int splitterHeight = 5;

HWND mainHwnd = nullptr;
HMENU mainMenu = nullptr;
bool keysFreed = false;

// The editor's own commands on the keys the plug-in uses, with the key each holds by
// default (virtual key and name).
struct EditorKeyCommand {
    int id;
    const wchar_t *text;
    WORD key;
    const wchar_t *keyName;
};
const EditorKeyCommand editorKeyCommands[] = {
    {IDM_VIEW_FULLSCREENTOGGLE, L"Toggle Full Screen Mode", VK_F11, L"F11"},
    {IDM_VIEW_POSTIT, L"Post-It", VK_F12, L"F12"},
    {IDM_VIEW_SWITCHTO_OTHER_VIEW, L"Focus on Another View", VK_F8, L"F8"},
    {IDM_ABOUT, L"About Notepad++", VK_F1, L"F1"},
};

bool isEditorKeyCommand(int id)
{
    for (const EditorKeyCommand &c : editorKeyCommands)
        if (c.id == id)
            return true;
    return false;
}

// The editor's menu item text: the key after a tab while the command holds it.
std::wstring editorItemText(const EditorKeyCommand &c)
{
    return keysFreed ? std::wstring(c.text) : std::wstring(c.text) + L"\t" + c.keyName;
}
HWND tabStrips[viewCount] = {};
std::wstring nppFolder;
bool tabsHidden = false;
int exitCodeValue = 0;
bool draggingSplitter = false;

bool viewInUse(int view)
{
    return !editorView(view).documents.empty() || currentViewIndex() == view;
}

std::wstring tabStripText(int view)
{
    EditorView &v = editorView(view);
    std::wstring text;
    for (size_t i = 0; i < v.documents.size(); ++i) {
        std::wstring name = v.documents[i]->displayName();
        if (v.documents[i]->modified)
            name += L"*";
        if ((int)i == v.active)
            name = L"[" + name + L"]";
        text += (i ? L"  " : L" ") + name;
    }
    return text;
}

// Top of the docking area's splitter, in client coordinates.
int splitterTop()
{
    RECT rc;
    GetClientRect(mainHwnd, &rc);
    return rc.bottom - visibleDockHeight() - splitterHeight;
}

void onCommand(WPARAM wParam, LPARAM lParam)
{
    HWND from = (HWND)lParam;
    int view = viewOfWindow(from);
    if (view >= 0) {
        if (HIWORD(wParam) == EN_CHANGE) {
            noteViewChanged(from);
            refreshTabStrips();
        } else if (HIWORD(wParam) == EN_SETFOCUS) {
            setCurrentView(view);
        }
        return;
    }
    int id = LOWORD(wParam);
    if (isEditorKeyCommand(id)) {
        printFormatted("editor-command: %d", id);
        return;
    }
    if (!runPluginCommand(id))
        runHostMenuCommand(id);
}

void shutDown()
{
    notifyPlugins(mainHwnd, NPPN_BEFORESHUTDOWN);
    notifyPlugins(mainHwnd, NPPN_SHUTDOWN);
    DestroyWindow(mainHwnd);
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = 0;
    if (answerHostRequest(message, wParam, lParam, answer))
        return answer;
    switch (message) {
    case WM_SIZE:
        layoutMainWindow();
        forwardToPlugins(message, wParam, lParam);
        return 0;
    case WM_MOVE:
        forwardToPlugins(message, wParam, lParam);
        return 0;
    case WM_COMMAND:
        onCommand(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        if (visibleDockHeight() > 0 && (short)HIWORD(lParam) >= splitterTop()) {
            draggingSplitter = true;
            SetCapture(hwnd);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (draggingSplitter) {
            RECT rc;
            GetClientRect(hwnd, &rc);
            setDockAreaHeight(rc.bottom - (short)HIWORD(lParam) - splitterHeight / 2);
        }
        return 0;
    case WM_LBUTTONUP:
        if (draggingSplitter) {
            draggingSplitter = false;
            ReleaseCapture();
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && (HWND)wParam == hwnd && visibleDockHeight() > 0) {
            SetCursor(LoadCursorW(nullptr, (LPCWSTR)IDC_SIZENS));
            return TRUE;
        }
        break;
    case WM_TIMER:
    case WM_APP_SCRIPT_STEP:
        onScriptMessage(message, wParam);
        return 0;
    case WM_CLOSE:
        shutDown();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(exitCodeValue);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND createMainWindow(const std::wstring &nppDir, bool editorKeysFreed)
{
    nppFolder = nppDir;
    keysFreed = editorKeysFreed;
    WNDCLASSW wc{};
    wc.lpfnWndProc = mainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, (LPCWSTR)IDI_APPLICATION);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"QivStandInEditorHost";
    RegisterClassW(&wc);

    HMENU menuBar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, IDM_FILE_NEW, L"&New");
    AppendMenuW(file, MF_STRING, IDM_FILE_OPEN, L"&Open...");
    AppendMenuW(file, MF_STRING, IDM_FILE_SAVE, L"&Save");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, IDM_FILE_EXIT, L"E&xit");
    AppendMenuW(menuBar, MF_POPUP, (UINT_PTR)file, L"&File");
    HMENU view = CreatePopupMenu();
    HMENU about = CreatePopupMenu();
    for (const EditorKeyCommand &c : editorKeyCommands)
        AppendMenuW(c.id == IDM_ABOUT ? about : view, MF_STRING, c.id, editorItemText(c).c_str());
    AppendMenuW(menuBar, MF_POPUP, (UINT_PTR)view, L"&View");
    // The encodings, and two of the character sets the editor detects files in.
    HMENU encoding = CreatePopupMenu();
    AppendMenuW(encoding, MF_STRING, IDM_FORMAT_ANSI, L"ANSI");
    AppendMenuW(encoding, MF_STRING, IDM_FORMAT_CONV2_ANSI, L"Convert to ANSI");
    HMENU chinese = CreatePopupMenu();
    AppendMenuW(chinese, MF_STRING, IDM_FORMAT_BIG5, L"Big5 (Traditional)");
    AppendMenuW(chinese, MF_STRING, IDM_FORMAT_GB2312, L"GB2312 (Simplified)");
    AppendMenuW(encoding, MF_POPUP, (UINT_PTR)chinese, L"Character sets: Chinese");
    AppendMenuW(menuBar, MF_POPUP, (UINT_PTR)encoding, L"&Encoding");
    AppendMenuW(menuBar, MF_POPUP, (UINT_PTR)about, L"&?");
    mainMenu = menuBar;

    mainHwnd = CreateWindowExW(0, wc.lpszClassName, L"Qiv stand-in editor host",
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 30, 900, 640, nullptr,
                               menuBar, wc.hInstance, nullptr);
    for (int i = 0; i < viewCount; ++i) {
        tabStrips[i] = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_CENTERIMAGE,
                                       0, 0, 10, 10, mainHwnd, nullptr, wc.hInstance, nullptr);
        SendMessageW(tabStrips[i], WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    }
    createEditorViews(mainHwnd);
    createDockContainer(mainHwnd);
    layoutMainWindow();
    refreshTabStrips();
    return mainHwnd;
}

HWND mainWindow() { return mainHwnd; }

std::vector<ACCEL> editorAccelerators()
{
    std::vector<ACCEL> accels;
    if (!keysFreed)
        for (const EditorKeyCommand &c : editorKeyCommands)
            accels.push_back(ACCEL{FVIRTKEY, c.key, (WORD)c.id});
    return accels;
}

HMENU currentMainMenu()
{
    // As the editor does on switching documents: the held code page's item is checked.
    Document *doc = currentViewIndex() < 0 ? nullptr : currentDocument();
    int held = doc ? doc->heldCodePage : 0;
    CheckMenuItem(mainMenu, IDM_FORMAT_GB2312, MF_BYCOMMAND | (held == 936 ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(mainMenu, IDM_FORMAT_BIG5, MF_BYCOMMAND | (held == 950 ? MF_CHECKED : MF_UNCHECKED));
    return mainMenu;
}
const std::wstring &installationFolder() { return nppFolder; }
bool tabBarHidden() { return tabsHidden; }

void setTabBarHidden(bool hidden)
{
    tabsHidden = hidden;
    layoutMainWindow();
}

void layoutMainWindow()
{
    if (!mainHwnd)
        return;
    RECT rc;
    GetClientRect(mainHwnd, &rc);
    int dock = visibleDockHeight();
    int editorsBottom = rc.bottom - (dock ? dock + splitterHeight : 0);
    int top = tabsHidden ? 0 : tabStripHeight;
    int shown = viewInUse(1) ? 2 : 1;
    int width = rc.right / shown;
    for (int i = 0; i < viewCount; ++i) {
        bool visible = i < shown;
        int x = i * width;
        MoveWindow(tabStrips[i], x, 0, width, tabStripHeight, TRUE);
        ShowWindow(tabStrips[i], visible && !tabsHidden ? SW_SHOW : SW_HIDE);
        MoveWindow(editorView(i).edit, x, top, width, editorsBottom - top, TRUE);
        ShowWindow(editorView(i).edit, visible ? SW_SHOW : SW_HIDE);
    }
    RECT area = {0, rc.bottom - dock, rc.right, rc.bottom};
    placeDockContainer(area);
}

void refreshTabStrips()
{
    for (int i = 0; i < viewCount; ++i)
        SetWindowTextW(tabStrips[i], tabStripText(i).c_str());
}

void setExitCode(int code) { exitCodeValue = code; }
int exitCode() { return exitCodeValue; }
