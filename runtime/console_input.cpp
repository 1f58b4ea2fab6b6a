// The input objects behind cin (the input line in the output pane) and _editin (the box on
// the canvas): showing and hiding the boxes, waiting for a line, extracting from it, and the
// subclassed boxes that accept a line on Enter and recall earlier ones with Up and Down.
//
// Hand-off between the threads: the worker asks the UI thread, in one message, for a line
// entered while nothing waited, or else to mark the object as waiting (inputON), and blocks
// on the object's release signal; the UI thread, on Enter, puts the line into the buffer,
// clears inputON and sets the signal. A signal set before the worker actually blocks stays
// set, so no release is ever lost. Enter while the running program does not wait for a line
// keeps that line for its next read, in order; Enter with no program running beeps, and the
// text stays in the box. The blocked worker counts as halted safely: Pause suspends it right
// there, so a paused run that waits for input goes on only after both the line and Continue;
// a stop ends it there. In capture mode the lines come from a file instead (capture_mode.cpp).
#include "core/input_line.h"
#include "runtime_internal.h"

#include <deque>

HDC editDC = NULL;
HBITMAP saveEditHbm = NULL;
int editX = 0, editY = 0, _editDx = 15, _editDy = 15, _editW = 150, _editH = 30;
WNDPROC OldInputProc = NULL, OldEditProc = NULL;

namespace {

// Sent by the worker to a box that asks for a line: the box takes the keyboard focus, which
// only its own (the UI) thread can give it.
const UINT kTakeFocus = WM_APP + 0x51;
// Sent by the worker that needs a line: the box hands over a line entered earlier (result 1)
// or marks its object as waiting (result 0), on the thread that handles Enter.
const UINT kBeginWait = WM_APP + 0x52;

// Lines entered while the running program did not wait for one, oldest first, per box
// (0 the input line, 1 the canvas box). Touched on the UI thread only.
std::deque<string> g_pending[2];

const int kCaptionWidth = 450, kCaptionHeight = 56;
const int kFrameGrey = 211;  // the frame around the canvas box: RGB(211, 211, 211)

// Release signals (manual reset) of the two objects, set by the UI thread on Enter.
struct ReleaseSignals {
    HANDLE input, edit;
    ReleaseSignals()
        : input(CreateEventA(NULL, TRUE, FALSE, NULL)), edit(CreateEventA(NULL, TRUE, FALSE, NULL)) {}
} g_release;

HANDLE releaseOf(const Twin* in) { return in == &_editin ? g_release.edit : g_release.input; }

// Which boxes are in view, so that a stopped run can take them away.
volatile bool g_captionShown = false;
volatile int g_captionLeft = 300;
volatile bool g_editShown = false;

// After Enter accepted a line, the character message of that same key would leave a line
// break in the box just emptied; it is dropped.
bool g_dropReturnChar[2] = {false, false};

void placeCaption(int left, bool show) {
    TblockedScope waiting;
    if (show)
        SetWindowPos(hwndInputCaption, HWND_TOP, left, 0, kCaptionWidth, kCaptionHeight, SWP_SHOWWINDOW | SWP_NOZORDER);
    else
        SetWindowPos(hwndInputCaption, HWND_BOTTOM, left, -100, kCaptionWidth, kCaptionHeight, SWP_NOZORDER);
    g_captionShown = show;
    g_captionLeft = left;
}

// Hides the canvas box; the canvas erases what it uncovered at once, and the saved piece of
// picture goes back over it.
void takeEditAway() {
    {
        TblockedScope waiting;
        SetWindowPos(hwndEdit, HWND_TOP, 100, -200, _editW, _editH, SWP_HIDEWINDOW | SWP_NOZORDER);
        UpdateWindow(hwndDraw);
        Sleep(50);
    }
    if (_pen.hdc != NULL && editDC != NULL)
        BitBlt(_pen.hdc, editX - 1, editY - 1, _editW + 4, _editH + 4, editDC, 0, 0, SRCCOPY);
    g_editShown = false;
}

// Brings the box forward with the caret at its start, ready for typing.
void bringForward(HWND box) {
    if (_captureMode()) return;  // a hidden window takes no focus
    TblockedScope waiting;
    SwitchToThisWindow(box, TRUE);
    SendMessageA(box, EM_SETSEL, 0, 0);
    SendMessageA(box, kTakeFocus, 0, 0);
}

// The line the object's buffer holds from now on, whatever was left of the last one.
void acceptInto(Twin& in, const string& line) {
    in._sin.str("");
    in._sin.clear();
    qiv::acceptLine(in._sin, line);
}

// The worker waits until the UI thread has put a new line into the object's buffer, unless
// a line entered earlier is there to take.
void waitForLine(Twin& in) {
    if (_captureMode()) {
        // The input file's next line, as if typed and entered; once the file's lines are
        // used up, an empty line, as Enter on an empty box gives.
        string line;
        _captureNextLine(line);
        in.strBack.push_back(line);
        in.index = static_cast<int>(in.strBack.size());
        acceptInto(in, line);
        return;
    }
    LRESULT taken;
    {
        TblockedScope waiting;
        taken = SendMessageA(in.hwndTwin, kBeginWait, 0, 0);
    }
    if (taken == 0) _blockUntil(releaseOf(&in));
}

void showHistoryEntry(Twin& in, HWND box, const qiv::HistoryStep& step) {
    in.index = step.index;
    if (!step.show) return;
    SendMessageA(box, EM_SETSEL, 0, -1);
    SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(in.strBack[step.index].c_str()));
}

