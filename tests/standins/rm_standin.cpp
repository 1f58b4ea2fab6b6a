// Stand-in for the tool chain's rm.exe, for tests under Wine. "rm -f FILE..." deletes the
// files; a file that is absent is no error with -f. A file that cannot be deleted because it
// is in use, locked or read-only gives "rm: cannot remove 'FILE': Permission denied", any
// other trouble the system's error code; lines end with CR LF. Nothing is printed when
// every file is gone.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string ansi(const std::wstring &text) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &out[0], bytes, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// The reason `path` could not be deleted, or nothing when it is gone.
std::string removeFile(const std::wstring &path, bool force) {
    if (DeleteFileW(path.c_str())) return std::string();
    const DWORD error = GetLastError();
    const std::string head = "rm: cannot remove '" + ansi(path) + "': ";
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return force ? std::string() : head + "No such file or directory\r\n";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return head + "Permission denied\r\n";
    default: {
        char code[32];
        std::snprintf(code, sizeof code, "error %lu\r\n", error);
        return head + code;
    }
    }
}

}  // namespace

int wmain(int, wchar_t **) {
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    bool force = false;
    std::string report;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"-f")
            force = true;
        else
            report += removeFile(argument, force);
    }
    LocalFree(argv);
    DWORD written = 0;
    if (!report.empty()) WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), report.data(), (DWORD)report.size(), &written, nullptr);
    return report.empty() ? 0 : 1;
}
