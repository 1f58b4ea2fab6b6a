#include "build_timing.h"

#include <windows.h>

#include <cstdio>

namespace {

// The file named by QIV_BUILD_TIMES, read once; empty: no timing.
const wchar_t *timingFile() {
    static wchar_t path[MAX_PATH] = L"";
    static bool read = false;
    if (!read) {
        const DWORD n = GetEnvironmentVariableW(L"QIV_BUILD_TIMES", path, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) path[0] = L'\0';
        read = true;
    }
    return path;
}

LARGE_INTEGER started = {};

double millisecondsSinceStart() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (now.QuadPart - started.QuadPart) * 1000.0 / frequency.QuadPart;
}

}  // namespace

void buildTimingStart() {
    if (timingFile()[0] == L'\0') return;
    QueryPerformanceCounter(&started);
    buildTimingStep("key");
}

void buildTimingStep(const char *step) {
    if (timingFile()[0] == L'\0' || started.QuadPart == 0) return;
    FILE *out = _wfopen(timingFile(), L"a");
    if (out == nullptr) return;
    std::fprintf(out, "%.1f %s\n", millisecondsSinceStart(), step);
    std::fclose(out);
}
