// The run lifecycle: the worker thread that runs the program, the stop sequence, pause and
// continue, and the services wait and i2s_zq.
//
// Stopping from the UI thread never waits for anything the worker holds. The worker is
// asked to end itself: every runtime service it calls starts with _runtimeCheckpoint(),
// which ends the thread there, holding nothing; its waits end early on the stop event and
// a suspended worker is resumed so that it reaches the next checkpoint. While the UI
// thread waits for that, it keeps answering the messages the worker sends it. Only a
// worker that calls nothing of the runtime (a loop of the program's own) is ended by
// force, and then only while its instruction pointer lies in the program's own code, not
// inside a system library that may hold a lock (the heap, GDI) the UI thread needs later:
// it is suspended there and sent on to ExitThread, so it gives back its stack and handle.
// A worker already on its way out is never suspended nor ended by force: while the system
// detaches it from every module it holds the loader lock, which a thread ended there keeps
// for good; every later thread (the next run's worker) would then hang before its first line.
#include "runtime_internal.h"
#include "startup_marks.h"

#include <ctime>

#include "core/number_text.h"
#include "core/output_text.h"
#include "core/wait_plan.h"

volatile bool _runing = false;
volatile bool _pauseOn = false;
volatile int _firstRun = 1;
volatile int _mouseWhell = 0;
HANDLE work_hand = NULL;
LPSTR _lpCmdLine = NULL;

