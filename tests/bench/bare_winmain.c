/* Benchmark anchor: a bare Win32 program's time from its process's creation to the first
 * statement of WinMain, measured as startup_latency measures a student program's. Like any
 * program with a window it uses the window and drawing libraries (never called here, but
 * loaded with the program, as a student program loads them). */
#include <windows.h>
#include <stdio.h>

static volatile int never = 0;

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
    if (never) MessageBeep(0), GetStockObject(WHITE_BRUSH);
    printf("%.1f\n", (a.QuadPart - b.QuadPart) / 10000.0);
    fflush(stdout);
    return 0;
}
