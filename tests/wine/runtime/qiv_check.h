// Self-checking Windows test programs for the runtime, in the manner of Wine's conformance
// tests: each check that fails prints where and what differed; the program ends with the
// number of failed checks as its exit code.
//
// A test is an ordinary student program (built with the plug-in's command lines). Its
// work_zq runs on the runtime's worker; a test that drives the window (menu commands, mouse,
// hot keys, several runs) starts a driver thread with qc_start_driver, which survives the
// runs and ends the process with qc_finish.
#ifndef QIV_CHECK_H
#define QIV_CHECK_H

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>

// Runtime globals a test may observe (defined in logoLib).
extern volatile bool _runing;
extern volatile bool _pauseOn;
extern volatile int _firstRun;
extern volatile int _mouseWhell;
extern HANDLE work_hand;
extern HMENU hMenubar, hMenu_TOOLS, hMenu_HELP;
extern HBITMAP _hbitmapRun, _hbitmapStop, _hbitmapPause, _hbitmapContinue;

static volatile LONG qc_checks = 0, qc_failures = 0;

static void qc_vreport(bool pass, const char* file, int line, const char* fmt, va_list args) {
    InterlockedIncrement(&qc_checks);
    if (pass) return;
    InterlockedIncrement(&qc_failures);
    const char* base = strrchr(file, '/');
    if (base == NULL) base = strrchr(file, '\\');
    printf("%s:%d: Test failed: ", base ? base + 1 : file, line);
    vprintf(fmt, args);
    printf("\n");
    fflush(stdout);
}

static inline void qc_ok(bool pass, const char* file, int line, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    qc_vreport(pass, file, line, fmt, args);
    va_end(args);
}

#define ok(cond, ...) qc_ok((cond), __FILE__, __LINE__, __VA_ARGS__)

// Prints the totals and ends the process: exit code 0 when every check passed.
static inline void qc_finish() {
    printf("%s: %ld checks, %ld passed, %ld failed\n", getCurName().c_str(), (long)qc_checks,
           (long)(qc_checks - qc_failures), (long)qc_failures);
    fflush(stdout);
    ExitProcess(qc_failures == 0 ? 0 : 1);
}

static DWORD WINAPI qc_watchdog_thread(LPVOID arg) {
    Sleep((DWORD)(ULONG_PTR)arg);
    printf("%s: watchdog: the test did not finish in %lu ms\n", getCurName().c_str(),
           (unsigned long)(ULONG_PTR)arg);
    fflush(stdout);
    ExitProcess(99);
    return 0;
}

// Ends the process with exit code 99 if the test is still running after ms milliseconds.
static inline void qc_watchdog(DWORD ms) {
    CloseHandle(CreateThread(NULL, 0, qc_watchdog_thread, (LPVOID)(ULONG_PTR)ms, 0, NULL));
}

static void (*qc_driver_body)();
static DWORD WINAPI qc_driver_thread(LPVOID) {
    qc_driver_body();
    qc_finish();
    return 0;
}

// Runs body on a thread of its own (outside every run), then qc_finish().
static inline void qc_start_driver(void (*body)()) {
    qc_driver_body = body;
    CloseHandle(CreateThread(NULL, 0, qc_driver_thread, NULL, 0, NULL));
}

// Polls cond every 5 ms until it holds or ms milliseconds pass; returns whether it held.
template <class Pred>
static bool qc_wait_for(Pred cond, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(5);
    }
    return true;
}

// The text of a window, in the ANSI code page.
static inline std::string qc_text(HWND hwnd) {
    const int n = GetWindowTextLengthA(hwnd);
    std::string s(n + 1, '\0');
    GetWindowTextA(hwnd, &s[0], n + 1);
    s.resize(strlen(s.c_str()));
    return s;
}

// A wide literal converted to the ANSI code page (GBK in the tests' Wine environment), so a
// test can write Chinese texts as L"..." and compare them with narrow window texts.
static inline std::string qc_ansi(const wchar_t* text) {
    char buf[1024];
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, buf, sizeof buf, NULL, NULL);
    return n > 0 ? std::string(buf) : std::string();
}

// Number of times needle occurs in haystack.
static inline int qc_count(const std::string& haystack, const std::string& needle) {
    int n = 0;
    for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++n;
    return n;
}

