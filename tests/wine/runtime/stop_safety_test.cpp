// Stopping a run from the window never deadlocks and never leaves the program unusable,
// whatever the worker is doing: a loop of its own that calls nothing of the runtime, one
// that allocates memory all the time, a long wait, pen motion, output, paused in any of
// them. Each state is stopped 50 times in a row; after every stop the end banner appears
// exactly once and a new run starts and finishes normally. Last, a worker whose exit takes
// 20 s is waited for, not ended by force, and the next run starts.
#include <qiv_check.h>

#include <vector>

enum Mode { Finish, TightLoop, HeapLoop, LongWait, Motion, Output, ModeCount, SlowExit = ModeCount };
static const char* const kModeNames[] = {"finish", "tight loop", "heap loop", "wait(10)", "pen motion", "cout loop"};

static volatile int mode = Finish;
static volatile int runs = 0;  // runs begun, this program's first included
static volatile bool started = false;  // the current run has reached the program's own code
static volatile bool finished = false; // a Finish run got to its end

// A thread leaving the process is detached from every module under the system's loader lock;
// this callback makes that take 20 s for one chosen worker, as a loaded machine may make a
// thread's exit slow, long past the stop's attempts to catch the worker in its own code. Ended
// by force in there, the thread keeps the lock for good: every later thread, the next run's
// worker, hangs before its first line, and even the process's exit hangs.
static volatile DWORD slowThread = 0;
static volatile LONG slowDetaches = 0;
static void NTAPI onThreadEvent(PVOID, DWORD reason, PVOID) {
    if (reason == DLL_THREAD_DETACH && slowThread != 0 && GetCurrentThreadId() == slowThread) {
        InterlockedIncrement(&slowDetaches);
        Sleep(20000);
    }
}
extern "C" __attribute__((section(".CRT$XLY"), used)) const PIMAGE_TLS_CALLBACK qcThreadCallback = onThreadEvent;

int main() {
    ++runs;
    started = true;
    if (runs == 1) {
        qc_watchdog(850000);  // 3-5 minutes on a quiet machine, up to 9 on a loaded one
        extern void driver();
        qc_start_driver(driver);
        return 0;
    }
    switch (mode) {
    case Finish:
        cout << "finished" << endl;
        finished = true;
        break;
    case TightLoop: {
        volatile unsigned long spin = 0;
        for (;;) ++spin;
    }
    case HeapLoop: {
        volatile size_t total = 0;
        for (;;) {
            string s;
            for (int i = 0; i < 100; ++i) s += "abcdefgh";
            int* block = new int[1000];
            block[0] = (int)s.size();
            total += block[0];
            delete[] block;
        }
    }
    case LongWait: wait(10); break;
    case Motion:
        for (;;) pen.fd(50).rt(91);
    case Output:
        for (long i = 0;; ++i) cout << i << ' ';
    case SlowExit:
        slowThread = GetCurrentThreadId();
        for (;;) pen.fd(50).rt(91);
    }
    return 0;
}

// Watches what is written to the output pane: every replacement of its selection, in order.
static WNDPROC paneProc = NULL;
static CRITICAL_SECTION paneLock;
static std::vector<std::string> paneWrites;

static LRESULT CALLBACK paneSpy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == EM_REPLACESEL && lParam != 0) {
        EnterCriticalSection(&paneLock);
        paneWrites.push_back(reinterpret_cast<const char*>(lParam));
        LeaveCriticalSection(&paneLock);
    }
    return CallWindowProcA(paneProc, hwnd, msg, wParam, lParam);
}

static void startPaneSpy() {
    InitializeCriticalSection(&paneLock);
    paneWrites.clear();
    paneProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwndOutput, GWLP_WNDPROC, (LONG_PTR)paneSpy));
}

// Ends the watch; the writes seen as letters: E end banner, S start banner, C pane emptied
// (other output is left out).
static std::string stopPaneSpy(const std::string& startBanner, const std::string& endBanner) {
    SetWindowLongPtrA(hwndOutput, GWLP_WNDPROC, (LONG_PTR)paneProc);
    std::string events;
    EnterCriticalSection(&paneLock);
    for (const std::string& text : paneWrites) {
        if (text.empty()) events += 'C';
        if (text.find(startBanner) != std::string::npos) events += 'S';
        if (text.find(endBanner) != std::string::npos) events += 'E';
    }
    LeaveCriticalSection(&paneLock);
    DeleteCriticalSection(&paneLock);
    return events;
}

// A panel asked for while a stop waits for the worker (the worker's request arrives in that
// moment) must not open: its loop would hold the stop until someone closed it.
extern void (*openDilogFun)();
static volatile LONG panelsOpenedDuringStop = 0;
static volatile bool stopping = false;
static void recordPanelOpen() {
    if (stopping) InterlockedIncrement(&panelsOpenedDuringStop);
}
static DWORD WINAPI askForPanelSoon(LPVOID) {
    Sleep(30);  // the stop is waiting for the tight loop by now (it gives it 100 ms)
    SendMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(26, 0), 0);
    return 0;
}

// Starts a run in the given mode from the idle state and waits until its code runs. A run
// that ends by itself may be over before a look finds it running: the count of runs tells.
static bool startRun(int m) {
    mode = m;
    started = false;
    finished = false;
    const int before = runs;
    qc_command(1);
    return qc_wait_for([=] { return runs > before && (m == Finish || _runing); }, 5000);
}

