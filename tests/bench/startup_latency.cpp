// Benchmark: time from the process's creation to the first statement of the program
// (work_zq), as a student sees it after pressing F11. Prints the milliseconds and exits.
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
    fflush(stdout);
    ExitProcess(0);
    return 0;
}
