// Reading with cin and _editin, driven through the real boxes: lines typed into the input
// line satisfy several extractions, a wrong entry asks again, getline, the history keys, the
// caption, the canvas box over a piece of picture it puts back, a release that comes at once,
// pause while waiting, the keyboard, and stopping a run that waits for input 50 times.
#include <qiv_check.h>

extern int editX, editY;  // where the runtime put the canvas box

static volatile int runs = 0;
static volatile int phase = 0;  // the read the first run is at

// Values the first run read.
static int gA, gB, gN, gHist, gCaption, gPause1, gPause2, gKeys;
static double gX, gY, gE1, gE2;
static string gLine, gLine2;
static volatile long gSum = 0;
static volatile long gEditDiffs = -1, gEditLateDiffs = -1;
static volatile bool gFirstDone = false;

// Runs after the first: what each one does.
enum Mode { ReadOne, ReadThenWait, ReadThenEdit };
static volatile int mode = ReadOne;
static volatile bool started = false;
static volatile bool waitingAgain = false;  // the run read its line and asks for another

static void typeInto(HWND box, const char* text) {
    for (const char* c = text; *c; ++c) PostMessageA(box, WM_CHAR, (BYTE)*c, 1);
}
static void pressKey(HWND box, WPARAM vk) {
    PostMessageA(box, WM_KEYDOWN, vk, 1);
    PostMessageA(box, WM_KEYUP, vk, 0xC0000001);
}
static void enterLine(HWND box, const char* text) {
    typeInto(box, text);
    pressKey(box, VK_RETURN);
}

// Position of a child window in its parent's client area.
static RECT placeOf(HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(NULL, GetParent(child), (POINT*)&rc, 2);
    return rc;
}

static bool waitingAt(int p, volatile bool& flag) {
    return qc_wait_for([&] { return phase == p && flag; }, 3000);
}
static bool waitingAt(int p) { return waitingAt(p, _win.inputON); }

// --- the canvas box ---------------------------------------------------------------------
static const int kMargin = 8;

// A checkerboard of colours around the pen, so any pixel put back wrongly shows.
static void paintPattern() {
    HDC dc = pen.getHdc();
    const int px = xScn(pen.x()), py = yScn(pen.y());
    for (int y = py - 20; y < py + 80; y += 5)
        for (int x = px - 20; x < px + 250; x += 5) {
            RECT rc = {x, y, x + 5, y + 5};
            HBRUSH b = CreateSolidBrush(RGB((x * 7) & 255, (y * 13) & 255, ((x + y) * 3) & 255));
            FillRect(dc, &rc, b);
            DeleteObject(b);
        }
}

// The canvas pixels of the box, its frame and a margin, as 32-bit values.
static std::vector<DWORD> snapshot(int x, int y, int w, int h) {
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HDC mem = CreateCompatibleDC(pen.getHdc());
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, pen.getHdc(), x, y, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> out((DWORD*)bits, (DWORD*)bits + w * h);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    return out;
}

static long differences(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
    long n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
    return n;
}

static void canvasBoxReads() {
    pen.move(-100, 50);
    paintPattern();
    const int x = xScn(pen.x()) + 15 - kMargin, y = yScn(pen.y()) + 15 - kMargin;
    const int w = 154 + 2 * kMargin, h = 34 + 2 * kMargin;
    const std::vector<DWORD> before = snapshot(x, y, w, h);
    phase = 20;
    _editin >> gE1;
    gEditDiffs = differences(before, snapshot(x, y, w, h));
    Sleep(300);  // nothing erases it later either
    gEditLateDiffs = differences(before, snapshot(x, y, w, h));
    _setEdit(0, 0, 200, 40);
    phase = 21;
    _editin >> gE2;
    _setEdit(15, 15, 150, 30);
}

static void firstRun() {
    phase = 1;
    cin >> gA >> gB;
    phase = 2;
    cin >> gX;
    phase = 3;
    cin >> gY;
    phase = 4;
    cin >> gN;
    phase = 5;
    cin.getline(gLine);
    phase = 6;
    cin >> gHist;
    cinCaption(qc_ansi(L"数字"));
    phase = 7;
    cin >> gCaption;
    cinCaption(qc_ansi(L"请输入"));
    canvasBoxReads();
    phase = 30;
    for (int i = 0; i < 200; ++i) {
        int k = 0;
        cin >> k;
        gSum += k;
    }
    phase = 40;
    cin >> gPause1;
    phase = 41;
    cin >> gPause2;
    phase = 50;
    cin >> gKeys;
    phase = 51;
    cin.getline(gLine2);
    phase = 99;
    gFirstDone = true;
}

