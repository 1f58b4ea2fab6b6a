// The canvas: its paint handler starts every run (capture mode starts its one run itself);
// a right click moves the origin.
#include "runtime_internal.h"
#include "startup_marks.h"

void _startRun() {
    _firstRun = 0;
    _awaitLastWorker();
    // The run's device context: begun here, kept for the whole run, ended when the next run
    // begins. Beginning the paint erases the canvas.
    _pen.end();
    _pen.init(hwndDraw);
    _win.init();
    _clearPendingInput();
    _text.end(_pen.hdc);
    _text.init(_pen.hdc);
    threadWork();
}

LRESULT CALLBACK WndDrawProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        if (_firstRun != 0) {
            _markStartup(kMarkFirstPaint);
            _startRun();
        }
        break;
    case WM_RBUTTONDOWN:
        if (!_runing) {
            _pen.ox = LOWORD(lParam);
            _pen.oy = HIWORD(lParam);
            _requestRun();
        }
        break;
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
