// A lesson of many runs in one window: runs that end by themselves and runs stopped in every
// state (a loop of the program's own, wait, slow motion with the head, waiting for input,
// paused, a cout loop, an instant-line loop), started from the menu or with Ctrl+R and stopped
// with Stop or the axes entry. The process's live GDI objects (by type), kernel handles and
// private bytes must not grow beyond a small fixed bound.
//
// The number of cycles is the program's argument (100 when none; scripts/run-leak-cycles.sh
// runs 1,000). GDI objects are counted by asking every handle index for its object type
// (GetGuiResources answers 0 under Wine), kernel handles and private memory by walking the
// handle values and the address space.
#include <qiv_check.h>

#include <cstdlib>
#include <map>

extern LPSTR _lpCmdLine;

enum Mode {
    Finish, TightLoop, LongWait, SlowHead, Input, PausedMotion, OutputLoop, InstantLines, FarShapes, FarLines,
    ModeCount
};
static const char* const kModeNames[] = {"finish",        "tight loop", "wait(10)",      "slow motion with head",
                                         "cin",           "paused motion", "cout loop",  "instant lines",
                                         "far circles",   "far lines"};

static volatile int mode = Finish;
static volatile int runs = 0;
static volatile bool started = false;

int main() {
    ++runs;
    started = true;
    if (runs == 1) {
        qc_watchdog(3600000);
        extern void driver();
        qc_start_driver(driver);
        return 0;
    }
    switch (mode) {
    case Finish:  // also replaces the head twice from the program's resources
        pen.changRc("redHead_bmp", "maskHead_bmp").changRc("greenHead_bmp", "maskHead_bmp");
        pen.fd(40).rt(90).o(10);
        cout << "done" << endl;
        break;
    case TightLoop: {
        volatile unsigned long spin = 0;
        for (;;) ++spin;
    }
    case LongWait: wait(10); break;
    case SlowHead:
        pen.show().speed(3);
        for (;;) pen.fd(30).rt(77);
    case Input: {
        int v;
        cin >> v;
        break;
    }
    case PausedMotion:
        for (;;) pen.fd(50).rt(91).o(5);
    case OutputLoop:
        for (long i = 0;; ++i) cout << i << ' ';
    case InstantLines:
        for (;;) pen.fd(200).rt(121);
    case FarShapes:  // each call once took seconds inside the system's drawing code
        pen.move(1e9, 1e9);
        for (;;) pen.o(3).oo(2).fd(1).rt(7);
    case FarLines:
        for (;;) pen.fd(1e7).rt(179.5);
    }
    return 0;
}

// --- what the process holds ---------------------------------------------------------------
struct Holdings {
    std::map<DWORD, long> gdi;  // live GDI objects by OBJ_* type
    long gdiTotal;
    DWORD handles;
    double privateMiB;
};

static Holdings holdings() {
    Holdings h;
    h.gdiTotal = 0;
    // A handle whose upper word is 0 names the table entry by its index alone.
    for (ULONG_PTR index = 1; index < 0x10000; ++index) {
        const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
        if (type != 0) {
            ++h.gdi[type];
            ++h.gdiTotal;
        }
    }
    // Kernel handles: every handle value the table could hold is asked for its flags
    // (GetProcessHandleCount answers 0 under Wine).
    h.handles = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++h.handles;
    }
    // Private memory, reserved or committed: a thread's stack is such a region (the process
    // memory counters answer 0 under Wine).
    double bytes = 0;
    MEMORY_BASIC_INFORMATION mbi;
    for (const char* at = NULL; VirtualQuery(at, &mbi, sizeof mbi) == sizeof mbi;) {
        if (mbi.State != MEM_FREE && mbi.Type == MEM_PRIVATE) bytes += (double)mbi.RegionSize;
        const char* next = static_cast<const char*>(mbi.BaseAddress) + mbi.RegionSize;
        if (next <= at) break;
        at = next;
    }
    h.privateMiB = bytes / 1048576.0;
    return h;
}

static const char* typeName(DWORD type) {
    switch (type) {
    case OBJ_PEN: return "pens";
    case OBJ_BRUSH: return "brushes";
    case OBJ_DC: return "DCs";
    case OBJ_MEMDC: return "memory DCs";
    case OBJ_BITMAP: return "bitmaps";
    case OBJ_FONT: return "fonts";
    case OBJ_REGION: return "regions";
    case OBJ_PAL: return "palettes";
    default: return "other objects";
    }
}

