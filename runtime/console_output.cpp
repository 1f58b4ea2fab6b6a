// The output pane behind cout, and the console's two small services, _setFont and
// _emptyDilog.
//
// Printing costs the program almost nothing: an insertion is formatted and queued, and the
// UI thread shows the queue in batches, every 30 ms from a timer (less often while showing
// a batch takes long, so the window keeps answering), and at once whenever the program
// waits or asks the UI thread for anything (cin, wait, pause, message boxes, the panel),
// when a run ends or stops, when the queue grows large, when anything reads the pane's text,
// and when the program crashes. A model of the pane (core/pane_model) applies each
// insertion by the pane's rule, so a batch reads exactly as the insertions shown one by one
// would: same text, same order, the oldest whole lines dropped at the limit. New text
// always goes to the end, wherever the caret was left.
#include "core/output_text.h"
#include "core/pane_model.h"
#include "runtime_internal.h"

#include <vector>

namespace {
// The formatter is shared by the worker (the program's output) and the UI thread (the end
// banner of a stopped run); one of them uses it at a time, from emptying it to queueing.
CRITICAL_SECTION g_outputLock;
// The queue of insertions not yet in the pane, filled by either thread, emptied by the UI.
CRITICAL_SECTION g_queueLock;
struct OutputLockInit {
    OutputLockInit() {
        InitializeCriticalSection(&g_outputLock);
        InitializeCriticalSection(&g_queueLock);
    }
} g_outputLockInit;
std::vector<string> g_queued;
size_t g_queuedBytes = 0;
volatile LONG g_queueFilled = 0;
// Set while a thread is inside the queue: the worker must not be suspended there, or the UI
// thread would wait for the queue for ever.
volatile LONG g_inQueue = 0;
// More than this queued: the worker waits until it is shown. Small enough that showing one
// batch never keeps the window from answering for long (a Stop, a Run, a click).
const size_t kQueueBytesShownAtOnce = 32 * 1024;

// UI thread only: what the pane holds, and when the timer may show the next batch.
qiv::PaneModel g_pane;
DWORD g_nextTimedShow = 0;
bool g_showing = false;
const DWORD kShowEveryMs = 30;

// Messages of the pane's own procedure.
const UINT kShowQueued = WM_APP + 0x60;
const UINT kEmptyPane = WM_APP + 0x61;
WNDPROC g_paneProc = NULL;

// A caret position past any text: the pane puts it at the end.
const WPARAM kEnd = 0x7FFFFFFE;

// The control's own limit lies well above the pane's, which is kept by the model.
void raisePaneLimit() { SendMessageA(hwndOutput, EM_SETLIMITTEXT, static_cast<WPARAM>(2 * qiv::kPaneLimit), 0); }

// The thread that made the pane (the UI thread); asked on every insertion, so kept.
DWORD g_paneThread = 0;
bool onUiThread() { return g_paneThread != 0 && g_paneThread == GetCurrentThreadId(); }

// Lines of the pane's font that its client area shows (at least one); a line counts when
// three quarters of it show (the bottom of a line's cell is blank below the characters).
// The pane of the usual window shows two lines and eleven twelfths of a third.
LRESULT visibleLines() {
    RECT client;
    GetClientRect(hwndOutput, &client);
    HDC dc = GetDC(hwndOutput);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwndOutput, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics;
    const bool measured = GetTextMetricsA(dc, &metrics) && metrics.tmHeight > 0;
    SelectObject(dc, old);
    ReleaseDC(hwndOutput, dc);
    const LRESULT lines = measured ? (client.bottom + metrics.tmHeight / 4) / metrics.tmHeight : 1;
    return lines > 0 ? lines : 1;
}

// Follows the end of the text. After a line break (as after every end banner) the last line
// of the pane is empty: the view ends on the line above it, so that the pane's few visible
// lines show the program's last words, not an empty line.
void scrollToEnd() {
    SendMessageA(hwndOutput, EM_SETSEL, kEnd, kEnd);
    SendMessageA(hwndOutput, EM_SCROLLCARET, 0, 0);
    const string& text = g_pane.text();
    if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) return;
    const LRESULT lines = SendMessageA(hwndOutput, EM_GETLINECOUNT, 0, 0);
    const LRESULT shown = visibleLines();
    const LRESULT first = lines - 1 > shown ? lines - 1 - shown : 0;
    const LRESULT now = SendMessageA(hwndOutput, EM_GETFIRSTVISIBLELINE, 0, 0);
    if (first != now) SendMessageA(hwndOutput, EM_LINESCROLL, 0, first - now);
}

// UI thread: everything queued goes into the model, then into the pane as one change.
void showQueued() {
    if (g_showing || hwndOutput == NULL) return;
    std::vector<string> batch;
    EnterCriticalSection(&g_queueLock);
    batch.swap(g_queued);
    g_queuedBytes = 0;
    g_queueFilled = 0;
    LeaveCriticalSection(&g_queueLock);
    if (batch.empty()) return;
    g_showing = true;
    const DWORD start = GetTickCount();
    bool dropped = false;
    string appended;
    for (string& insertion : batch) {
        if (g_pane.append(std::move(insertion), appended)) {
            dropped = true;
            appended.clear();
        }
    }
    raisePaneLimit();
    // Drawn once, after the change.
    SendMessageA(hwndOutput, WM_SETREDRAW, FALSE, 0);
    if (dropped) {
        SendMessageA(hwndOutput, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(g_pane.text().c_str()));
    } else {
        SendMessageA(hwndOutput, EM_SETSEL, kEnd, kEnd);
        SendMessageA(hwndOutput, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(appended.c_str()));
    }
    scrollToEnd();
    SendMessageA(hwndOutput, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwndOutput, NULL, TRUE);
    // A batch that took long (a very long line, a huge pane) is followed by a pause of twice
    // its time, so the window keeps answering while the program prints.
    const DWORD spent = GetTickCount() - start;
    g_nextTimedShow = GetTickCount() + (spent > kShowEveryMs / 2 ? 2 * spent : 0);
    g_showing = false;
}

