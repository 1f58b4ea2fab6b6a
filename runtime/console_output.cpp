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

void Twout::appendOut(string text) {
    const string converted = qiv::paneText(text);
    // While the pane takes the text, the worker only waits for the UI thread: a safe place
    // to pause it.
    TblockedScope waiting;
    SendMessageA(hwndOutput, EM_SETSEL, static_cast<WPARAM>(-1), -2);
    SendMessageA(hwndOutput, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(converted.c_str()));
}

void _clearOutput() {
    _runtimeCheckpoint();
    TblockedScope waiting;
    SendMessageA(hwndOutput, EM_SETSEL, 0, -1);
    SendMessageA(hwndOutput, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
}

void _setFont(HWND window, string face, int height) {
    // GB2312 characters, Swiss family with the default pitch; kept for the process's life.
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, face.c_str());
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void _emptyDilog() {}