// Presses and releases Ctrl+<key> as the keyboard does (system-wide hot keys see it).
static inline bool qc_press_ctrl(char key) {
    INPUT in[4];
    ZeroMemory(in, sizeof in);
    for (int i = 0; i < 4; ++i) in[i].type = INPUT_KEYBOARD;
    in[0].ki.wVk = VK_CONTROL;
    in[1].ki.wVk = (WORD)key;
    in[2].ki.wVk = (WORD)key;
    in[2].ki.dwFlags = KEYEVENTF_KEYUP;
    in[3].ki.wVk = VK_CONTROL;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(4, in, sizeof(INPUT)) == 4;
}

// Sends a menu command to the main window, as a click on the menu bar does.
static inline void qc_command(int id) { SendMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// The menu bar item at a position: its command, face, text and whether it is greyed.
struct QcBarItem {
    UINT id;
    HBITMAP face;
    std::wstring text;
    bool disabled;
};
static inline QcBarItem qc_bar_item(int position) {
    wchar_t text[128] = {0};
    MENUITEMINFOW mii;
    ZeroMemory(&mii, sizeof mii);
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_BITMAP | MIIM_STRING | MIIM_STATE;
    mii.dwTypeData = text;
    mii.cch = 127;
    GetMenuItemInfoW(GetMenu(hwndMain), position, TRUE, &mii);
    QcBarItem item = {mii.wID, mii.hbmpItem, text, (mii.fState & MFS_DISABLED) != 0};
    return item;
}

// Waits until the Run/Stop button shows Run. A run that ends by itself turns the button back
// a moment after its worker is gone, and a press sent before that is a press of Stop.
static inline bool qc_wait_run_button(DWORD ms) {
    return qc_wait_for([] { return qc_bar_item(3).text == L"运行(&R)"; }, ms);
}

// Waits until the run has ended (worker gone, state Idle).
static inline bool qc_wait_idle(DWORD ms) {
    return qc_wait_for([] { return !_runing && (work_hand == NULL || WaitForSingleObject(work_hand, 0) == WAIT_OBJECT_0); }, ms);
}

// The pen selected into dc as a LOGPEN, also when it is an extended (geometric) pen: its
// style without the end and join bits, its width and colour.
static inline LOGPEN qc_device_pen(HDC dc) {
    LOGPEN lp;
    ZeroMemory(&lp, sizeof lp);
    const HGDIOBJ current = GetCurrentObject(dc, OBJ_PEN);
    if (GetObjectType(current) == OBJ_EXTPEN) {
        union {
            EXTLOGPEN pen;
            char room[sizeof(EXTLOGPEN) + 64 * sizeof(DWORD)];
        } ext;
        if (GetObject(current, sizeof ext, &ext) != 0) {
            lp.lopnStyle = ext.pen.elpPenStyle & PS_STYLE_MASK;
            lp.lopnWidth.x = (LONG)ext.pen.elpWidth;
            lp.lopnColor = ext.pen.elpColor;
        }
    } else {
        GetObject(current, sizeof lp, &lp);
    }
    return lp;
}

// The text of a message box: its first non-empty static label.
static inline std::string qc_box_text(HWND box) {
    HWND label = FindWindowExA(box, NULL, "Static", NULL);
    while (label != NULL && GetWindowTextLengthA(label) == 0) label = FindWindowExA(box, label, "Static", NULL);
    return label != NULL ? qc_text(label) : std::string();
}

// Watches for message boxes with a caption while a call that may raise them runs on this
// thread: every visible one is counted and closed with OK, the first one's text is kept.
//   QcBoxWatch watch(qc_ansi(L"..."));  call();  watch.stop();  then read boxes / firstText.
class QcBoxWatch {
public:
    explicit QcBoxWatch(const std::string& caption) : caption_(caption), done_(0), boxes(0) {
        thread_ = CreateThread(NULL, 0, run, this, 0, NULL);
    }
    ~QcBoxWatch() { stop(); }
    // Ends the watch; boxes still open at this moment are closed first.
    void stop() {
        if (thread_ == NULL) return;
        Sleep(50);
        InterlockedExchange(&done_, 1);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        thread_ = NULL;
    }

private:
    std::string caption_;
    volatile LONG done_;
    HANDLE thread_;
    static DWORD WINAPI run(LPVOID self) {
        QcBoxWatch& w = *static_cast<QcBoxWatch*>(self);
        for (;;) {
            const bool last = w.done_ != 0;
            HWND box = FindWindowExA(NULL, NULL, "#32770", w.caption_.c_str());
            if (box != NULL && IsWindowVisible(box)) {
                if (w.boxes++ == 0) w.firstText = qc_box_text(box);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                qc_wait_for([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000);
                continue;
            }
            if (last) return 0;
            Sleep(10);
        }
    }

public:
    int boxes;              // boxes seen and closed
    std::string firstText;  // the first box's text
};

#endif
