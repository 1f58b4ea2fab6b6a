// dilog_11lesson.h - the panel of the lesson on the angles of regular polygons: pen speed,
// pen colour and the run button in the panel; the number of passes and the turning angle
// in two lists on the canvas, over the two red numbers of the lesson picture (the bitmap
// resource B11_BMP, which the program may link beside the runtime's resources, or else the
// file B11.bmp in the program's folder).
//
//   #include "tools/qivplus.h"
//   #include "tools/dilog_11lesson.h"
//   int _selectGraph = 1, _selectSpeed = 4, _selectColor = 7, _selectAngle = 1, _selectForN = 1;
//   ... openDilog(_openDilog, _closeDilog);  if (_dilog::_closeCode == 11) draw ...
//
// The count list holds " 3", " 4", ..., "18" and the angle list 120, 90, ..., 40, in
// different orders: the student finds the angle that closes the polygon of a count. The
// run button stores the entry numbers (-1: no selection) in the program's globals.
// Every opening first paints the white area and the lesson picture, then makes the lists;
// lists left on the canvas by a stopped run are taken away then.
//
// Saved in GBK like the programs that include it.
#ifndef QIV_TOOLS_DILOG_11LESSON_H
#define QIV_TOOLS_DILOG_11LESSON_H

#include "qivplus.h"

// The program's choices (defined by the program).
extern int _selectGraph;  // not used by this panel
extern int _selectSpeed;  // pen speed = entry 0-10 of the speed list
extern int _selectColor;  // colour number = entry 0-15 of the colour list
extern int _selectAngle;  // entry 0-8 of the angle list
extern int _selectForN;   // entry 0-8 of the count list

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
static wchar_t items[MaxNum + 2][5];  // list entry texts

static int sel1[9] = {120, 90, 20, 60, 36, 72, 45, 30, 40};  // the angle list's entries
static const wchar_t* sel2[9] = {L" 3", L" 4", L" 5", L" 6", L" 8", L" 9", L"10", L"12", L"18"};  // the count list's

static HWND hwndComboxSpeed, hwndComboxColor, hwndComboxForN, hwndComboxAngle;
static HWND hwndRadio1, hwndRadio2, hwndRadio3, hwndRadio4;  // not used by this panel
static HWND hwnd_dilog;  // the panel
static HWND hwnd11;      // the run button
static HINSTANCE hins;   // the panel's instance

// The canvas under the panel and under the two lists while they are there.
static qivtool::CanvasPatch panelPatch, countPatch, anglePatch;

static bool _openDilogOn = false;  // the panel is open
// Why the panel closed: 0 while open, 11 run button, -1 closed by the program's stop,
// otherwise the command id - 49.
static volatile int _closeCode = 0;

// Writes the decimal digits of i into a list entry text (at most four digits fit).
inline void i2cstr(int i, wchar_t* item) { qivtool::decimalInto(i, item, 5); }

inline string i2s(int i) { return qivtool::decimalText(i); }

inline HWND child(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, HWND parent, int id) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), NULL);
}

inline void fillNumbers(HWND list, int count) {
    for (int i = 0; i < count; ++i) {
        i2cstr(i, items[i]);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    }
}

