// The run lifecycle as a user drives it: the first run starts by itself, re-runs by hot
// key, right click and wheel, what each of them does while a run is active, pause and
// continue, the menu-bar buttons in every state, and the window services.
#include <qiv_check.h>

static volatile int runs = 0;          // runs started so far
static volatile bool release = false;  // lets a waiting run return
static volatile long counter = 0;      // advanced by a run while it is not paused
static double seenOX, seenOY, seenScale;
static COLORREF seenOldLine;
static int lineX, lineY;  // a pixel of the first run's line

static bool runNumberIs(int n) { return runs == n; }

// Runs 7 and after: a chain of runs, each requesting the next as it ends.
static const int kChainedRuns = 20;
// The close hook runs inside the stop sequence, before the run counts as ended; the request
// is sent the moment it does, while the sequence's last steps still run.
static DWORD WINAPI requestWhenEnded(LPVOID) {
    while (_runing) Sleep(0);
    PostMessageA(hwndMain, WM_HOTKEY, 114, MAKELPARAM(MOD_CONTROL, 'R'));
    return 0;
}
static void requestNextRun() { CloseHandle(CreateThread(NULL, 0, requestWhenEnded, NULL, 0, NULL)); }

static void waitForRelease() {
    while (!release) {
        ++counter;
        wait(0.005);
    }
    release = false;
}

static void checkBar(int position, UINT id, HBITMAP face, const wchar_t* text, bool disabled, int line) {
    const QcBarItem item = qc_bar_item(position);
    qc_ok(item.id == id, __FILE__, line, "bar item %d: command %u, expected %u", position, item.id, id);
    qc_ok(item.face == face, __FILE__, line, "bar item %d: face %p, expected %p", position, (void*)item.face, (void*)face);
    qc_ok(item.text == text, __FILE__, line, "bar item %d: text %ls, expected %ls", position, item.text.c_str(), text);
    qc_ok(item.disabled == disabled, __FILE__, line, "bar item %d: disabled %d, expected %d", position, item.disabled, disabled);
}

static void firstRun() {
    RECT rc;
    GetClientRect(hwndDraw, &rc);
    // The origin is the centre of the canvas as it was created, before the first layout took
    // the 2-pixel strip off its height.
    ok(pen.getOX() == rc.right / 2.0 && fabs(pen.getOY() - rc.bottom / 2.0) <= 1.0, "origin (%g, %g), canvas %ldx%ld",
       pen.getOX(), pen.getOY(), rc.right, rc.bottom);
    ok(pen.x() == 0 && pen.y() == 0 && pen.getAngle() == 0, "start state (%g, %g) heading %g", pen.x(), pen.y(),
       pen.getAngle());
    ok(qc_text(hwndOutput) == qc_ansi(L"==== 运行中... ====\r\n"), "pane at start: [%s]", qc_text(hwndOutput).c_str());
    ok(qc_text(hwndMain) == "run_lifecycle_test" && getCurName() == "run_lifecycle_test", "title [%s], name [%s]",
       qc_text(hwndMain).c_str(), getCurName().c_str());
    ok(getCurPath().size() > 2 && getCurPath()[getCurPath().size() - 1] != '\\', "path [%s]", getCurPath().c_str());
    checkBar(3, 1, _hbitmapStop, L"终止运行(&S)", false, __LINE__);
    checkBar(4, 9, _hbitmapPause, L"暂停(&P)", false, __LINE__);

    // A line upward from the origin in the start colour.
    const int ox = (int)pen.getOX(), oy = (int)pen.getOY();
    lineX = ox;
    lineY = oy - 50;
    pen.fd(100);
    ok(fabs(pen.x()) < 1e-9 && fabs(pen.y() - 100) < 1e-9, "after fd(100): (%g, %g)", pen.x(), pen.y());
    ok(GetPixel(pen.getHdc(), ox, oy - 50) == RGB(0, 0, 205), "line pixel %06lx", GetPixel(pen.getHdc(), ox, oy - 50));
    ok(GetPixel(pen.getHdc(), ox, oy - 99) == RGB(0, 0, 205), "line end pixel %06lx", GetPixel(pen.getHdc(), ox, oy - 99));
    ok(GetPixel(pen.getHdc(), ox + 10, oy - 50) == RGB(255, 255, 255), "beside the line %06lx",
       GetPixel(pen.getHdc(), ox + 10, oy - 50));
    ok(GetPixel(pen.getHdc(), ox, oy - 110) == RGB(255, 255, 255), "beyond the line end %06lx",
       GetPixel(pen.getHdc(), ox, oy - 110));
    cout << 2.0 << ' ' << 2 << endl;
}

