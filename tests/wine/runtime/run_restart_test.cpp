// Run right after Stop always starts exactly one run: Stop then Run back to back, the Run
// coming from the button, the hot key Ctrl+R or a right click on the canvas, for about 40
// seconds with a second thread keeping another core busy. Every run that did not start, or
// started twice, counts. Also: a Stop pressed as the program ends by itself starts nothing,
// and a line typed and entered before the program asks for it is what the program reads.
#include <qiv_check.h>

enum Mode { Drawing, TightLoop, Ends, Reads };

static volatile int mode = Drawing;
static volatile LONG runs = 0;
static volatile int readValue = -1;

int main() {
    InterlockedIncrement(&runs);
    if (runs == 1) {
        qc_watchdog(120000);
        extern void driver();
        qc_start_driver(driver);
        return 0;
    }
    switch (mode) {
    case Drawing:
        for (;;) pen.fd(1).rt(7);
    case TightLoop: {
        volatile unsigned long spin = 0;
        for (;;) ++spin;
    }
    case Ends: wait(0.2); break;
    case Reads: {
        wait(0.4);  // the line is typed and entered before cin asks
        int n = 0;
        cin >> n;
        readValue = n;
        break;
    }
    }
    return 0;
}

static volatile bool loading = true;
static DWORD WINAPI loadCore(LPVOID) {
    volatile unsigned long long spin = 0;
    while (loading) ++spin;
    return 0;
}

// Presses Run/Stop from inside the end of a run: the first time the input line is emptied
// while armed and the run flag is down.
static WNDPROC paneProc = NULL;
static volatile bool armed = false, stopPressed = false;
static LRESULT CALLBACK pressStopInEnd(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (armed && !_runing && msg == EM_REPLACESEL) {
        armed = false;
        stopPressed = true;
        SendMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(1, 0), 0);
    }
    return CallWindowProcA(paneProc, hwnd, msg, wParam, lParam);
}

enum Trigger { Button, HotKey, RightClick, TriggerCount };
static const char* const kTriggerNames[] = {"the Run button", "Ctrl+R", "a right click"};

static void pressRun(int trigger) {
    switch (trigger) {
    case Button: qc_command(1); break;
    case HotKey: PostMessageA(hwndMain, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL, 'R')); break;
    case RightClick: PostMessageA(hwndDraw, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 150)); break;
    }
}

static bool started(LONG before) {
    return qc_wait_for([=] { return runs > before && _runing; }, 5000);
}

void driver() {
    ok(qc_wait_idle(5000), "the first run did not end");
    HANDLE load = CreateThread(NULL, 0, loadCore, NULL, 0, NULL);
    int cycles = 0, notStarted[TriggerCount] = {0, 0, 0}, doubled = 0;
    const DWORD begin = GetTickCount();
    while (GetTickCount() - begin < 40000 && qc_failures < 5) {
        mode = cycles % 8 == 7 ? TightLoop : Drawing;
        const int trigger = cycles % TriggerCount;
        LONG before = runs;
        pressRun(trigger);
        if (!started(before)) {
            ++notStarted[trigger];
            ok(false, "cycle %d: %s after Stop started no run", cycles, kTriggerNames[trigger]);
            break;
        }
        qc_command(1);  // Stop, then the next cycle's Run at once
        ok(!_runing && WaitForSingleObject(work_hand, 2000) == WAIT_OBJECT_0, "cycle %d: still running after Stop",
           cycles);
        if (runs != before + 1) ++doubled;
        ++cycles;
    }
    loading = false;
    WaitForSingleObject(load, 2000);
    CloseHandle(load);
    printf("run after stop: %d cycles in %lu ms, not started %d/%d/%d (button/Ctrl+R/right click), doubled %d\n",
           cycles, (unsigned long)(GetTickCount() - begin), notStarted[0], notStarted[1], notStarted[2], doubled);
    fflush(stdout);
    // Enough cycles to mean something even when the machine is busy with other work too.
    ok(cycles >= 30, "only %d cycles", cycles);
    ok(doubled == 0, "%d presses started two runs", doubled);

    // A Stop pressed while the program ends by itself, after the run flag went down but before
    // the button turned back into Run (the end empties the input line then: the press comes
    // from inside that), stops nothing and starts nothing.
    paneProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwndInput, GWLP_WNDPROC, (LONG_PTR)pressStopInEnd));
    for (int cycle = 0; cycle < 10; ++cycle) {
        mode = Ends;
        const LONG before = runs;
        qc_command(1);
        ok(qc_wait_for([=] { return runs > before && _runing; }, 5000), "end race %d: no run", cycle);
        stopPressed = false;
        armed = true;
        ok(qc_wait_idle(5000), "end race %d: not idle", cycle);
        Sleep(150);
        ok(stopPressed, "end race %d: no Stop pressed in the end", cycle);
        ok(runs == before + 1 && !_runing, "end race %d: the Stop pressed as the program ended started a run", cycle);
    }
    armed = false;
    SetWindowLongPtrA(hwndInput, GWLP_WNDPROC, (LONG_PTR)paneProc);

    // A line entered while the program was not waiting for one is read by its next cin.
    mode = Reads;
    readValue = -1;
    const LONG before = runs;
    qc_command(1);
    ok(qc_wait_for([=] { return runs > before; }, 5000), "reading run did not start");
    SendMessageA(hwndInput, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("42"));
    PostMessageA(hwndInput, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(hwndInput, WM_CHAR, '\r', 1);
    ok(qc_wait_idle(5000), "the program did not read the line entered before its cin");
    ok(readValue == 42, "cin read %d, expected the 42 entered before", readValue);
}
