// killprocess.exe: ends every process whose image name (without folder, case ignored) is one
// of the arguments, e.g. killprocess as.exe cc1plus.exe qiv_01.exe. The build key starts it
// before a build so that a program still running, or a compiler left over, does not keep
// the files in use. Never ends itself; prints nothing; exits with 0.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

int wmain(int, wchar_t **) {
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr) return 1;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        LocalFree(argv);
        return 1;
    }
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) continue;
        const wchar_t *slash = wcsrchr(entry.szExeFile, L'\\');
        const wchar_t *image = slash ? slash + 1 : entry.szExeFile;
        for (int i = 1; i < argc; ++i) {
            if (lstrcmpiW(image, argv[i]) != 0) continue;
            HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
            if (process != nullptr) {
                TerminateProcess(process, 1);
                CloseHandle(process);
            }
            break;
        }
    }
    CloseHandle(snapshot);
    LocalFree(argv);
    return 0;
}