// The lesson picture: the program's resource B11_BMP, or else the file B11.bmp beside the
// program, as a program built with the build key links no resource of its own (the sample's
// folder holds the file). Neither there: no picture.
inline void showLessonPicture() {
    HBITMAP image = static_cast<HBITMAP>(LoadImageA(_hInstance, "b11_bmp", IMAGE_BITMAP, 0, 0, LR_SHARED));
    bool fromFile = false;
    if (image == NULL) {
        const string file = getCurPath() + "\\B11.bmp";
        image = static_cast<HBITMAP>(LoadImageA(NULL, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        fromFile = image != NULL;
    }
    _showBitmap(image, NULL, -280, -80, 215, 164, 0);
    if (fromFile) DeleteObject(image);
}

// The white area, the lesson picture, and the count and angle lists over its numbers.
inline void changeSelect() {
    _clearRec(-435, 30, 320, 220, 15);
    showLessonPicture();
    // A list is made as high as its drop-down and then shrinks to its edit field: the
    // picture below is put back.
    countPatch.save(135, 280, 40, 160);
    hwndComboxForN = qivtool::makeNumberList(hwndDraw, hins, 135, 280, 40, 160, 104);
    countPatch.restoreFrom(280 + qivtool::windowHeight(hwndComboxForN));
    for (int i = 0; i < 9; ++i) SendMessageW(hwndComboxForN, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sel2[i]));
    SendMessageW(hwndComboxForN, CB_SETCURSEL, _selectForN, 0);
    anglePatch.save(115, 345, 50, 225);
    hwndComboxAngle = qivtool::makeNumberList(hwndDraw, NULL, 115, 345, 50, 225, 103);
    anglePatch.restoreFrom(345 + qivtool::windowHeight(hwndComboxAngle));
    for (int i = 0; i < 9; ++i) {
        i2cstr(sel1[i], items[i]);
        SendMessageW(hwndComboxAngle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    }
    SendMessageW(hwndComboxAngle, CB_SETCURSEL, _selectAngle, 0);
}

// Creates the panel's lists, then the canvas part (changeSelect).
inline void AddSubWin(HWND hwnd) {
    hins = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    qivtool::setPanelFont(child("STATIC", "速度", 0, 5, 70, 65, 21, hwnd, 0), "黑体", 14);
    hwndComboxSpeed = qivtool::makeNumberList(hwnd, hins, 40, 65, 40, 225, IDC_ComboxSpeed);
    fillNumbers(hwndComboxSpeed, 11);
    SendMessageW(hwndComboxSpeed, CB_SETCURSEL, _selectSpeed, 0);
    qivtool::setPanelFont(child("STATIC", "颜色", 0, 5, 40, 65, 21, hwnd, 0), "黑体", 14);
    hwndComboxColor = qivtool::makeNumberList(hwnd, hins, 40, 35, 40, 225, IDC_ComboxColor);
    fillNumbers(hwndComboxColor, 16);
    SendMessageW(hwndComboxColor, CB_SETCURSEL, _selectColor, 0);
    changeSelect();
}

inline LRESULT CALLBACK makeDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        _openDilogOn = true;
        _closeCode = 0;
        AddSubWin(hwnd);
        hwnd11 = child("button", "运行", BS_PUSHBUTTON, 10, 150, 60, 25, hwnd, IDC_11);
        qivtool::setPanelFont(hwnd11, "黑体", 14);
        break;
    case WM_COMMAND: {
        if (HIWORD(wParam) != 0) break;
        const int id = LOWORD(wParam);
        _selectForN = qivtool::selectedEntry(hwndComboxForN);
        _selectAngle = qivtool::selectedEntry(hwndComboxAngle);
        if (id == IDC_11) {
            _closeCode = 11;
            _selectSpeed = qivtool::selectedEntry(hwndComboxSpeed);
            _selectColor = qivtool::selectedEntry(hwndComboxColor);
            qivtool::closeIfThere(hwndComboxSpeed);
        } else {
            _closeCode = id - 49;
        }
        qivtool::closeIfThere(hwndComboxColor);
        qivtool::closeIfThere(hwndComboxAngle);
        qivtool::closeIfThere(hwndComboxForN);
        anglePatch.restore();
        countPatch.restore();
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
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
    qivtool::closeLeftOver(hwndComboxAngle);
    countPatch.drop();
    anglePatch.drop();
    panelPatch.save(5, 5, 88, 200);
    _closeCode = 0;
    hwnd_dilog = CreateWindowExA(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME, "makeDialogClass", "选择", WS_CHILD | WS_VISIBLE,
                                 5, 5, 88, 200, parent, NULL, ins, NULL);
    if (hwnd_dilog == NULL) {
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