// The keys of both boxes; every message goes on to the box's own procedure except the
// character of an Enter that accepted a line.
LRESULT boxProc(Twin& in, int which, HWND afterEnter, WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam,
                LPARAM lParam) {
    if (msg == WM_KEYDOWN) {
        const int count = static_cast<int>(in.strBack.size());
        if (wParam == VK_RETURN) {
            g_dropReturnChar[which] = false;
            if (in.inputON) {
                in._getLineInput();
                SwitchToThisWindow(afterEnter, TRUE);
                in.inputON = false;
                SetEvent(releaseOf(&in));
                g_dropReturnChar[which] = true;
            } else if (_runing) {
                // The program reads it when it next asks for a line.
                g_pending[which].push_back(in._takeBoxText());
                g_dropReturnChar[which] = true;
            } else {
                MessageBeep(MB_ICONWARNING);  // no program to read it
            }
        } else if (wParam == VK_UP) {
            showHistoryEntry(in, hwnd, qiv::historyUp(in.index, count));
        } else if (wParam == VK_DOWN) {
            showHistoryEntry(in, hwnd, qiv::historyDown(in.index, count));
        }
    } else if (msg == WM_CHAR && wParam == '\r' && g_dropReturnChar[which]) {
        g_dropReturnChar[which] = false;
        return 0;
    } else if (msg == kTakeFocus) {
        SetFocus(hwnd);
        return 0;
    } else if (msg == kBeginWait) {
        if (!g_pending[which].empty()) {
            acceptInto(in, g_pending[which].front());
            g_pending[which].pop_front();
            return 1;
        }
        ResetEvent(releaseOf(&in));
        in.inputON = true;
        return 0;
    }
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

}  // namespace

Twin::Twin(HWND box) : index(0), hwndTwin(box), inputON(false) {}

void Twin::_show(int left) {
    _runtimeCheckpoint();
    if (hwndTwin == hwndInput)
        placeCaption(left, true);
    else
        _posEdit();
}

void Twin::_hide(int left) {
    _runtimeCheckpoint();
    if (hwndTwin == hwndInput)
        placeCaption(left, false);
    else
        _hideEdit();
}

