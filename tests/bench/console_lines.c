/* The anchor of the output benchmark: a plain console program writing the same 10,000
   lines to its standard output, each line flushed as endl does; prints its time to stderr. */
#include <stdio.h>
#include <windows.h>

int main(void) {
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < 10000; i++) {
        printf("%d\n", i);
        fflush(stdout);
    }
    QueryPerformanceCounter(&t1);
    fprintf(stderr, "anchor: a console program writing the 10000 lines: %.3f s\n",
            (double)(t1.QuadPart - t0.QuadPart) / (double)f.QuadPart);
    return 0;
}
