// The program's main window: entry point, window tree, menu bar with its run-control
// buttons, hot keys, the strip between canvas and output pane, and the window services a
// program calls (help, windows, openDilog, closeDilog, getCurName, getCurPath).
#include "runtime_internal.h"
#include "startup_marks.h"

#include "core/pen_geometry.h"
#include "core/window_layout.h"

Tlayout layout;
int _firstWindows = 1;
int _winLeft = 5, _winTop = 5, _winWidth = 960, _winHight = 750, _outWinSize = 60;
HMENU hMenubar = NULL, hMenu_TOOLS = NULL, hMenu_HELP = NULL;
HBITMAP _hbitmapRun = NULL, _hbitmapStop = NULL, _hbitmapPause = NULL, _hbitmapContinue = NULL;
const char _runchar[] = "运行(&R)";
const char _stopchar[] = "终止运行(&S)";
const char _pausechar[] = "暂停(&P)";
const char _continuechar[] = "继续运行(&C)";
string _aboutMessage =
    "Qiv 绘图编程 0.9.8.8\n\n"
    "用画笔 pen 在画布上作图，用 cout 输出文字，用 cin 输入数据。\n"
    "为初学编程的同学设计。";
string _helpMessage =
    "(1) 在绘图窗口内点击鼠标右键，\n     可重新定位坐标原点。\n\n"
    "(2) 在窗口内上下鼠标滚轮，可以\n     放大缩小绘图比例。\n\n"
    "(3) 窗口大小改动后，可点击运行\n     按钮重新运行程序绘制图形。\n\n"
    "(4) 快捷键：\n     Ctrl-q 退出\n     Ctrl_r 再次运行";
void (*openDilogFun)() = _emptyDilog;
void (*closeDilogFun)() = _emptyDilog;
WNDCLASSA myWinClass;

namespace {
// While a run goes on, the UI thread touches the canvas ten times a second. The worker draws
// through the run's own device context, and some display drivers (Wine's among them) put
// such drawing on the screen only when a device context of the window is next used or
// released; without this a program that draws and then waits (for input, for a time) could
// show an empty canvas. Reading one pixel through a device context of our own is enough
// and never meets the worker's.
const UINT_PTR kPresentTimer = 1;
const UINT kPresentMilliseconds = 100;
// What the program printed is shown in batches on this timer (console_output.cpp).
const UINT_PTR kOutputTimer = 2;
const UINT kOutputMilliseconds = 30;

void presentCanvas() {
    if (!_runing || hwndDraw == NULL) return;
    HDC dc = GetDC(hwndDraw);
    if (dc == NULL) return;
    GetPixel(dc, 0, 0);
    ReleaseDC(hwndDraw, dc);
}
}  // namespace

// ---------------------------------------------------------------------------------------
// Entry
// ---------------------------------------------------------------------------------------
double _startupMarks[kMarkCount];

void _markStartup(StartupMark mark) {
    if (_startupMarks[mark] != 0) return;
    FILETIME now, created, exited, kernel, user;
    GetSystemTimeAsFileTime(&now);
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
    ULARGE_INTEGER a, b;
    a.LowPart = now.dwLowDateTime;
    a.HighPart = now.dwHighDateTime;
    b.LowPart = created.dwLowDateTime;
    b.HighPart = created.dwHighDateTime;
    _startupMarks[mark] = static_cast<double>(a.QuadPart - b.QuadPart) / 10000.0;
}

