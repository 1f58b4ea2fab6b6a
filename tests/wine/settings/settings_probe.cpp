// The window settings under a real main window, driven by settings_file.sh:
//   settings_probe move                 moves and resizes the window, drags the strip to a
//                                       200-pixel pane, and closes it while a program runs
//   settings_probe expect T L W H P     checks that the window starts at (L, T), W x H
//                                       outer, with a P-pixel output pane, then closes it
// Closing must finish without any message box: the close is sent with a time limit.
#include <qiv_check.h>

static volatile int runs = 0;
static volatile bool looping = false;
static volatile bool inLoop = false;

extern LPSTR _lpCmdLine;  // the words after the program name on the command line

// Prints the totals; ends the process at once when a check failed, otherwise closes the
// main window as the user does and lets the program end by itself.
static void closeWindow() {
    printf("%s: %ld checks, %ld passed, %ld failed before closing\n", getCurName().c_str(), (long)qc_checks,
           (long)(qc_checks - qc_failures), (long)qc_failures);
    fflush(stdout);
    if (qc_failures != 0) ExitProcess(1);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwndMain, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &result)) {
        printf("%s: closing the window did not finish in 10 s (a message box?)\n", getCurName().c_str());
        fflush(stdout);
        ExitProcess(2);
    }
    Sleep(INFINITE);  // WinMain returns with 0 when the message loop ends
}

static void moveResizeAndDrag() {
    SetWindowPos(hwndMain, NULL, 40, 60, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rc;
    GetWindowRect(hwndMain, &rc);
    ok(rc.left == 40 && rc.top == 60 && rc.right == 740 && rc.bottom == 560, "window at %ld,%ld-%ld,%ld", rc.left,
       rc.top, rc.right, rc.bottom);
    // Drag the strip up until the pane is 200 pixels high.
    const int line = layout.getLine1();
    const int lift = 200 - layout.outWinSize;
    SendMessageA(hwndMain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, line));
    SendMessageA(hwndMain, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, line - lift));
    SendMessageA(hwndMain, WM_LBUTTONUP, 0, MAKELPARAM(100, line - lift));
    ok(layout.outWinSize == 200, "the drag left a pane of %d pixels", layout.outWinSize);
    // Close while a program runs: the run is stopped first, then the settings are stored.
    looping = true;
    qc_command(1);
    ok(qc_wait_for([] { return inLoop && _runing; }, 5000), "the looping run did not start");
}

static void expectPlacement(int top, int left, int width, int height, int pane) {
    RECT rc;
    GetWindowRect(hwndMain, &rc);
    ok(rc.left == left && rc.top == top && rc.right - rc.left == width && rc.bottom - rc.top == height,
       "window at (%ld, %ld) %ldx%ld, expected (%d, %d) %dx%d", rc.left, rc.top, rc.right - rc.left,
       rc.bottom - rc.top, left, top, width, height);
    ok(layout.outWinSize == pane, "output pane %d, expected %d", layout.outWinSize, pane);
    RedrawWindow(hwndMain, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GetWindowRect(hwndOutput, &rc);
    ok(rc.bottom - rc.top == pane, "the output pane window is %ld high, expected %d", rc.bottom - rc.top, pane);
}

static void driver() {
    ok(qc_wait_idle(5000), "the first run did not end");
    const std::string args = _lpCmdLine;
    int v[5];
    if (args == "move") {
        moveResizeAndDrag();
    } else if (sscanf(args.c_str(), "expect %d %d %d %d %d", &v[0], &v[1], &v[2], &v[3], &v[4]) == 5) {
        expectPlacement(v[0], v[1], v[2], v[3], v[4]);
    } else {
        ok(false, "unknown arguments [%s]", args.c_str());
    }
    closeWindow();
}

int main() {
    ++runs;
    if (runs == 1) {
        qc_watchdog(30000);
        qc_start_driver(driver);
    } else if (looping) {
        inLoop = true;
        for (;;) wait(0.02);
    }
    return 0;
}
