// dilog_d.h - the parameter panel of the loop demonstration: which shape, pen speed, pen
// colour and number of loop passes, and the run button.
//
//   #include "tools/qivplus.h"
//   #include "tools/dilog_d.h"
//   int _selectGraph = 1, _selectSpeed = 4, _selectColor = 7, _selectForN = 10;
//   ... openDilog(_openDilog, _closeDilog);  if (_dilog::_closeCode == 11) draw ...
//
// The panel "选择" sits in the canvas's top-left corner. Beside it a read-only code window
// on the canvas shows the code of the chosen shape, and the count list sits in the blank of
// its for line. openDilog returns when the panel closes; the run button stores the choices
// in the program's four globals (list entry numbers, -1 for a list without a selection),
// which also preset the panel the next time it opens.
//
// Everything runs on the UI thread: the runtime calls _openDilog there, and the panel's
// loop handles every message of the thread until the panel closes. A stop of the program
// closes the panel through _closeDilog; the code window and count list it leaves on the
// canvas are taken away when the panel opens again.
//
// Saved in GBK like the programs that include it.
#ifndef QIV_TOOLS_DILOG_D_H
#define QIV_TOOLS_DILOG_D_H

#include "qivplus.h"

// The program's choices (defined by the program).
extern int _selectGraph;  // shape 1-4
extern int _selectSpeed;  // pen speed = entry 0-10 of the speed list
extern int _selectColor;  // colour number = entry 0-15 of the colour list
extern int _selectForN;   // loop passes = entry 0-19 of the count list

#define IDC_ComboxSpeed 101
#define IDC_ComboxColor 102
#define IDC_ComboxForN 103
#define IDC_0 50
#define IDC_1 51
#define IDC_2 52
#define IDC_3 53
#define IDC_4 54
#define IDC_5 55
#define IDC_6 56
#define IDC_7 57
#define IDC_8 58
#define IDC_9 59
#define IDC_11 61

namespace _dilog {

const int MaxNum = 50;
static wchar_t items[MaxNum + 2][5];  // list entry texts: entry i holds the digits of i

// The code of the four shapes; the seven blanks after "i<" are where the count list sits.
static const char* const codeTexts[4] = {
    "pen.move(-200,-150);\r\nfor (int i=0; i<       ; i++) \r\n{\r\n  pen.fd(15).rt(90).fd(15).lt(90);\r\n}",
    "pen.move(-200,0);\r\nfor (int i=0; i<       ; i++) \r\n{\r\n  pen.fd(15).rt(90).fd(15).rt(90);\r\n"
    "  pen.fd(15).lt(90).fd(15).lt(90)；\r\n}",
    "\r\nfor (int i=0; i<       ; i++) \r\n{\r\n  pen.fd(80).bk(80).rt(30)；\r\n}",
    "\r\nfor (int i=0; i<       ; i++) \r\n{\r\n  pen.fd(50).rt(120).fd(50).rt(120).fd(50).rt(120);\r\n"
    "  pen.rt(40);\r\n}",
};

static string ss = codeTexts[0];  // the code window's text: the last shape clicked

static HWND hwndComboxSpeed, hwndComboxColor, hwndComboxForN;
static HWND hwndRadio1, hwndRadio2, hwndRadio3, hwndRadio4;
static HWND hwnd_dilog;  // the panel
static HWND hwnd2;       // the code window
static HWND hwnd11;      // the run button
static HWND hwnd0, hwnd1, hwnd3, hwnd4, hwnd5, hwnd6, hwnd7, hwnd8, hwnd9, hwndEdit1;  // not used by this panel

// The canvas under the panel and under the code window while they are there.
static qivtool::CanvasPatch panelPatch, codePatch;

static bool _openDilogOn = false;  // the panel is open
// Why the panel closed: 0 while open, 11 run button, -1 closed by the program's stop,
// otherwise the command id - 49.
static volatile int _closeCode = 0;

// Writes the decimal digits of i into a list entry text (at most four digits fit).
inline void i2cstr(int i, wchar_t* item) { qivtool::decimalInto(i, item, 5); }

inline string i2s(int i) { return qivtool::decimalText(i); }

// An entry of the items buffer with the digits of i written into it.
inline const wchar_t* itemText(int i) {
    if (i < 0 || i >= MaxNum + 2) return L"";
    i2cstr(i, items[i]);
    return items[i];
}

inline void fillNumbers(HWND list, int count) {
    for (int i = 0; i < count; ++i) SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText(i)));
}

inline HWND child(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, HWND parent, int id,
                  DWORD exStyle = 0) {
    return CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), NULL);
}

