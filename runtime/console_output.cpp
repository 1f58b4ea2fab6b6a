// The output pane behind cout: every insertion is formatted and appended at once.
#include "runtime_internal.h"

namespace {
// The formatter is shared by the worker (the program's output) and the UI thread (the end
// banner of a stopped run); one of them uses it at a time.
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

void Twout::appendOut(string text) {
    // Line feeds become CR LF, walking backwards so positions ahead stay valid.
    for (size_t i = text.size(); i-- > 0;)
        if (text[i] == '\n') text.insert(i, 1, '\r');
    // While the pane takes the text, the worker only waits for the UI thread: a safe place
    // to pause it.
    TblockedScope waiting;
    SendMessageA(hwndOutput, EM_SETSEL, static_cast<WPARAM>(-1), -2);
    SendMessageA(hwndOutput, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void _clearOutput() {
    _runtimeCheckpoint();
    TblockedScope waiting;
    SendMessageA(hwndOutput, EM_SETSEL, 0, -1);
    SendMessageA(hwndOutput, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
}

void _setFont(HWND window, string face, int height) {
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0x20, face.c_str());
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void _emptyDilog() {}