// A captured run whose input file is used up gets no further line for a value: the
// extraction fails, where a person would be asked again and again.
bool Twin::_needLine() { return qiv::needsNextLine(_sin) && !(_captureMode() && _captureInputUsedUp()); }

void Twin::getNext() {
    _runtimeCheckpoint();
    bringForward(hwndTwin);
    if (qiv::failedWithDataLeft(_sin)) {
        TblockedScope beeping;
        Beep(500, 200);
    }
    waitForLine(*this);
}

void Twin::getline(string& line) {
    _runtimeCheckpoint();
    init();
    _show(250);
    while (_sin.str().empty()) {
        bringForward(hwndTwin);
        waitForLine(*this);
    }
    line = _sin.str();
    init();
    _hide(250);
}

void Twin::init() {
    _sin.str("");
    _sin.clear();
    if (hwndTwin == NULL) return;
    TblockedScope waiting;
    SendMessageA(hwndTwin, EM_SETSEL, 0, -1);
    SendMessageA(hwndTwin, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
}

// The whole line the box holds is read, however long: the box's own limit is counted in
// characters, so no line ever ends in half of one.
void Twin::_getLineInput() { acceptInto(*this, _takeBoxText()); }

// The box's text, taken out of the box into the history (UI thread).
string Twin::_takeBoxText() {
    const int length = GetWindowTextLengthA(hwndTwin);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(hwndTwin, buffer.data(), static_cast<int>(buffer.size()));
    const string text(buffer.data());
    SendMessageA(hwndTwin, EM_SETSEL, 0, -1);
    SendMessageA(hwndTwin, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
    strBack.push_back(text);
    index = static_cast<int>(strBack.size());
    return text;
}

LRESULT CALLBACK NewInputProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return boxProc(_win, 0, hwndMain, OldInputProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK NewEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return boxProc(_editin, 1, hwndInput, OldEditProc, hwnd, msg, wParam, lParam);
}

void _posEdit() {
    _runtimeCheckpoint();
    editX = xScn(pen.x()) + _editDx;
    editY = yScn(pen.y()) + _editDy;
    // A new picture store for each box; the one of the last box is released.
    HBITMAP previous = saveEditHbm;
    saveEditHbm = CreateCompatibleBitmap(_pen.hdc, _editW + 4, _editH + 4);
    if (editDC != NULL && saveEditHbm != NULL) SelectObject(editDC, saveEditHbm);
    if (previous != NULL) DeleteObject(previous);
    if (editDC != NULL && _pen.hdc != NULL)
        BitBlt(editDC, 0, 0, _editW + 4, _editH + 4, _pen.hdc, editX - 1, editY - 1, SRCCOPY);
    _rectangle(1, editX - 1, editY - 1, _editW + 2, _editH + 2, kFrameGrey, kFrameGrey, kFrameGrey);
    g_editShown = true;
    TblockedScope waiting;
    SetWindowPos(hwndEdit, HWND_TOP, editX, editY, _editW, _editH, SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOZORDER);
    // Shown without redrawing the canvas; the box itself still paints over the grey fill.
    InvalidateRect(hwndEdit, NULL, TRUE);
}

void _hideEdit() {
    _runtimeCheckpoint();
    takeEditAway();
}

void _setEdit(int dx, int dy, int w, int h) {
    _runtimeCheckpoint();
    _editDx = dx;
    _editDy = dy;
    _editW = w;
    _editH = h;
}

void cinCaption(string caption) {
    _runtimeCheckpoint();
    TblockedScope waiting;
    SetWindowTextA(hwndInputCaption, caption.c_str());
}

void _clearPendingInput() {
    g_pending[0].clear();
    g_pending[1].clear();
}

void _endInputWait() {
    _win.inputON = false;
    _editin.inputON = false;
    if (g_captionShown) placeCaption(g_captionLeft, false);
    if (g_editShown) takeEditAway();
}