#ifdef QIV_STATIC_THREADS
// The thread library linked from the runtime archive (static_threads.cpp).
extern void *const _qivStaticThreads[];
void *const *const volatile _qivStaticThreadsUsed = _qivStaticThreads;
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
    _markStartup(kMarkWinMain);
    _lpCmdLine = cmdLine;
    _hInstance = instance;
    _initAug();
    _markStartup(kMarkSettings);

    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "Qiv_ico");
    wc.hCursor = LoadCursor(NULL, IDC_SIZENS);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "Qiv";
    if (!RegisterClassA(&wc)) {
        MessageBoxA(NULL, "Window Registration Failed!", "Error!", MB_ICONEXCLAMATION | MB_OK);
        return 0;
    }
    layout.width = _winWidth;
    layout.height = _winHight;
    layout.outWinSize = _outWinSize;
    // A captured run is never shown: no window on the screen, no taskbar button, no focus.
    const DWORD shown = _captureMode() ? 0 : WS_VISIBLE;
    hwndMain = CreateWindowExA(0, "Qiv", getCurName().c_str(), WS_OVERLAPPEDWINDOW | shown,
                               _winLeft, _winTop, _winWidth, _winHight, NULL, NULL, instance, NULL);
    _markStartup(kMarkMainWindow);
    creat3Win(hwndMain);
    _markStartup(kMarkChildren);
    SetTimer(hwndMain, kPresentTimer, kPresentMilliseconds, NULL);
    SetTimer(hwndMain, kOutputTimer, kOutputMilliseconds, NULL);
    if (_captureMode()) _captureStart();  // no paint of a hidden canvas would start the run

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// ---------------------------------------------------------------------------------------
// Window tree
// ---------------------------------------------------------------------------------------
void creat3Win(HWND main) {
    // A captured run (a whole class, one after the other) leaves the user's keys alone.
    if (!_captureMode()) {
        RegisterHotKey(main, HOTKEY_RUN, MOD_CONTROL, 'R');
        RegisterHotKey(main, HOTKEY_QUIT, MOD_CONTROL, 'Q');
    }

    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(main, GWLP_HINSTANCE));
    ZeroMemory(&myWinClass, sizeof myWinClass);
    myWinClass.lpszClassName = "drawWin";
    myWinClass.lpfnWndProc = WndDrawProc;
    myWinClass.hInstance = instance;
    myWinClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    myWinClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    if (!RegisterClassA(&myWinClass)) {
        MessageBoxA(NULL, "Window Registration Failed!", "Error!", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    const int canvasHeight = layout.height - layout.outWinSize;
    hwndDraw = CreateWindowExA(0, "drawWin", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, layout.width,
                               canvasHeight, main, reinterpret_cast<HMENU>(ID_DRAW), instance, NULL);
    if (hwndDraw == NULL) {
        MessageBoxA(NULL, "Window Draw Failed!", "Error!", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    RECT rc;
    GetClientRect(hwndDraw, &rc);
    _pen.ox = rc.right / 2.0;
    _pen.oy = rc.bottom / 2.0;

    hwndOutput = CreateWindowExA(
        WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW, "edit", "",
        WS_CHILD | WS_VISIBLE | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY, 0,
        canvasHeight, layout.width, layout.outWinSize, main, reinterpret_cast<HMENU>(ID_OUTPUT), instance, NULL);
    _setFont(hwndOutput, "宋体", 12);
    _attachOutputPane();

    hwndInputCaption = CreateWindowExA(0, "static", "请输入", WS_CHILD, 0, 0, 450, 56, hwndOutput,
                                       reinterpret_cast<HMENU>(ID_INPUT_CAPTION), instance, NULL);
    _setFont(hwndInputCaption, "黑体", 14);

    // Both boxes scroll sideways rather than wrapping their line: wrapping a pasted line of
    // tens of kilobytes takes the edit control seconds to minutes, the window not answering.
    hwndInput = CreateWindowExA(0, "edit", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                10, 16, 400, 40, hwndInputCaption, reinterpret_cast<HMENU>(ID_INPUT), instance, NULL);
    _setFont(hwndInput, "黑体", 14);
    // No limit of its own on a typed or pasted line (the system's is 30,000 characters, cut
    // without a word): a line of any length reaches cin whole.
    SendMessageA(hwndInput, EM_SETLIMITTEXT, 0, 0);
    OldInputProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwndInput, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NewInputProc)));
    _win.hwndTwin = hwndInput;

    hwndEdit = CreateWindowExA(0, "edit", "", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 100, 0, 10,
                               10, hwndDraw, reinterpret_cast<HMENU>(ID_EDIT), instance, NULL);
    _setFont(hwndEdit, "黑体", 15);
    SendMessageA(hwndEdit, EM_SETLIMITTEXT, 0, 0);
    OldEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwndEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NewEditProc)));
    _editin.hwndTwin = hwndEdit;

    editDC = CreateCompatibleDC(_pen.hdc);
}

// ---------------------------------------------------------------------------------------
// Menu bar
// ---------------------------------------------------------------------------------------
void _str2wchar(const char* gbk, wchar_t* out, int outSize) {
    if (MultiByteToWideChar(CP_ACP, 0, gbk, -1, out, outSize) == 0 && outSize > 0) out[0] = 0;
}

namespace {

// Sets menu-bar item `position` to a button: command, caption and face (NULL: text only),
// enabled or greyed.
void setBarItem(int position, UINT command, const char* caption, HBITMAP face, bool enabled) {
    wchar_t text[64];
    _str2wchar(caption, text, 64);
    MENUITEMINFOW mii;
    ZeroMemory(&mii, sizeof mii);
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP | MIIM_STATE | MIIM_FTYPE;
    mii.fType = MFT_STRING;
    mii.fState = enabled ? MFS_ENABLED : MFS_DISABLED;
    mii.wID = command;
    mii.dwTypeData = text;
    mii.hbmpItem = face;
    SetMenuItemInfoW(hMenubar, position, TRUE, &mii);
}

HBITMAP loadFace(const char* name) {
    return static_cast<HBITMAP>(LoadImageA(_hInstance, name, IMAGE_BITMAP, 0, 0, LR_SHARED));
}

void appendW(HMENU menu, UINT flags, UINT_PTR id, const char* gbk) {
    wchar_t text[64];
    _str2wchar(gbk, text, 64);
    AppendMenuW(menu, flags, id, text);
}

}  // namespace