static void driver() {
    const std::string start = qc_ansi(L"==== 运行中... ====\r\n");
    const std::string end = qc_ansi(L"\r\n==== 运行结束  ====\r\n");

    ok(qc_wait_idle(5000), "first run did not end");
    ok(qc_text(hwndOutput) == start + "2.00 2\r\n" + end, "pane after the first run: [%s]", qc_text(hwndOutput).c_str());
    checkBar(3, 1, _hbitmapRun, L"运行(&R)", false, __LINE__);
    checkBar(4, 9, NULL, L"", true, __LINE__);
    ok(!RegisterHotKey(NULL, 1, MOD_CONTROL, 'R'), "Ctrl+R is not registered system-wide");
    ok(!RegisterHotKey(NULL, 2, MOD_CONTROL, 'Q'), "Ctrl+Q is not registered system-wide");

    // Ctrl+R while idle runs again; while a run is active it does nothing.
    ok(qc_press_ctrl('R'), "could not press Ctrl+R");
    ok(qc_wait_for([] { return runNumberIs(2) && _runing; }, 5000), "Ctrl+R while idle did not re-run");
    qc_press_ctrl('R');
    PostMessageA(hwndDraw, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    PostMessageA(hwndMain, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(300, 300));
    Sleep(300);
    ok(runs == 2 && _firstRun == 0, "a request while running was taken: runs %d, _firstRun %d", runs, _firstRun);
    ok(pen.getScale() == 1.0, "the wheel zoomed while running: %g", pen.getScale());
    release = true;
    ok(qc_wait_idle(5000), "second run did not end");

    // Right click while idle: the origin moves to the click and the canvas is erased.
    PostMessageA(hwndDraw, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 80));
    ok(qc_wait_for([] { return runNumberIs(3); }, 5000), "right click did not re-run");
    ok(qc_wait_idle(5000), "third run did not end");
    ok(seenOX == 100 && seenOY == 80, "origin after right click (%g, %g)", seenOX, seenOY);
    ok(seenOldLine == RGB(255, 255, 255), "the first run's line survived the re-run: %06lx", seenOldLine);

    // One wheel notch forward zooms by 1.2 and re-runs; during that run a notch does nothing;
    // afterwards a notch backward zooms by 0.8.
    PostMessageA(hwndMain, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(300, 300));
    ok(qc_wait_for([] { return runNumberIs(4) && _runing; }, 5000), "wheel did not re-run");
    PostMessageA(hwndMain, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(300, 300));
    Sleep(200);
    release = true;
    ok(qc_wait_idle(5000), "fourth run did not end");
    ok(fabs(seenScale - 1.2) < 1e-12, "scale in the zoomed run %g", seenScale);
    ok(fabs(pen.getScale() - 1.2) < 1e-12, "a second notch zoomed again: %g", pen.getScale());
    ok(_mouseWhell == 0, "the wheel stays blocked after its run: %d", _mouseWhell);
    PostMessageA(hwndMain, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), MAKELPARAM(300, 300));
    ok(qc_wait_for([] { return runNumberIs(5) && _runing; }, 5000), "backward notch did not re-run");
    ok(fabs(pen.getScale() - 0.96) < 1e-12, "scale after a notch back %g", pen.getScale());

    // Pause holds the run where it is; Continue lets it go on.
    qc_command(9);
    ok(_pauseOn, "Pause did not pause");
    checkBar(4, 9, _hbitmapContinue, L"继续运行(&C)", false, __LINE__);
    const long frozen = counter;
    Sleep(200);
    ok(counter == frozen, "a paused run went on: %ld -> %ld", frozen, (long)counter);
    qc_command(9);
    ok(!_pauseOn, "Continue did not continue");
    checkBar(4, 9, _hbitmapPause, L"暂停(&P)", false, __LINE__);
    ok(qc_wait_for([frozen] { return counter > frozen + 5; }, 2000), "a continued run does not advance");
    release = true;
    ok(qc_wait_idle(5000), "fifth run did not end");

    // The Run button re-runs while idle.
    qc_command(1);
    ok(qc_wait_for([] { return runNumberIs(6); }, 5000), "Run did not re-run");
    ok(qc_wait_idle(5000), "sixth run did not end");

    // Ctrl+R arriving just as a program ends (its stop sequence still running) is not lost:
    // each of these runs asks for the next one from its panel's close hook.
    qc_command(1);
    ok(qc_wait_for([] { return runs >= 7 + kChainedRuns && !_runing; }, 20000),
       "a re-run requested at the end of a run was lost: %d of %d runs", runs - 7, kChainedRuns);
    ok(qc_wait_idle(5000), "the chained runs did not end");
}

static void checkWindowsShares() {
    // windows(10, 1, 0) in a client area 602 pixels high gives a 54-pixel pane; later calls
    // without force change nothing, with force they apply at once.
    ok(layout.height == 602, "client height %d, expected 602", layout.height);
    windows(10, 1, 0);
    RECT rc;
    GetWindowRect(hwndOutput, &rc);
    ok(layout.outWinSize == 54 && rc.bottom - rc.top == 54, "pane %d / %ld high", layout.outWinSize, rc.bottom - rc.top);
    windows(1, 3, 0);
    ok(layout.outWinSize == 54, "a second windows() without force applied: %d", layout.outWinSize);
    windows(1, 3, 1);
    ok(layout.outWinSize == 450, "windows(1, 3, 1): %d", layout.outWinSize);
}

int main() {
    const int run = ++runs;
    if (run == 1) {
        qc_watchdog(60000);
        firstRun();
        qc_start_driver(driver);
    } else if (run == 2 || run == 4 || run == 5) {
        seenScale = pen.getScale();
        waitForRelease();
    } else if (run == 3) {
        seenOX = pen.getOX();
        seenOY = pen.getOY();
        seenOldLine = GetPixel(pen.getHdc(), lineX, lineY);
    } else if (run >= 7 && run < 7 + kChainedRuns) {
        openDilog(_emptyDilog, requestNextRun);
    } else if (run >= 7 + kChainedRuns) {
        closeDilog();
    } else if (run == 6) {
        // Size the window so that its client area is 602 pixels high, whatever the frame.
        RECT outer, client;
        GetWindowRect(hwndMain, &outer);
        GetClientRect(hwndMain, &client);
        SetWindowPos(hwndMain, NULL, 0, 0, 800 + (outer.right - outer.left) - client.right,
                     602 + (outer.bottom - outer.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
        checkWindowsShares();
    }
    return 0;
}