static void checkFirstRun() {
    // Two values from one line: the box waits once.
    ok(waitingAt(1), "no wait for the first read");
    RECT cap = placeOf(hwndInputCaption);
    ok(IsWindowVisible(hwndInputCaption) && cap.left == 300 && cap.top == 0 && cap.right - cap.left == 450 &&
           cap.bottom - cap.top == 56,
       "caption box while reading: visible %d at (%ld, %ld) %ldx%ld", IsWindowVisible(hwndInputCaption), cap.left,
       cap.top, cap.right - cap.left, cap.bottom - cap.top);
    ok(qc_text(hwndInputCaption) == qc_ansi(L"请输入"), "caption [%s]", qc_text(hwndInputCaption).c_str());
    enterLine(hwndInput, "12 34");
    ok(qc_wait_for([] { return phase == 2; }, 3000), "\"12 34\" did not satisfy two reads (phase %d)", phase);
    ok(gA == 12 && gB == 34, "read %d and %d", gA, gB);

    // "3.5x": 3.5, then the x does not fit: the box asks again, emptied.
    ok(waitingAt(2), "no wait for the double");
    enterLine(hwndInput, "3.5x");
    ok(waitingAt(3), "a wrong entry did not ask again (phase %d, waiting %d)", phase, _win.inputON);
    ok(gX == 3.5, "first double %g", gX);
    Sleep(300);
    cap = placeOf(hwndInputCaption);
    ok(phase == 3 && _win.inputON && cap.top == 0, "after a wrong entry: phase %d, waiting %d, caption top %ld", phase,
       _win.inputON, cap.top);
    ok(qc_text(hwndInput).empty(), "box after a line was taken: [%s]", qc_text(hwndInput).c_str());
    enterLine(hwndInput, "8");
    ok(waitingAt(4), "the line after a wrong entry was not taken");
    ok(gY == 8, "second double %g", gY);

    // getline ignores what is left and reads a new line, ending with one blank.
    enterLine(hwndInput, "5 rest");
    ok(waitingAt(5), "no wait for getline");
    ok(gN == 5, "int before getline %d", gN);
    cap = placeOf(hwndInputCaption);
    ok(cap.left == 250 && cap.top == 0, "caption box for getline at (%ld, %ld)", cap.left, cap.top);
    enterLine(hwndInput, "abc");
    ok(waitingAt(6), "getline did not return");
    ok(gLine == "abc ", "getline gave [%s]", gLine.c_str());

    // History: "12 34", "3.5x", "8", "5 rest", "abc".
    const char* const up1[] = {"abc", "5 rest", "8", "3.5x", "12 34", "12 34"};
    for (int i = 0; i < 6; ++i) {
        pressKey(hwndInput, VK_UP);
        ok(qc_wait_for([&] { return qc_text(hwndInput) == up1[i]; }, 2000), "Up %d shows [%s], expected [%s]", i + 1,
           qc_text(hwndInput).c_str(), up1[i]);
    }
    const char* const down[] = {"3.5x", "8", "5 rest", "abc", "abc"};
    for (int i = 0; i < 5; ++i) {
        pressKey(hwndInput, VK_DOWN);
        ok(qc_wait_for([&] { return qc_text(hwndInput) == down[i]; }, 2000), "Down %d shows [%s], expected [%s]",
           i + 1, qc_text(hwndInput).c_str(), down[i]);
    }
    pressKey(hwndInput, VK_UP);
    pressKey(hwndInput, VK_RETURN);  // takes the recalled line "5 rest"
    ok(waitingAt(7), "a recalled line was not taken");
    ok(gHist == 5, "recalled line gave %d", gHist);
    ok(_win.strBack.size() == 6 && _win.index == 6, "history %u entries, cursor %d", (unsigned)_win.strBack.size(),
       _win.index);

    ok(qc_text(hwndInputCaption) == qc_ansi(L"数字"), "caption after cinCaption [%s]", qc_text(hwndInputCaption).c_str());
    enterLine(hwndInput, "3");

    // The canvas box beside the pen, in a grey frame; the picture under it comes back.
    ok(waitingAt(20, _editin.inputON), "no wait in the canvas box (phase %d)", phase);
    const int px = xScn(pen.x()), py = yScn(pen.y());
    RECT box = placeOf(hwndEdit);
    ok(IsWindowVisible(hwndEdit) && box.left == px + 15 && box.top == py + 15 && box.right - box.left == 150 &&
           box.bottom - box.top == 30,
       "canvas box visible %d at (%ld, %ld) %ldx%ld, pen pixel (%d, %d)", IsWindowVisible(hwndEdit), box.left, box.top,
       box.right - box.left, box.bottom - box.top, px, py);
    ok(GetPixel(pen.getHdc(), box.left - 1, box.top - 1) == RGB(211, 211, 211), "frame pixel %06lx",
       GetPixel(pen.getHdc(), box.left - 1, box.top - 1));
    ok(editX == px + 15 && editY == py + 15, "editX/editY (%d, %d)", editX, editY);
    enterLine(hwndEdit, "9.25");
    ok(waitingAt(21, _editin.inputON), "the canvas box did not take its line");
    ok(gE1 == 9.25, "canvas box read %g", gE1);
    ok(qc_wait_for([] { return gEditLateDiffs >= 0; }, 3000) && gEditDiffs == 0 && gEditLateDiffs == 0,
       "pixels differing after the canvas box went away: %ld, later %ld", gEditDiffs, gEditLateDiffs);
    box = placeOf(hwndEdit);
    ok(box.left == px && box.top == py && box.right - box.left == 200 && box.bottom - box.top == 40,
       "_setEdit(0, 0, 200, 40): box at (%ld, %ld) %ldx%ld, pen pixel (%d, %d)", box.left, box.top,
       box.right - box.left, box.bottom - box.top, px, py);
    pressKey(hwndEdit, VK_UP);
    ok(qc_wait_for([] { return qc_text(hwndEdit) == "9.25"; }, 2000), "the canvas box's own history shows [%s]",
       qc_text(hwndEdit).c_str());
    pressKey(hwndEdit, VK_RETURN);

    // No line is lost and none read twice: 200 lines are entered as fast as the UI thread
    // takes them, without waiting for the worker to ask; those entered while it was not
    // waiting are read by its next reads, in order.
    ok(qc_wait_for([] { return phase == 30; }, 3000), "not at the quick reads (phase %d)", phase);
    const DWORD quick0 = GetTickCount();
    const size_t history0 = _win.strBack.size();
    for (int i = 0; i < 200; ++i) {
        SetWindowTextA(hwndInput, "1");
        SendMessageA(hwndInput, WM_KEYDOWN, VK_RETURN, 1);
    }
    ok(qc_wait_for([] { return phase == 40; }, 15000) && gSum == 200,
       "quick reads: sum %ld of 200, phase %d, waiting %d", (long)gSum, phase, _win.inputON);
    printf("200 quick reads: %lu ms\n", (unsigned long)(GetTickCount() - quick0));
    ok(_win.strBack.size() == history0 + 200, "history grew by %u lines", (unsigned)(_win.strBack.size() - history0));
    SetWindowTextA(hwndInput, "");

    // Paused while waiting: the line alone does not let it go on, Continue does.
    ok(waitingAt(40), "no wait before pausing");
    qc_command(9);
    ok(_pauseOn, "Pause did not pause while waiting");
    enterLine(hwndInput, "41");
    ok(qc_wait_for([] { return !_win.inputON; }, 2000), "the line was not taken while paused");
    Sleep(300);
    ok(phase == 40, "a paused run went on after the line: phase %d", phase);
    qc_command(9);
    ok(waitingAt(41), "Continue after the line did not go on (phase %d)", phase);
    ok(gPause1 == 41, "read while paused %d", gPause1);
    // Pause and Continue alone do not end the wait; the line does.
    qc_command(9);
    qc_command(9);
    Sleep(200);
    ok(phase == 41 && _win.inputON, "Pause and Continue ended the wait: phase %d", phase);
    enterLine(hwndInput, "42");
    ok(waitingAt(50), "the line after Continue was not taken");
    ok(gPause2 == 42, "read after pause %d", gPause2);

    // The keyboard: the box has the focus; the Enter that takes a line leaves no line break.
    SetForegroundWindow(hwndMain);
    Sleep(100);
    INPUT in[6];
    ZeroMemory(in, sizeof in);
    const WORD keys[3] = {'4', '7', VK_RETURN};
    for (int i = 0; i < 6; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i / 2];
        in[i].ki.dwFlags = (i % 2) ? KEYEVENTF_KEYUP : 0;
    }
    ok(SendInput(6, in, sizeof(INPUT)) == 6, "SendInput failed");
    ok(waitingAt(51), "typed keys did not reach the box (phase %d, box [%s], focus %p, box %p)", phase,
       qc_text(hwndInput).c_str(), (void*)GetFocus(), (void*)hwndInput);
    ok(gKeys == 47, "typed value %d", gKeys);
    ok(qc_text(hwndInput).empty(), "box after the typed line: [%s]", qc_text(hwndInput).c_str());
    in[0].ki.wVk = in[1].ki.wVk = 'Q';
    in[2].ki.wVk = in[3].ki.wVk = VK_RETURN;
    SendInput(4, in, sizeof(INPUT));
    ok(qc_wait_for([] { return gFirstDone; }, 3000), "getline by keyboard did not return");
    ok(gLine2 == "q ", "getline by keyboard gave [%s]", gLine2.c_str());
    ok(qc_wait_idle(5000), "the first run did not end");
    const RECT cap2 = placeOf(hwndInputCaption);
    ok(cap2.left == 250 && cap2.top == -100 && !IsWindowVisible(hwndEdit), "boxes after the reads: caption at (%ld, %ld), canvas box visible %d",
       cap2.left, cap2.top, IsWindowVisible(hwndEdit));
}

