/* Benchmark anchor: a bare Win32 program's time from its process's creation to the first
 * statement of WinMain, measured as startup_latency measures a student program's. */
#include <windows.h>
#include <stdio.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show) {
    FILETIME now, created, exited, kernel, user;
    ULARGE_INTEGER a, b;
    (void)instance, (void)previous, (void)line, (void)show;
    GetSystemTimeAsFileTime(&now);
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    a.LowPart = now.dwLowDateTime;
    a.HighPart = now.dwHighDateTime;
    b.LowPart = created.dwLowDateTime;
    b.HighPart = created.dwHighDateTime;
    printf("%.1f\n", (a.QuadPart - b.QuadPart) / 10000.0);
    fflush(stdout);
    return 0;
}