namespace {
// What the Run/Stop button shows, and so what a press of it means.
volatile bool g_buttonStops = false;
}  // namespace

void _showRunButton() {
    setBarItem(3, CMD_RUN_STOP, _runchar, _hbitmapRun, true);
    g_buttonStops = false;
}
void _showStopButton() {
    setBarItem(3, CMD_RUN_STOP, _stopchar, _hbitmapStop, true);
    g_buttonStops = true;
}
void _showPauseButton() { setBarItem(4, CMD_PAUSE, _pausechar, _hbitmapPause, true); }
void _showContinueButton() { setBarItem(4, CMD_PAUSE, _continuechar, _hbitmapContinue, true); }
void _clearPauseButton() { setBarItem(4, CMD_PAUSE, "", NULL, false); }

void AddMenus(HWND main) {
    _hbitmapRun = loadFace("run_bmp");
    _hbitmapStop = loadFace("stop_bmp");
    _hbitmapPause = loadFace("pause_bmp");
    _hbitmapContinue = loadFace("continue_bmp");
    hMenubar = CreateMenu();
    hMenu_TOOLS = CreateMenu();
    hMenu_HELP = CreateMenu();
    appendW(hMenubar, MF_STRING, CMD_QUIT, "退出");
    appendW(hMenu_TOOLS, MF_STRING, CMD_AXES, "画坐标轴");
    appendW(hMenu_TOOLS, MF_STRING, CMD_SAVE_PICTURE, "保存图形");
    appendW(hMenubar, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(hMenu_TOOLS), "工具");
    appendW(hMenu_HELP, MF_STRING, CMD_HELP, "帮助文档");
    appendW(hMenu_HELP, MF_STRING, CMD_ABOUT, "关于");
    appendW(hMenubar, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(hMenu_HELP), "帮助");
    appendW(hMenubar, MF_STRING, CMD_RUN_STOP, "运行");
    appendW(hMenubar, MF_STRING | MF_GRAYED, CMD_PAUSE, "");
    SetMenu(main, hMenubar);
}

void checkShowXY() {
    const UINT state = GetMenuState(hMenu_TOOLS, CMD_AXES, MF_BYCOMMAND);
    CheckMenuItem(hMenu_TOOLS, CMD_AXES, MF_BYCOMMAND | ((state & MF_CHECKED) ? MF_UNCHECKED : MF_CHECKED));
}

bool _axesChecked() { return (GetMenuState(hMenu_TOOLS, CMD_AXES, MF_BYCOMMAND) & MF_CHECKED) != 0; }

void helpAbout() { MessageBoxA(hwndMain, _aboutMessage.c_str(), "About Qiv", MB_OK); }
void helpText() { MessageBoxA(hwndMain, _helpMessage.c_str(), "操作简介", MB_OK); }

void _requestRun() {
    _firstRun = 1;
    InvalidateRect(hwndDraw, NULL, TRUE);
}

// ---------------------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------------------
Tlayout::Tlayout() : width(0), height(0), outWinSize(60) {}

int Tlayout::getLine1() { return height - outWinSize; }

void Tlayout::show4Win() {
    const qiv::ChildPlacement place = qiv::placeChildren(width, height, outWinSize);
    if (place.placeCanvas)
        SetWindowPos(hwndDraw, NULL, 0, 0, place.canvasWidth, place.canvasHeight, SWP_NOMOVE | SWP_NOZORDER);
    if (place.placeOutput)
        SetWindowPos(hwndOutput, NULL, 0, place.outputTop, place.outputWidth, place.outputHeight, SWP_NOZORDER);
}