// Starts a run in the given mode from the idle state and waits until its code runs.
static bool startRun(int m) {
    mode = m;
    started = false;
    waitingAgain = false;
    qc_command(1);
    return qc_wait_for([] { return started && _runing; }, 5000);
}

// Each run reads one line (so it works after the last stop), prints it and waits again,
// in the input line or in the canvas box; then it is stopped, sometimes while paused.
static void stopWhileWaiting() {
    const std::string endBanner = qc_ansi(L"==== 运行结束  ====");
    DWORD worst = 0;
    int failedCycles = 0;
    for (int cycle = 0; cycle < 50 && failedCycles < 3; ++cycle) {
        const long before = qc_failures;
        const bool onCanvas = cycle % 10 == 9, paused = cycle % 5 == 4;
        volatile bool& flag = onCanvas ? _editin.inputON : _win.inputON;
        ok(startRun(onCanvas ? ReadThenEdit : ReadThenWait), "cycle %d: no run started", cycle);
        ok(qc_wait_for([] { return (bool)_win.inputON; }, 3000), "cycle %d: the run does not ask", cycle);
        enterLine(hwndInput, "5");
        ok(qc_wait_for([&] { return waitingAgain && flag; }, 3000), "cycle %d: the run does not wait again", cycle);
        ok(qc_text(hwndOutput).find("got 5\r\n") != std::string::npos, "cycle %d: pane [%s]", cycle,
           qc_text(hwndOutput).c_str());
        if (paused) {
            qc_command(9);
            ok(_pauseOn, "cycle %d: no pause", cycle);
        }
        const DWORD t0 = GetTickCount();
        qc_command(1);
        if (GetTickCount() - t0 > worst) worst = GetTickCount() - t0;
        ok(qc_wait_idle(2000), "cycle %d: the run did not end", cycle);
        ok(!_win.inputON && !_editin.inputON, "cycle %d: still marked waiting", cycle);
        ok(placeOf(hwndInputCaption).top == -100 && !IsWindowVisible(hwndEdit), "cycle %d: a box stayed in view",
           cycle);
        ok(qc_count(qc_text(hwndOutput), endBanner) == 1, "cycle %d: %d end banners", cycle,
           qc_count(qc_text(hwndOutput), endBanner));
        if (qc_failures != before) ++failedCycles;
    }
    // The run after the last stop reads and ends by itself.
    ok(startRun(ReadOne), "no run after the last stop");
    ok(qc_wait_for([] { return (bool)_win.inputON; }, 3000), "the last run does not ask");
    enterLine(hwndInput, "6");
    ok(qc_wait_idle(3000) && qc_text(hwndOutput).find("got 6\r\n") != std::string::npos, "the last run: [%s]",
       qc_text(hwndOutput).c_str());
    printf("stop while waiting for input: 50 cycles, slowest stop %lu ms\n", (unsigned long)worst);
    fflush(stdout);
}

static void driver() {
    checkFirstRun();
    ok(qc_wait_idle(5000), "the first run did not end");
    stopWhileWaiting();
}

int main() {
    const int run = ++runs;
    if (run == 1) {
        qc_watchdog(90000);
        qc_start_driver(driver);
        firstRun();
        return 0;
    }
    started = true;
    int n = 0;
    cin >> n;
    cout << "got " << n << endl;
    waitingAgain = true;
    double x = 0;
    if (mode == ReadThenWait) cin >> x;
    if (mode == ReadThenEdit) _editin >> x;
    return 0;
}