static void printHoldings(const char* when, const Holdings& h) {
    printf("%s: %ld GDI objects (", when, h.gdiTotal);
    for (std::map<DWORD, long>::const_iterator it = h.gdi.begin(); it != h.gdi.end(); ++it)
        printf("%s%ld %s", it == h.gdi.begin() ? "" : ", ", it->second, typeName(it->first));
    printf("), %lu handles, %.1f MiB private\n", (unsigned long)h.handles, h.privateMiB);
    fflush(stdout);
}

// --- driving the window -------------------------------------------------------------------
// A run that ends by itself may be over before the first look: its start is enough.
static bool runStarted() { return started && (_runing || mode == Finish); }

// Starts a run in mode m from the idle state, from the menu or with Ctrl+R.
static bool startRun(int m, bool hotKey) {
    mode = m;
    started = false;
    if (hotKey)
        qc_press_ctrl('R');
    else
        qc_command(1);
    return qc_wait_for(runStarted, 5000);
}

// Stops the run with Stop or with the axes entry (which stops and runs again: the new run
// finishes by itself and the axes are switched back off at the next such stop).
static void stopRun(bool axes) {
    if (!axes) {
        qc_command(1);
        return;
    }
    mode = Finish;
    started = false;
    qc_command(2);
    qc_wait_for(runStarted, 5000);
    qc_wait_idle(5000);
}

static DWORD slowestStop[ModeCount];

// One cycle: a run in mode m, stopped (or left to finish) one of the ways, then idle again.
// A run that ends by itself has drawn its first line.
static bool cycle(int m, int n) {
    const bool hotKey = n % 2 == 1;
    if (!startRun(m, hotKey)) return false;
    if (m == Finish) {
        if (!qc_wait_idle(5000)) return false;
        const COLORREF c = GetPixel(pen.getHdc(), xScn(0), yScn(20));
        ok(c == RGB(0, 0, 205), "cycle %d: the run's first line is missing (%06lx)", n, c);
        return true;
    }
    Sleep(10 + (n * 37) % 60);
    if (m == PausedMotion) {
        qc_command(9);
        Sleep(10);
    }
    const DWORD t0 = GetTickCount();
    stopRun(n % 3 == 2);
    const bool idle = qc_wait_idle(5000);
    if (GetTickCount() - t0 > slowestStop[m]) slowestStop[m] = GetTickCount() - t0;
    return idle;
}

void driver() {
    ok(qc_wait_idle(5000), "the first run did not end");
    long cycles = _lpCmdLine != NULL ? atol(_lpCmdLine) : 0;
    if (cycles <= 0) cycles = 100;
    // Every state once first: what is made once for the process (the head's images, the
    // canvas box's picture store) is not a leak.
    for (int m = 0; m < ModeCount; ++m) ok(cycle(m, m), "warm-up %s: no clean cycle", kModeNames[m]);
    const Holdings before = holdings();
    printHoldings("after the warm-up", before);

    int failed = 0;
    for (long n = 0; n < cycles && failed < 5; ++n) {
        // Every other cycle is a run that ends by itself.
        const int m = n % 2 == 0 ? Finish : 1 + (int)((n / 2) % (ModeCount - 1));
        if (!cycle(m, (int)n)) {
            ++failed;
            ok(false, "cycle %ld (%s) did not end cleanly", n, kModeNames[m]);
        }
    }
    const Holdings after = holdings();
    printf("%ld cycles; slowest stop:", cycles);
    for (int m = 1; m < ModeCount; ++m) printf(" %s %lu ms%s", kModeNames[m], (unsigned long)slowestStop[m],
                                               m + 1 < ModeCount ? "," : "\n");
    printHoldings("at the end", after);

    // Bounds independent of the number of cycles.
    for (std::map<DWORD, long>::const_iterator it = after.gdi.begin(); it != after.gdi.end(); ++it) {
        const std::map<DWORD, long>::const_iterator was = before.gdi.find(it->first);
        const long grown = it->second - (was == before.gdi.end() ? 0 : was->second);
        ok(grown <= 4, "%ld more %s after %ld cycles", grown, typeName(it->first), cycles);
    }
    ok(before.gdiTotal > 10, "no GDI objects counted (%ld): the count does not work here", before.gdiTotal);
    ok((long)after.handles - (long)before.handles <= 8, "kernel handles %lu -> %lu after %ld cycles",
       (unsigned long)before.handles, (unsigned long)after.handles, cycles);
    ok(before.handles > 0, "no kernel handles counted: the count does not work here");
    ok(after.privateMiB - before.privateMiB <= 16, "private bytes %.1f -> %.1f MiB after %ld cycles",
           before.privateMiB, after.privateMiB, cycles);
    // The window still works: a last run draws and ends.
    ok(startRun(Finish, false) && qc_wait_idle(5000), "no run after the cycles");
    ok(qc_text(hwndOutput).find("done") != std::string::npos, "the last run wrote nothing");
}
