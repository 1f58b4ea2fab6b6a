// Benchmark: what printing costs a program, against the pane's own floor in the same run.
// A driver thread starts one run per case and times it from the program's first insertion
// to the end banner in the pane:
//   - 10,000 `cout << i << endl` lines; the worker's time per line;
//   - 1 MB of output in one insertion;
//   - 100,000 short insertions (`cout << i % 10`, a line break every 50);
// with the memory the process holds after each. Anchors: one WM_SETTEXT of the whole text
// of the 10,000 lines (the floor of the pane), and 500 lines each shown at once with
// EM_REPLACESEL from the worker (how every insertion used to reach the pane).
// The program prints one line per figure and exits.
#include <bench_timing.h>
#include <psapi.h>

// Runtime globals the driver watches (defined in logoLib).
extern volatile bool _runing;
extern HANDLE work_hand;

enum Case { None, Lines, OneMegabyte, ShortInsertions, ShownAtOnce };
static volatile int which = None;
static volatile int runs = 0;
static volatile double firstInsertion = 0, workerSeconds = 0;
static std::vector<double> shownAtOnce;

// Private bytes of the process, in MB.
static double privateMegabytes() {
    PROCESS_MEMORY_COUNTERS m;
    ZeroMemory(&m, sizeof m);
    m.cb = sizeof m;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    return m.PagefileUsage / 1048576.0;
}

static void program() {
    switch (which) {
    case Lines: {
        const double t0 = benchSeconds();
        cout << 0 << endl;
        firstInsertion = t0;
        for (int i = 1; i < 10000; i++) cout << i << endl;
        workerSeconds = benchSeconds() - t0;
        break;
    }
    case OneMegabyte: {
        string text;
        for (int i = 0; text.size() < 1000000; i++) text += "line " + to_string(i) + " of one large insertion\n";
        firstInsertion = benchSeconds();
        cout << text;
        workerSeconds = benchSeconds() - firstInsertion;
        break;
    }
    case ShortInsertions: {
        firstInsertion = benchSeconds();
        for (int i = 0; i < 100000; i++) {
            cout << i % 10;
            if (i % 50 == 49) cout << '\n';
        }
        workerSeconds = benchSeconds() - firstInsertion;
        break;
    }
    case ShownAtOnce: {
        char text[16];
        for (int i = 0; i < 500; i++) {
            sprintf(text, "%d\r\n", i);
            const double t0 = benchSeconds();
            SendMessageA(hwndOutput, EM_SETSEL, 0x7FFFFFFE, 0x7FFFFFFE);
            SendMessageA(hwndOutput, EM_REPLACESEL, FALSE, (LPARAM)text);
            shownAtOnce.push_back(benchSeconds() - t0);
        }
        break;
    }
    default: break;
    }
}

// The last run has ended and its worker is gone (a Run press while the worker still ends
// its run would be taken as Stop).
static void waitIdle() {
    while (_runing || (work_hand != NULL && WaitForSingleObject(work_hand, 0) != WAIT_OBJECT_0)) Sleep(1);
}

// Starts a run of one case and waits for its end banner; seconds from the first insertion.
static double timedRun(int c) {
    waitIdle();
    which = c;
    const int before = runs;
    SendMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(1, 0), 0);
    while (runs == before) Sleep(1);
    waitIdle();
    return benchSeconds() - firstInsertion;
}

static DWORD WINAPI driver(LPVOID) {
    const double lines = timedRun(Lines);
    printf("10000 cout << i << endl lines: %.3f s from the first line to the end banner; worker %.2f us per line; "
           "private %.1f MB\n",
           lines, workerSeconds * 1e6 / 10000, privateMegabytes());
    const double megabyte = timedRun(OneMegabyte);
    printf("1 MB in one insertion: %.3f s to the end banner; worker %.1f ms; private %.1f MB\n", megabyte,
           workerSeconds * 1e3, privateMegabytes());
    const double shortOnes = timedRun(ShortInsertions);
    printf("100000 short insertions: %.3f s to the end banner; worker %.2f us each; private %.1f MB\n", shortOnes,
           workerSeconds * 1e6 / 100000, privateMegabytes());

    // The floor: the whole text of the 10,000 lines set at once.
    string all;
    for (int i = 0; i < 10000; i++) all += to_string(i) + "\r\n";
    double t0 = benchSeconds();
    SendMessageA(hwndOutput, WM_SETTEXT, 0, (LPARAM)all.c_str());
    printf("anchor: one WM_SETTEXT of the 10000 lines (%u bytes): %.3f s\n", (unsigned)all.size(),
           benchSeconds() - t0);
    SendMessageA(hwndOutput, WM_SETTEXT, 0, (LPARAM)"");
    timedRun(ShownAtOnce);
    printf("anchor: one line shown at once with EM_REPLACESEL from the worker: median %.2f ms over %u lines\n",
           benchMedian(shownAtOnce) * 1e3, (unsigned)shownAtOnce.size());
    fflush(stdout);
    ExitProcess(0);
    return 0;
}

int main() {
    if (++runs == 1) {
        CloseHandle(CreateThread(NULL, 0, driver, NULL, 0, NULL));
        return 0;
    }
    program();
    return 0;
}