namespace {

// Who performs the stop sequence of the current run: nobody yet, the worker at its normal
// end, or the UI thread. Whoever claims it first runs it; the other one stands aside.
enum StopOwner { kNobody = 0, kWorker = 1, kUi = 2 };
volatile LONG g_stopOwner = kNobody;
volatile LONG g_blocked = 0;       // the worker is blocked inside the runtime
volatile DWORD g_workerId = 0;
volatile LONG g_workerLeaving = 0; // the worker has begun to end its thread
HANDLE g_stopEvent = NULL;         // manual reset; set while a stop of the UI is pending
// Pause asks the worker to halt at its next runtime call: there it waits, as blocked inside
// the runtime, until Continue sets the event (or a stop ends it), and the UI thread
// suspends it right there. A loop that calls nothing of the runtime is caught in its own code.
volatile LONG g_pauseRequested = 0;
HANDLE g_continueEvent = NULL;     // manual reset; set when no pause is requested

const DWORD kSelfStopMs = 100;     // how long a worker gets to reach a checkpoint
const int kSafePointTries = 2000;  // attempts to catch a looping worker in its own code
// How long a leaving worker is waited for. Its exit takes well under a millisecond, but on a
// loaded machine it can take seconds; ending it by force there would wedge every later run.
const DWORD kLeavingWorkerMs = 60000;

bool workerAlive() { return work_hand != NULL && WaitForSingleObject(work_hand, 0) == WAIT_TIMEOUT; }

// Waits for the worker to end while still handling messages sent to this thread (output,
// title, layout) so that a worker inside SendMessage can go on to its next checkpoint.
bool waitWorkerEnd(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return WaitForSingleObject(work_hand, 0) == WAIT_OBJECT_0;
        const DWORD r = MsgWaitForMultipleObjects(1, &work_hand, FALSE, ms - spent, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return true;
        MSG msg;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// True when the thread's next instruction lies inside the program's own image.
bool inProgramCode(HANDLE thread) {
    CONTEXT ctx;
    ZeroMemory(&ctx, sizeof ctx);
    ctx.ContextFlags = CONTEXT_CONTROL;
    if (!GetThreadContext(thread, &ctx)) return false;
#if defined(_WIN64)
    const ULONG_PTR ip = static_cast<ULONG_PTR>(ctx.Rip);
#else
    const ULONG_PTR ip = static_cast<ULONG_PTR>(ctx.Eip);
#endif
    const BYTE* base = reinterpret_cast<const BYTE*>(GetModuleHandleA(NULL));
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const ULONG_PTR lo = reinterpret_cast<ULONG_PTR>(base);
    return ip >= lo && ip < lo + nt->OptionalHeader.SizeOfImage;
}

// Suspends the worker unless it is leaving (then it is left running: false). Reading its
// context makes sure it has really halted before its flags are read.
bool suspendUnlessLeaving(bool* inCode) {
    if (SuspendThread(work_hand) == static_cast<DWORD>(-1)) return false;
    *inCode = inProgramCode(work_hand);
    if (!g_workerLeaving) return true;
    ResumeThread(work_hand);
    return false;
}

// Suspends the worker at a point where it holds no system lock: in the program's own code
// or blocked inside the runtime. After kSafePointTries it suspends it wherever it is.
// Returns whether the worker is now suspended (false: it is gone, or leaving and left to
// end); *inOwnCode tells whether it was caught running the program's own code.
bool suspendAtSafePoint(bool* inOwnCode = NULL) {
    if (inOwnCode != NULL) *inOwnCode = false;
    bool inCode = false;
    for (int i = 0; i < kSafePointTries; ++i) {
        if (!suspendUnlessLeaving(&inCode)) return false;
        if (g_blocked) return true;
        if (inCode && !_outputQueueBusy()) {
            if (inOwnCode != NULL) *inOwnCode = true;
            return true;
        }
        ResumeThread(work_hand);
        // A worker waiting in SendMessage for this thread gets its answer and moves on.
        MSG msg;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        Sleep(i < 50 ? 0 : 1);
    }
    return suspendUnlessLeaving(&inCode);
}

// Waits for a worker that has begun to leave; false when it is not leaving or did not end.
bool awaitLeavingWorker() { return g_workerLeaving && waitWorkerEnd(kLeavingWorkerMs); }

// Ends the worker's thread from the worker itself, marked as leaving first.
[[noreturn]] void leaveWorker() {
    InterlockedExchange(&g_workerLeaving, 1);
    ExitThread(0);
}

// Where a worker caught in the program's own code is sent: it ends itself, so the system
// gives back its stack and everything else a thread holds, which a thread ended from outside
// keeps for good (about 1 MiB and a handle per stop).
void WINAPI endStoppedWorker() { leaveWorker(); }

// Makes the suspended worker continue in endStoppedWorker, on its own stack below the frames
// it was in, as if called from there. Only for a worker stopped in the program's own code:
// it then holds no lock of the system.
bool sendToItsEnd(HANDLE thread) {
    CONTEXT ctx;
    ZeroMemory(&ctx, sizeof ctx);
    ctx.ContextFlags = CONTEXT_CONTROL;
    if (!GetThreadContext(thread, &ctx)) return false;
#if defined(_WIN64)
    ctx.Rsp = ((ctx.Rsp - 512) & ~static_cast<DWORD64>(15)) - 8;  // the return address's slot
    ctx.Rip = reinterpret_cast<DWORD64>(&endStoppedWorker);
#else
    ctx.Esp = ((ctx.Esp - 512) & ~static_cast<DWORD>(15)) - 4;
    ctx.Eip = reinterpret_cast<DWORD>(&endStoppedWorker);
#endif
    return SetThreadContext(thread, &ctx) != 0;
}

const DWORD kSelfEndMs = 1000;  // how long a worker sent to its end gets to get there

// Halts the worker for good, from the UI thread. Returns false when the program had just
// returned and its worker ran the stop sequence itself, which must not run twice.
bool endWorkerFromUi() {
    if (!workerAlive()) return true;
    if (InterlockedCompareExchange(&g_stopOwner, kUi, kNobody) == kWorker) {
        InterlockedExchange(&g_pauseRequested, 0);
        SetEvent(g_continueEvent);
        while (ResumeThread(work_hand) > 1) {}
        waitWorkerEnd(INFINITE);
        return false;
    }
    SetEvent(g_stopEvent);
    // Undo pause and input suspension, so the worker reaches its next checkpoint.
    while (ResumeThread(work_hand) > 1) {}
    if (waitWorkerEnd(kSelfStopMs) || awaitLeavingWorker()) return true;
    // A loop of the program's own that calls nothing of the runtime.
    bool inOwnCode = false;
    if (suspendAtSafePoint(&inOwnCode) && inOwnCode && sendToItsEnd(work_hand)) {
        ResumeThread(work_hand);
        if (waitWorkerEnd(kSelfEndMs) || awaitLeavingWorker()) {
            _resetOutputLock();
            return true;
        }
        suspendAtSafePoint();
    }
    if (awaitLeavingWorker()) {
        _resetOutputLock();
        return true;
    }
    TerminateThread(work_hand, 0);
    WaitForSingleObject(work_hand, 5000);
    _resetOutputLock();
    return true;
}

}  // namespace

bool _stopInProgress() { return g_stopOwner != kNobody; }

void _runtimeCheckpoint() {
    if (GetCurrentThreadId() != g_workerId) return;
    if (g_stopOwner == kUi) leaveWorker();
    if (g_pauseRequested && g_stopOwner == kNobody) {
        {
            TblockedScope blocked;
            const HANDLE events[2] = {g_continueEvent, g_stopEvent};
            WaitForMultipleObjects(2, events, FALSE, INFINITE);
        }
        if (g_stopOwner == kUi) leaveWorker();
    }
}

// Whenever the worker waits, or asks the UI thread for anything, what it printed is shown
// first.
TblockedScope::TblockedScope() : onWorker(GetCurrentThreadId() == g_workerId) {
    if (!onWorker) return;
    InterlockedIncrement(&g_blocked);
    _showQueuedFromWorker();
}
TblockedScope::~TblockedScope() {
    if (onWorker) InterlockedDecrement(&g_blocked);
}

void _blockUntil(HANDLE released) {
    _runtimeCheckpoint();
    const bool onWorker = GetCurrentThreadId() == g_workerId && g_stopEvent != NULL;
    {
        TblockedScope blocked;
        const HANDLE events[2] = {released, g_stopEvent};
        WaitForMultipleObjects(onWorker ? 2 : 1, events, FALSE, INFINITE);
    }
    _runtimeCheckpoint();
}

void _awaitLastWorker() {
    if (!_runing && workerAlive()) waitWorkerEnd(5000);
}

void threadWork() {
    if (_runing || workerAlive()) return;
    if (g_stopEvent == NULL) g_stopEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
    if (g_continueEvent == NULL) g_continueEvent = CreateEventA(NULL, TRUE, TRUE, NULL);
    ResetEvent(g_stopEvent);
    InterlockedExchange(&g_pauseRequested, 0);
    SetEvent(g_continueEvent);
    g_stopOwner = kNobody;
    g_blocked = 0;
    g_workerLeaving = 0;
    if (work_hand != NULL) CloseHandle(work_hand);
    DWORD id = 0;
    // The run counts as active from here on, so no second worker can start before this one
    // marks itself running.
    _runing = true;
    work_hand = CreateThread(NULL, 0, _callWork_zq, NULL, CREATE_SUSPENDED, &id);
    if (work_hand == NULL) {
        _runing = false;  // no run; the next request tries again
        return;
    }
    g_workerId = id;
    ResumeThread(work_hand);
    Sleep(20);
}

DWORD WINAPI _callWork_zq(LPVOID) {
    _markStartup(kMarkWorker);
    if (_axesChecked()) showXY(0, 1);
    _showPauseButton();
    _showStopButton();
    DrawMenuBar(hwndMain);
    _clearOutput();
    _head.init();
    _markStartup(kMarkRunSetup);
    _wout << "==== 运行中... ====" << '\n';
    _markStartup(kMarkBanner);
    _runing = true;
    srand(static_cast<unsigned>(time(NULL)));
    _wout._startRunFormat();
    qiv::startRunNumberFormat(pen._pout);
    Sleep(50);
    _markStartup(kMarkWorkZq);
    _runtimeCheckpoint();  // a stop during the start steps ends the run before the program
    work_zq();
    _stopRun();
    InterlockedExchange(&g_workerLeaving, 1);
    return 0;
}

void _stopRun() {
    const bool onWorker = work_hand != NULL && GetCurrentThreadId() == g_workerId;
    if (onWorker) {
        // The program returned. If the user stopped it in the same moment, the UI thread
        // owns the sequence and this worker simply ends.
        if (InterlockedCompareExchange(&g_stopOwner, kWorker, kNobody) != kNobody) leaveWorker();
    } else if (!endWorkerFromUi()) {
        return;
    }
    _mouseWhell = 0;
    closeDilogFun();
    _runing = false;
    _pauseOn = false;
    _win.init();
    _endInputWait();
    _clearPauseButton();
    _showRunButton();
    DrawMenuBar(hwndMain);
    _wout << '\n' << "==== 运行结束  ====" << '\n';
    _flushOutput();
    if (pen.headShow) pen.headShow = false;
    pen.speed(100).size(_penSize).color(7).down().angle(0);
    _pen.move(0, 0);
    if (!onWorker && hwndMain != NULL && !_captureMode()) SwitchToThisWindow(hwndMain, TRUE);
}

void pause() {
    if (!_runing || _pauseOn || !workerAlive()) return;
    // From here on the worker halts at its next runtime call.
    ResetEvent(g_continueEvent);
    InterlockedExchange(&g_pauseRequested, 1);
    Sleep(20);
    _showContinueButton();
    DrawMenuBar(hwndMain);
    _pauseOn = true;
    _flushOutput();  // a paused run shows all it printed
    // A worker stopped inside a system library could hold a lock the UI thread needs while
    // the run is paused; prefer a point in the program's own code, or its next runtime call.
    if (!suspendAtSafePoint()) {  // the worker is gone
        InterlockedExchange(&g_pauseRequested, 0);
        SetEvent(g_continueEvent);
        _pauseOn = false;
        _showPauseButton();
        DrawMenuBar(hwndMain);
    }
}

void pauseOff() {
    _pauseOn = false;
    InterlockedExchange(&g_pauseRequested, 0);
    SetEvent(g_continueEvent);
    ResumeThread(work_hand);
    _showPauseButton();
    DrawMenuBar(hwndMain);
}

void wait(double seconds) {
    _runtimeCheckpoint();
    // A captured run is checked for its last picture and text: its time limit is for programs
    // that never end, not for those that pause.
    if (_captureMode()) return;
    const qiv::WaitPlan plan = qiv::planWait(seconds);
    if (plan.kind == qiv::WaitPlan::Sleep) {
        TblockedScope blocked;
        if (g_stopEvent != NULL && GetCurrentThreadId() == g_workerId)
            WaitForSingleObject(g_stopEvent, plan.sleepMs);
        else
            Sleep(plan.sleepMs);
    } else if (plan.kind == qiv::WaitPlan::BusyWait) {
        LARGE_INTEGER freq, start, now;
        QueryPerformanceFrequency(&freq);
        const double target = qiv::busyWaitTicks(plan.seconds, static_cast<double>(freq.QuadPart));
        QueryPerformanceCounter(&start);
        do {
            QueryPerformanceCounter(&now);
            if (g_stopOwner == kUi) break;
        } while (static_cast<double>(now.QuadPart - start.QuadPart) <= target);
    }
    _runtimeCheckpoint();
}

string i2s_zq(long long n) { return qiv::decimalText(n); }