// ---------------------------------------------------------------------------------------
// Main window procedure
// ---------------------------------------------------------------------------------------
namespace {

void onCommand(HWND hwnd, int command) {
    switch (command) {
    // The press does what the button showed: a Stop that arrives as the program ends by
    // itself stops nothing and starts nothing (the run flag is down a moment before the
    // button turns back into Run), and a Run that arrives as a run starts adds nothing.
    case CMD_RUN_STOP:
        if (g_buttonStops) {
            if (_runing) _stopRun();
        } else if (!_runing) {
            _requestRun();
        }
        break;
    case CMD_AXES:
        checkShowXY();
        _stopRun();
        _requestRun();
        break;
    case CMD_SAVE_PICTURE: _toolsSavePic(); break;
    case CMD_PAUSE:
        if (_pauseOn)
            pauseOff();
        else
            pause();
        break;
    case CMD_QUIT: SendMessageA(hwnd, WM_CLOSE, 0, 0); break;
    case CMD_HELP: helpText(); break;
    // While a stop waits for the worker it still answers the worker's messages; a panel
    // asked for in that moment is not opened (its loop would hold the stop until closed).
    case CMD_OPEN_DIALOG:
        if (!_stopInProgress()) openDilogFun();
        break;
    case CMD_ABOUT: helpAbout(); break;
    default: break;
    }
}

void confineCursorToStripRange(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    const qiv::RowRange rows = qiv::dragConfinement(client.bottom);
    POINT topLeft = {0, rows.top}, bottomRight = {client.right, rows.bottom};
    ClientToScreen(hwnd, &topLeft);
    ClientToScreen(hwnd, &bottomRight);
    RECT clip = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    ClipCursor(&clip);
}

}  // namespace

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static int fPrevLine = 0;
    switch (msg) {
    case WM_CREATE: AddMenus(hwnd); break;
    case WM_PAINT: layout.show4Win(); break;
    case WM_SIZE:
        layout.width = static_cast<short>(LOWORD(lParam));
        layout.height = static_cast<short>(HIWORD(lParam));
        if (!_runing) InvalidateRect(hwnd, NULL, TRUE);
        break;
    case WM_HELP: onCommand(hwnd, CMD_HELP); break;
    case WM_TIMER:
        if (wParam == kPresentTimer) presentCanvas();
        if (wParam == kOutputTimer) _showOutputOnTimer();
        return 0;
    case WM_MOUSEWHEEL:
        if (!_runing && _mouseWhell == 0) {
            const short delta = static_cast<short>(HIWORD(wParam));
            _pen.scale *= delta > 0 ? 1.2 : 0.8;
            _mouseWhell = 1;
            _requestRun();
        }
        break;
    case WM_LBUTTONDOWN: {
        const int y = static_cast<short>(HIWORD(lParam));
        if (fPrevLine == 0 && near_zq(y, layout.getLine1())) {
            fPrevLine = 1;
            SetCapture(hwnd);
            confineCursorToStripRange(hwnd);
        }
        break;
    }
    case WM_MOUSEMOVE:
        if ((wParam & MK_LBUTTON) && fPrevLine == 1) {
            const int y = static_cast<short>(HIWORD(lParam));
            layout.outWinSize = qiv::draggedOutputHeight(layout.outWinSize, layout.height, y);
            RECT dirty = {0, layout.getLine1() - 2, layout.width, layout.height};
            InvalidateRect(hwnd, &dirty, TRUE);
        }
        break;
    case WM_LBUTTONUP:
        if (fPrevLine == 1) {
            fPrevLine = 0;
            ClipCursor(NULL);
            ReleaseCapture();
            InvalidateRect(hwnd, NULL, TRUE);
        }
        break;
    case WM_HOTKEY:
        if (HIWORD(lParam) == 'Q')
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
        else if (HIWORD(lParam) == 'R' && !_runing)
            _requestRun();
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) onCommand(hwnd, LOWORD(wParam));
        break;
    case WM_CLOSE: _saveAug(); break;
    case WM_DESTROY:
        _saveAug();
        PostQuitMessage(0);
        break;
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// Services for programs (called on the worker)
// ---------------------------------------------------------------------------------------
bool near_zq(int a, int b) { return qiv::nearPixels(a, b); }

void help(string title, string about, string helpText) {
    _runtimeCheckpoint();
    SetWindowTextA(hwndMain, title.c_str());
    if (!about.empty()) _aboutMessage = about;
    if (!helpText.empty()) _helpMessage = helpText;
}

void windows(int canvasShare, int outputShare, int force) {
    _runtimeCheckpoint();
    if (force == 0 && _firstWindows == 0) return;
    _firstWindows = 0;
    layout.outWinSize = qiv::outputHeightForShares(layout.height, canvasShare, outputShare);
    SendMessageA(hwndMain, WM_PAINT, 0, 0);
}

void openDilog(void (*open)(), void (*close)()) {
    _runtimeCheckpoint();
    openDilogFun = open;
    if (close != NULL) closeDilogFun = close;
    // The panel runs its loop on the UI thread inside this call, and a stop comes through
    // that loop: the waiting worker holds nothing and may be ended at once.
    TblockedScope waiting;
    SendMessageA(hwndMain, WM_COMMAND, CMD_OPEN_DIALOG, 0);
}

void closeDilog() {
    _runtimeCheckpoint();
    closeDilogFun();
    closeDilogFun = _emptyDilog;
}

namespace {
string modulePath() {
    char path[MAX_PATH + 1] = {0};
    GetModuleFileNameA(NULL, path, MAX_PATH);
    return path;
}
}  // namespace

string getCurName() { return qiv::programTitle(modulePath()); }
string getCurPath() { return qiv::programFolder(modulePath()); }
