#include "host_output.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace {
CRITICAL_SECTION &outputLock()
{
    static CRITICAL_SECTION lock;
    static bool ready = (InitializeCriticalSection(&lock), true);
    (void)ready;
    return lock;
}
}  // namespace

void printLine(const std::string &utf8)
{
    EnterCriticalSection(&outputLock());
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fputc('\n', stdout);
    fflush(stdout);
    LeaveCriticalSection(&outputLock());
}

void printFormatted(const char *format, ...)
{
    char buffer[4096];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    printLine(buffer);
}
