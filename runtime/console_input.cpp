// The input objects behind cin (the input line) and _editin (the box on the canvas).
// Reading a line from the user arrives with the input work; the objects, their reset at
// every run start and the subclassed boxes exist already.
#include "runtime_internal.h"

HDC editDC = NULL;
HBITMAP saveEditHbm = NULL;
int editX = 0, editY = 0, _editDx = 15, _editDy = 15, _editW = 150, _editH = 30;
WNDPROC OldInputProc = NULL, OldEditProc = NULL;

Twin::Twin(HWND box) : index(0), hwndTwin(box), inputON(false) {}

void Twin::init() {
    _sin.str("");
    _sin.clear();
    if (hwndTwin != NULL) SetWindowTextA(hwndTwin, "");
}

LRESULT CALLBACK NewInputProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(OldInputProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK NewEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(OldEditProc, hwnd, msg, wParam, lParam);
}
