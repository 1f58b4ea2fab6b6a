// Pause holds the program in every state: after the Pause command returns the program makes
// no more progress (its own counter stands still) until Continue, and then goes on. Each
// state is paused 10 times; the slowest Pause and the most steps a program made between the
// window's receiving Pause and its halt are printed.
#include <qiv_check.h>

enum Mode { InstantLines, OutputLoop, TightLoop, SlowHead, Shapes, Text, ModeCount };
static const char* const kModeNames[] = {"instant lines", "cout loop", "tight loop",
                                         "slow motion with head", "shapes", "pen text"};

static volatile int mode = InstantLines;
static volatile int runs = 0;
static volatile bool started = false;
static volatile long progress = 0;  // counted by the program as it goes

int main() {
    ++runs;
    progress = 0;
    started = true;
    if (runs == 1) {
        qc_watchdog(300000);
        extern void driver();
        qc_start_driver(driver);
        return 0;
    }
    switch (mode) {
    case InstantLines:
        for (;;) {
            pen.fd(200).rt(121);
            ++progress;
        }
    case OutputLoop:
        for (;;) cout << ++progress << ' ';
    case TightLoop:
        for (;;) ++progress;
    case SlowHead:
        pen.show().speed(7);
        for (;;) {
            pen.fd(20).rt(33);
            ++progress;
        }
    case Shapes:
        for (;;) {
            pen.o(40).rr(10, 10).fd(3).rt(17);
            ++progress;
        }
    case Text:
        for (;;) {
            pen << progress;
            pen.rt(10).fd(5);
            ++progress;
        }
    }
    return 0;
}

// The program's progress at the moment the main window receives the Pause command (the
// window is subclassed for that), so the count below leaves out how long the command took
// to arrive.
static volatile long atDelivery = 0;
static volatile bool delivered = false;
static WNDPROC mainProc = NULL;
static LRESULT CALLBACK watchCommands(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && LOWORD(wParam) == 9 && !delivered) {
        atDelivery = progress;
        delivered = true;
    }
    return CallWindowProcA(mainProc, hwnd, msg, wParam, lParam);
}

static bool startRun(int m) {
    mode = m;
    started = false;
    qc_command(1);
    return qc_wait_for([] { return started && _runing; }, 5000);
}

void driver() {
    ok(qc_wait_idle(5000), "the first run did not end");
    mainProc = (WNDPROC)SetWindowLongPtrA(hwndMain, GWLP_WNDPROC, (LONG_PTR)watchCommands);
    ok(mainProc != NULL, "the main window could not be subclassed");
    for (int m = 0; m < ModeCount; ++m) {
        DWORD slowest = 0;
        long mostSteps = 0;
        for (int cycle = 0; cycle < 10; ++cycle) {
            ok(startRun(m), "%s: run %d did not start", kModeNames[m], cycle);
            Sleep(30 + cycle * 7);
            delivered = false;
            const DWORD t0 = GetTickCount();
            qc_command(9);
            const DWORD spent = GetTickCount() - t0;
            ok(delivered, "%s: the window did not see the Pause command", kModeNames[m]);
            // Steps the program made from the window's receiving Pause to its halt: a figure
            // (the UI thread may lose the processor in between), printed below.
            if (m != TightLoop && progress - atDelivery > mostSteps) mostSteps = progress - atDelivery;
            if (spent > slowest) slowest = spent;
            ok(_pauseOn, "%s: run %d did not pause", kModeNames[m], cycle);
            const long held = progress;
            Sleep(150);
            ok(progress == held, "%s: the program went on %ld steps after Pause", kModeNames[m], progress - held);
            qc_command(9);  // Continue
            ok(!_pauseOn && qc_wait_for([&] { return progress != held; }, 3000), "%s: no progress after Continue",
               kModeNames[m]);
            qc_command(1);
            ok(qc_wait_idle(5000), "%s: the run did not stop", kModeNames[m]);
        }
        printf("pause during %s: slowest %lu ms of 10, at most %ld steps after the window received it\n",
               kModeNames[m], (unsigned long)slowest, mostSteps);
        fflush(stdout);
    }
    SetWindowLongPtrA(hwndMain, GWLP_WNDPROC, (LONG_PTR)mainProc);
}
