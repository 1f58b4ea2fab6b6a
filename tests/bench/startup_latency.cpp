// Benchmark: time from the process's creation to the first statement of the program
// (work_zq), as a student sees it after pressing F11. Prints the milliseconds, then where
// they went: the runtime's marks of each start step (milliseconds since the process's
// creation) and the step's own share, and exits.
extern double _startupMarks[9];

int main()
{
    FILETIME now, created, exited, kernel, user;
    GetSystemTimeAsFileTime(&now);
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER a, b;
    a.LowPart = now.dwLowDateTime;
    a.HighPart = now.dwHighDateTime;
    b.LowPart = created.dwLowDateTime;
    b.HighPart = created.dwHighDateTime;
    printf("%.1f\n", (a.QuadPart - b.QuadPart) / 10000.0);
    const char* const steps[9] = {
        "process start to WinMain (the system)", "settings and pen head", "main window and menu bar",
        "canvas, output pane, input boxes", "to the canvas's first paint", "worker started",
        "buttons, pane emptied, head (waits for the UI thread's fixed 20 ms)", "start banner",
        "fixed 50 ms wait, to the first statement"};
    double last = 0;
    for (int i = 0; i < 9; ++i) {
        printf("  %7.1f ms  +%6.1f  %s\n", _startupMarks[i], _startupMarks[i] - last, steps[i]);
        last = _startupMarks[i];
    }
    fflush(stdout);
    ExitProcess(0);
    return 0;
}
