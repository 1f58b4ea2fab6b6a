// Benchmark: what one `cout << int` costs against a bare EM_REPLACESEL sent to the output
// pane in the same run. The two alternate, 5,000 times each, timed with the performance
// counter, so that both meet the same pane and the same load; the program prints the
// medians in microseconds and exits. Every ten numbers end a line and every 500 the pane
// starts empty again (untimed), so the edit control's cost of a long text weighs the same
// on both. The round trip of an empty message to the UI thread is given for scale.
#include <bench_timing.h>

int main()
{
    const int n = 5000;
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    const double us = 1e6 / (double)freq.QuadPart;
    std::vector<double> insertion, bare, trip;
    char text[16];
    for (int i = 0; i < n; ++i) {
        if (i % 500 == 0) _clearOutput();
        QueryPerformanceCounter(&t0);
        cout << i;
        QueryPerformanceCounter(&t1);
        insertion.push_back((t1.QuadPart - t0.QuadPart) * us);

        sprintf(text, " %d", i);
        QueryPerformanceCounter(&t0);
        SendMessageA(hwndOutput, EM_REPLACESEL, TRUE, (LPARAM)text);
        QueryPerformanceCounter(&t1);
        bare.push_back((t1.QuadPart - t0.QuadPart) * us);

        QueryPerformanceCounter(&t0);
        SendMessageA(hwndOutput, WM_NULL, 0, 0);
        QueryPerformanceCounter(&t1);
        trip.push_back((t1.QuadPart - t0.QuadPart) * us);
        if (i % 10 == 9) cout << endl;
    }
    const double a = benchMedian(insertion), b = benchMedian(bare);
    printf("cout << int: median %.1f us; bare EM_REPLACESEL: median %.1f us; ratio %.2f; "
           "empty round trip: median %.1f us (%d each)\n", a, b, a / b, benchMedian(trip), n);
    fflush(stdout);
    ExitProcess(0);
    return 0;
}