// Creates the panel's controls, the code window on the canvas and the count list in it.
inline void AddSubWin(HWND hwnd) {
    const HINSTANCE ins = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    qivtool::setPanelFont(child("BUTTON", "图 形", BS_GROUPBOX, 3, 10, 77, 135, hwnd, 0), "黑体", 14);
    hwndRadio1 = child("BUTTON", "楼梯", BS_AUTORADIOBUTTON, 7, 25, 50, 30, hwnd, 33);
    hwndRadio2 = child("BUTTON", "拱形", BS_AUTORADIOBUTTON, 7, 50, 70, 30, hwnd, 34);
    hwndRadio3 = child("BUTTON", "针形", BS_AUTORADIOBUTTON, 7, 75, 70, 30, hwnd, 35);
    hwndRadio4 = child("BUTTON", "旋转形", BS_AUTORADIOBUTTON, 7, 100, 70, 30, hwnd, 36);
    const HWND radios[4] = {hwndRadio1, hwndRadio2, hwndRadio3, hwndRadio4};
    for (int i = 0; i < 4; ++i) qivtool::setPanelFont(radios[i], "楷体", 14);
    if (_selectGraph >= 1 && _selectGraph <= 4) SendMessageA(radios[_selectGraph - 1], BM_SETCHECK, BST_CHECKED, 0);

    qivtool::setPanelFont(child("STATIC", "速度", 0, 5, 170, 65, 21, hwnd, 0), "黑体", 14);
    hwndComboxSpeed = qivtool::makeNumberList(hwnd, ins, 40, 165, 40, 225, IDC_ComboxSpeed);
    fillNumbers(hwndComboxSpeed, 11);
    SendMessageW(hwndComboxSpeed, CB_SETCURSEL, _selectSpeed, 0);
    qivtool::setPanelFont(child("STATIC", "颜色", 0, 5, 200, 65, 21, hwnd, 0), "黑体", 14);
    hwndComboxColor = qivtool::makeNumberList(hwnd, ins, 40, 195, 42, 225, IDC_ComboxColor);
    fillNumbers(hwndComboxColor, 16);
    SendMessageW(hwndComboxColor, CB_SETCURSEL, _selectColor, 0);

    hwnd2 = child("edit", ss.c_str(), ES_MULTILINE | ES_READONLY | WS_DLGFRAME, 135, 365, 505, 112, hwndDraw, 173,
                  WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW);
    qivtool::setPanelFont(hwnd2, "宋体", 16);
    hwndComboxForN = qivtool::makeNumberList(hwnd2, ins, 132, 12, 45, 225, IDC_ComboxForN);
    fillNumbers(hwndComboxForN, 20);
    SendMessageW(hwndComboxForN, CB_SETCURSEL, _selectForN, 0);
}

inline LRESULT CALLBACK makeDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        _openDilogOn = true;
        _closeCode = 0;
        AddSubWin(hwnd);
        hwnd11 = child("button", "运行", BS_PUSHBUTTON, 10, 230, 60, 25, hwnd, IDC_11);
        qivtool::setPanelFont(hwnd11, "黑体", 14);
        break;
    case WM_COMMAND: {
        if (HIWORD(wParam) != 0) break;
        const int id = LOWORD(wParam);
        if (id >= 33 && id <= 36) {
            ss = codeTexts[id - 33];
            SetWindowTextA(hwnd2, ss.c_str());
        } else if (id == IDC_11) {
            _closeCode = 11;
            const HWND radios[4] = {hwndRadio1, hwndRadio2, hwndRadio3, hwndRadio4};
            for (int i = 0; i < 4; ++i) {
                if (SendMessageA(radios[i], BM_GETCHECK, 0, 0) == BST_CHECKED) {
                    _selectGraph = i + 1;
                    break;
                }
            }
            _selectSpeed = qivtool::selectedEntry(hwndComboxSpeed);
            _selectColor = qivtool::selectedEntry(hwndComboxColor);
            _selectForN = qivtool::selectedEntry(hwndComboxForN);
            qivtool::closeIfThere(hwndComboxForN);
            qivtool::closeIfThere(hwnd2);
            codePatch.restore();
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
        } else {
            _closeCode = id - 49;
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
        }
        break;
    }
    case WM_CLOSE:
        _openDilogOn = false;
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        // Also when the panel goes with the canvas (the window is being closed).
        if (hwnd == hwnd_dilog) {
            hwnd_dilog = NULL;
            _openDilogOn = false;
            panelPatch.restore();
        }
        break;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Registers the panel's class (again each time: a repeated registration changes nothing),
// creates the panel in `parent` and runs its loop until it closes.
inline void makeDialogBox(HWND parent) {
    const HINSTANCE ins = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    qivtool::registerPanelClass(ins, makeDialogProc);
    // What a panel closed by a stop left on the canvas goes now.
    qivtool::closeLeftOver(hwndComboxForN);
    qivtool::closeLeftOver(hwnd2);
    codePatch.drop();
    panelPatch.save(5, 5, 88, 270);
    codePatch.save(135, 365, 505, 112);
    _closeCode = 0;
    hwnd_dilog = CreateWindowExA(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME, "makeDialogClass", "选择", WS_CHILD | WS_VISIBLE,
                                 5, 5, 88, 270, parent, NULL, ins, NULL);
    if (hwnd_dilog == NULL) {
        // No panel: the program is told as if it had been closed, and asks again later.
        _openDilogOn = false;
        _closeCode = -1;
        return;
    }
    qivtool::runPanelLoop(hwnd_dilog, _closeCode);
}

}  // namespace _dilog

// The open hook: opens the panel unless it is open already.
inline void _openDilog() {
    if (_dilog::_openDilogOn) return;
    _dilog::makeDialogBox(hwndDraw);
}

// The close hook, called when the program stops (and by closeDilog): closes an open panel.
inline void _closeDilog() {
    _dilog::_openDilogOn = false;
    _dilog::_closeCode = -1;
    if (_dilog::hwnd_dilog != NULL && IsWindow(_dilog::hwnd_dilog)) SendMessageW(_dilog::hwnd_dilog, WM_CLOSE, 0, 0);
}

#endif
