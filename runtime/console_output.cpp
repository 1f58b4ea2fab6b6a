// The output pane behind cout: every insertion is formatted and appended at once, and the
// console's two small services, _setFont and _emptyDilog.
#include "core/output_text.h"
#include "runtime_internal.h"

namespace {
// The formatter is shared by the worker (the program's output) and the UI thread (the end
// banner of a stopped run); one of them uses it at a time, from emptying it to appending.
CRITICAL_SECTION g_outputLock;
struct OutputLockInit {
    OutputLockInit() { InitializeCriticalSection(&g_outputLock); }
} g_outputLockInit;
}  // namespace

void _resetOutputLock() {
    // Only called after the worker was ended by force, possibly while holding the lock.
    InitializeCriticalSection(&g_outputLock);
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

namespace {
// Bytes appended since the pane was last measured or emptied: never fewer than the
// characters it holds. Only when this comes near the limit is the pane asked and trimmed.
long g_paneBytes = 0;

// Drops the oldest lines of the pane: at least `chars` characters, up to the end of the line
// holding that position (all of the text when that is the last line).
void dropOldestLines(long chars, long length) {
    long cut = -1;
    if (chars < length) {
        const LRESULT line = SendMessageA(hwndOutput, EM_LINEFROMCHAR, static_cast<WPARAM>(chars), 0);
        cut = static_cast<long>(SendMessageA(hwndOutput, EM_LINEINDEX, static_cast<WPARAM>(line + 1), 0));
    }
    SendMessageA(hwndOutput, EM_SETSEL, 0, cut);
    SendMessageA(hwndOutput, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
}

// The control's own limit lies well above the pane's, which is kept by dropping lines.
void raisePaneLimit() { SendMessageA(hwndOutput, EM_SETLIMITTEXT, static_cast<WPARAM>(2 * qiv::kPaneLimit), 0); }
}  // namespace

// Appends at the end of the pane. When the pane would grow beyond its limit, its oldest
// lines are dropped first; a single text longer than half the pane keeps its end.
void Twout::appendOut(string text) {
    string converted = qiv::paneText(text);
    // While the pane takes the text, the worker only waits for the UI thread: a safe place
    // to pause it.
    TblockedScope waiting;
    const long adding = static_cast<long>(converted.size() > static_cast<size_t>(qiv::kPaneLimit)
                                              ? qiv::kPaneLimit + 1 : converted.size());
    if (g_paneBytes + adding > qiv::kPaneLimit) {
        converted.erase(0, qiv::gbkTailStart(converted, static_cast<size_t>(qiv::kPaneLimit / 2)));
        raisePaneLimit();
        const long length = static_cast<long>(SendMessageA(hwndOutput, WM_GETTEXTLENGTH, 0, 0));
        const long drop = qiv::paneFrontToDrop(length, static_cast<long>(converted.size()), qiv::kPaneLimit);
        if (drop > 0) dropOldestLines(drop, length);
        g_paneBytes = static_cast<long>(SendMessageA(hwndOutput, WM_GETTEXTLENGTH, 0, 0));
    }
    SendMessageA(hwndOutput, EM_SETSEL, static_cast<WPARAM>(-1), -2);
    SendMessageA(hwndOutput, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(converted.c_str()));
    g_paneBytes += static_cast<long>(converted.size());
}

void _clearOutput() {
    _runtimeCheckpoint();
    TblockedScope waiting;
    raisePaneLimit();
    SendMessageA(hwndOutput, EM_SETSEL, 0, -1);
    SendMessageA(hwndOutput, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
    g_paneBytes = 0;
}

void _setFont(HWND window, string face, int height) {
    // GB2312 characters, Swiss family with the default pitch; kept for the process's life.
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, face.c_str());
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void _emptyDilog() {}
