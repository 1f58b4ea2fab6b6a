#include "run_hidden.h"

#include <windows.h>

namespace {

// A program started by one thread would inherit the pipe another thread is just handing to
// its own program, and that pipe would then stay open until both ended: the start of a
// program, up to closing the parent's copy of its write end, is done by one thread at a time.
SRWLOCK startLock = SRWLOCK_INIT;

}  // namespace

int runTool(const std::wstring &path, const wchar_t *argument, std::string &output) {
    return runHidden(L"\"" + path + L"\"" + (argument ? std::wstring(L" ") + argument : std::wstring()), L"", output);
}

int runHidden(std::wstring command, std::wstring environment, std::string &output, const std::wstring &directory) {
    output.clear();
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    AcquireSRWLockExclusive(&startLock);
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
        ReleaseSRWLockExclusive(&startLock);
        return -1;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    const BOOL started =
        CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW,
                       environment.empty() ? nullptr : &environment[0],
                       directory.empty() ? nullptr : directory.c_str(), &startup, &process);
    CloseHandle(writeEnd);
    ReleaseSRWLockExclusive(&startLock);
    if (!started) {
        CloseHandle(readEnd);
        return -1;
    }
    // Read to the end, so that the program never blocks on a full pipe.
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        if (output.size() < 65536) output.append(buffer, got);
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return static_cast<int>(status);
}