// Reading the pane's text, or its lines, takes what is queued first: whoever looks sees
// everything printed so far.
bool readsText(UINT msg) {
    switch (msg) {
    case WM_GETTEXT: case WM_GETTEXTLENGTH: case EM_GETLINE: case EM_GETLINECOUNT: case EM_LINEINDEX:
    case EM_LINELENGTH: case EM_LINEFROMCHAR: case EM_GETHANDLE: case EM_GETFIRSTVISIBLELINE: return true;
    default: return false;
    }
}

LRESULT CALLBACK paneProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kShowQueued) {
        showQueued();
        return 0;
    }
    if (msg == kEmptyPane) {
        EnterCriticalSection(&g_queueLock);
        g_queued.clear();
        g_queuedBytes = 0;
        g_queueFilled = 0;
        LeaveCriticalSection(&g_queueLock);
        g_pane.clear();
        raisePaneLimit();
        SendMessageA(hwnd, EM_SETSEL, 0, -1);
        SendMessageA(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
        return 0;
    }
    if (readsText(msg)) showQueued();
    return CallWindowProcA(g_paneProc, hwnd, msg, wParam, lParam);
}

// The filter the C runtime had set (signals), asked after the pane was brought up to date.
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = NULL;

LONG WINAPI showOutputOnCrash(EXCEPTION_POINTERS* crash) {
    if (g_queueFilled != 0 && hwndOutput != NULL) {
        if (onUiThread()) {
            showQueued();
        } else {
            // Not through a wait of the worker: a crashing thread must not hang on a UI
            // thread that waits for it.
            DWORD_PTR ignored;
            SendMessageTimeoutA(hwndOutput, kShowQueued, 0, 0, SMTO_NORMAL, 2000, &ignored);
        }
    }
    if (_captureMode()) _captureCrashed();  // writes the capture's files; does not return
    return g_previousFilter != NULL ? g_previousFilter(crash) : EXCEPTION_CONTINUE_SEARCH;
}
}  // namespace

void _attachOutputPane() {
    g_paneThread = GetWindowThreadProcessId(hwndOutput, NULL);
    g_paneProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwndOutput, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(paneProc)));
    // Print-debugging keeps working: what a crashing program printed is shown first.
    static bool filterSet = false;
    if (!filterSet) g_previousFilter = SetUnhandledExceptionFilter(showOutputOnCrash);
    filterSet = true;
}

void _flushOutput() {
    if (g_queueFilled == 0 || hwndOutput == NULL) return;
    if (onUiThread())
        showQueued();
    else
        TblockedScope waiting;  // which shows the queue (see _showQueuedFromWorker)
}

void _showQueuedFromWorker() {
    if (g_queueFilled != 0 && hwndOutput != NULL) SendMessageA(hwndOutput, kShowQueued, 0, 0);
}

bool _outputQueueBusy() { return g_inQueue != 0; }

string _outputPaneText() {
    if (onUiThread()) showQueued();
    return g_pane.text();
}

void _showOutputOnTimer() {
    if (g_queueFilled != 0 && static_cast<LONG>(GetTickCount() - g_nextTimedShow) >= 0) showQueued();
}

void _resetOutputLock() {
    // Only called after the worker was ended by force, possibly while holding a lock.
    InitializeCriticalSection(&g_outputLock);
    InitializeCriticalSection(&g_queueLock);
}

Twout::Twout() {}

void Twout::_lock() {
    _runtimeCheckpoint();
    EnterCriticalSection(&g_outputLock);
}

void Twout::_unlock() { LeaveCriticalSection(&g_outputLock); }

void Twout::_startRunFormat() {
    _lock();
    qiv::startRunNumberFormat(_sout);
    _unlock();
}

// Queues the text for the end of the pane (see above); the UI thread shows its own at once.
void Twout::appendOut(string text) {
    if (text.empty()) return;  // a manipulator, or an empty text
    string converted = qiv::paneText(text);
    InterlockedIncrement(&g_inQueue);
    EnterCriticalSection(&g_queueLock);
    g_queuedBytes += converted.size();
    g_queued.push_back(std::move(converted));
    g_queueFilled = 1;
    const bool large = g_queuedBytes > kQueueBytesShownAtOnce;
    LeaveCriticalSection(&g_queueLock);
    InterlockedDecrement(&g_inQueue);
    if (large || onUiThread()) _flushOutput();
}

void _clearOutput() {
    _runtimeCheckpoint();
    TblockedScope waiting;
    SendMessageA(hwndOutput, kEmptyPane, 0, 0);
}

void _setFont(HWND window, string face, int height) {
    // GB2312 characters, Swiss family with the default pitch; kept for the process's life.
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, face.c_str());
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void _emptyDilog() {}