void driver() {
    ok(qc_wait_idle(5000), "the first run did not end");
    const std::string endBanner = qc_ansi(L"==== 运行结束  ====");
    for (int m = TightLoop; m < ModeCount; ++m) {
        for (int paused = 0; paused <= 1; ++paused) {
            if (paused && m == HeapLoop) continue;  // the tight loop covers it
            DWORD worst = 0, worstPause = 0;
            int failures = 0;
            for (int cycle = 0; cycle < 50 && failures < 3; ++cycle) {
                const long before = qc_failures;
                ok(startRun(m), "%s: run %d did not start", kModeNames[m], cycle);
                Sleep(m == LongWait ? 10 : 30);
                if (paused) {
                    const DWORD p0 = GetTickCount();
                    qc_command(9);
                    if (GetTickCount() - p0 > worstPause) worstPause = GetTickCount() - p0;
                    ok(_pauseOn, "%s: run %d did not pause", kModeNames[m], cycle);
                }
                const DWORD t0 = GetTickCount();
                qc_command(1);
                const DWORD spent = GetTickCount() - t0;
                if (spent > worst) worst = spent;
                ok(!_runing && !_pauseOn, "%s%s: still running after Stop", paused ? "paused " : "", kModeNames[m]);
                ok(WaitForSingleObject(work_hand, 2000) == WAIT_OBJECT_0, "%s: the worker is alive after Stop",
                   kModeNames[m]);
                const std::string pane = qc_text(hwndOutput);
                ok(qc_count(pane, endBanner) == 1, "%s: %d end banners after Stop", kModeNames[m],
                   qc_count(pane, endBanner));
                // A fresh run works: it starts, prints, ends by itself.
                ok(startRun(Finish), "%s: no new run after Stop", kModeNames[m]);
                ok(qc_wait_idle(5000) && finished, "%s: the run after Stop did not finish", kModeNames[m]);
                const std::string after = qc_text(hwndOutput);
                ok(qc_count(after, endBanner) == 1 && after.find("finished") != std::string::npos,
                   "%s: pane after the next run: [%s]", kModeNames[m], after.c_str());
                if (qc_failures != before) ++failures;
            }
            printf("stop %s%s: 50 cycles, slowest stop %lu ms, slowest pause %lu ms\n",
                   paused ? "while paused in " : "during ", kModeNames[m], (unsigned long)worst,
                   (unsigned long)worstPause);
            fflush(stdout);
        }
    }
    // A panel request that reaches the window while it stops a run opens nothing.
    for (int cycle = 0; cycle < 5; ++cycle) {
        ok(startRun(TightLoop), "panel during stop: run %d did not start", cycle);
        openDilogFun = recordPanelOpen;
        stopping = true;
        HANDLE asker = CreateThread(NULL, 0, askForPanelSoon, NULL, 0, NULL);
        qc_command(1);
        WaitForSingleObject(asker, 3000);
        CloseHandle(asker);
        stopping = false;
        ok(!_runing, "panel during stop: run %d still running", cycle);
    }
    ok(panelsOpenedDuringStop == 0, "%ld panels were opened while a run was being stopped",
       (long)panelsOpenedDuringStop);
    openDilogFun = _emptyDilog;

    // Stopping while idle runs the sequence again: one more end banner, then the new run
    // empties the pane and writes its own banners. The pane is watched as it is written, so
    // the extra banner is seen although the next run clears it at once.
    ok(qc_wait_idle(1000), "not idle at the end");
    ok(qc_count(qc_text(hwndOutput), endBanner) == 1, "idle pane: %d end banners",
       qc_count(qc_text(hwndOutput), endBanner));
    const std::string startBanner = qc_ansi(L"==== 运行中... ====");
    mode = Finish;
    finished = false;
    const int runsBefore = runs;
    startPaneSpy();
    qc_command(2);  // the axes toggle stops and requests a run
    ok(qc_wait_for([=] { return runs == runsBefore + 1; }, 5000) && qc_wait_idle(5000) && finished,
       "the run requested by the axes toggle did not finish");
    const std::string events = stopPaneSpy(startBanner, endBanner);
    ok(events == "ECSE", "pane writes around the axes toggle: %s (expected E = end banner, C = cleared, "
       "S = start banner, E)", events.c_str());
    qc_command(2);  // the mark off again
    ok(qc_wait_for([=] { return runs == runsBefore + 2; }, 5000) && qc_wait_idle(5000), "second toggle");

    // Stop while the worker's exit takes 20 s: the Stop waits for it, then the next run runs.
    // A window that lost the loader lock may hang in the Stop itself: it gets a minute.
    ok(startRun(SlowExit), "slow exit: the run did not start");
    const DWORD t0 = GetTickCount();
    DWORD_PTR answer = 0;
    const bool answered = SendMessageTimeoutA(hwndMain, WM_COMMAND, MAKEWPARAM(1, 0), 0, SMTO_NORMAL, 60000, &answer);
    const DWORD took = GetTickCount() - t0;
    printf("a Stop of a worker whose exit takes 20 s took %lu ms\n", (unsigned long)took);
    ok(slowDetaches == 1 && took >= 19000, "slow exit: %ld slow detaches, the Stop took %lu ms", (long)slowDetaches,
       (unsigned long)took);
    ok(!_runing && WaitForSingleObject(work_hand, 0) == WAIT_OBJECT_0, "slow exit: still running after Stop");
    slowThread = 0;
    if (!answered || !startRun(Finish) || !qc_wait_idle(5000)) {
        ok(false, "slow exit: no run after the Stop (the worker was ended by force while leaving)");
        // The loader lock is lost: an orderly exit of the process would hang too.
        printf("stop_safety_test: %ld checks, %ld failed\n", (long)qc_checks, (long)qc_failures);
        fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 1);
    }
}
