// makepch.exe: keeps the precompiled runtime header N\Qiv\logo.h.gch current, so that the
// students' compile step reads one file instead of every header logo.h pulls in. N is the
// editor's folder, two levels above this program (N\Qiv\tools\makepch.exe). The installer
// runs it once; the build key runs it before every compile, where it costs a few milliseconds
// unless logo.h or the compiler changed.
//
// The header is made under a temporary name of this process and renamed into place, so a
// make that is interrupted, or two made at once, never leave a half-written logo.h.gch; its
// stamp logo.h.gch.stamp names the logo.h and compiler it was made from.
//
// Exit codes: 0 the header is current (or was made now); 1 making it failed (the compiler's
// words are printed); 2 no header and the folder may not be written (builds work, slower);
// 3 a stale header that can be neither remade nor removed (a build would use it).
// makepch --check only tells what it would do: 0, 2 and 3 as above, 10 it would make the
// header (which takes a while: the build key says so first), 11 it would remove one.
#include <windows.h>

#include <cstdio>
#include <string>

#include "pch_state.h"
#include "run_hidden.h"

namespace {

std::wstring folderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

qiv::FileIdentity identity(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {false, 0, 0};
    return {true, (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
            (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                data.ftLastWriteTime.dwLowDateTime};
}

std::string readSmallFile(const std::wstring& path) {
    std::string text;
    FILE* in = _wfopen(path.c_str(), L"rb");
    if (in == nullptr) return text;
    char buffer[512];
    const size_t got = fread(buffer, 1, sizeof buffer, in);
    fclose(in);
    return std::string(buffer, got);
}

bool writeSmallFile(const std::wstring& path, const std::string& text) {
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) return false;
    bool ok = fwrite(text.data(), 1, text.size(), out) == text.size();
    return fclose(out) == 0 && ok;
}

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Runs the compiler on logo.h into `output`; its words go to this program's own output.
// True when it exited with 0 and wrote nothing.
bool compileHeader(const std::wstring& editor, const std::wstring& output) {
    const std::wstring bin = editor + L"\\MinGW\\bin";
    const std::wstring command = L"\"" + bin + L"\\g++.exe\" -pipe -x c++-header -c \"" + editor +
                                 L"\\Qiv\\logo.h\" -o \"" + output + L"\" -I\"" + editor + L"\\MinGW\\include\"";
    // The compiler finds its helpers (as.exe, cc1plus.exe and their libraries) on its path.
    std::wstring environment = L"path=" + bin;
    environment.append(2, L'\0');
    std::string words;
    const int status = runHidden(command, environment, words);
    if (status == -1) std::printf("makepch: the compiler could not be started\n");
    if (!words.empty()) std::fwrite(words.data(), 1, words.size(), stdout);
    return status == 0 && words.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool checkOnly = argc > 1 && lstrcmpiW(argv[1], L"--check") == 0;
    wchar_t self[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, self, sizeof self / sizeof self[0]);
    if (length == 0 || length >= sizeof self / sizeof self[0]) return 1;
    const std::wstring editor = folderOf(folderOf(folderOf(self)));
    const std::wstring gch = editor + L"\\Qiv\\logo.h.gch";
    const std::wstring stampFile = gch + L".stamp";
    const std::wstring part = widen(qiv::pchTemporaryName("", GetCurrentProcessId()));
    const std::wstring temporary = gch + part;

    const std::string current = qiv::pchStamp(identity(editor + L"\\Qiv\\logo.h"),
                                              identity(editor + L"\\MinGW\\bin\\g++.exe"));
    // Creating the temporary file is the test of whether the folder may be written.
    HANDLE probe = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
    const bool canWrite = probe != INVALID_HANDLE_VALUE;
    if (canWrite) CloseHandle(probe);
    const qiv::PchFacts facts = {identity(editor + L"\\MinGW\\bin\\g++.exe").found, identity(gch).found,
                                 readSmallFile(stampFile), current, canWrite};
    const qiv::PchAction action = qiv::decidePch(facts);
    if (checkOnly) {
        if (canWrite) DeleteFileW(temporary.c_str());
        return action == qiv::PchAction::Make ? 10 : action == qiv::PchAction::RemoveStale ? 11
             : action == qiv::PchAction::BuildSlow ? 2 : action == qiv::PchAction::Refuse ? 3 : 0;
    }
    int status = 0;
    switch (action) {
    case qiv::PchAction::Use: break;
    case qiv::PchAction::BuildSlow: status = 2; break;
    case qiv::PchAction::Refuse: status = 3; break;
    case qiv::PchAction::RemoveStale:
        DeleteFileW(stampFile.c_str());
        if (!DeleteFileW(gch.c_str()) && identity(gch).found) status = 3;
        break;
    case qiv::PchAction::Make:
        if (!compileHeader(editor, temporary)) {
            // A failed make leaves no header that could be stale.
            DeleteFileW(gch.c_str());
            status = 1;
            break;
        }
        // The new header replaces the old one in one step; the stamp follows. Should the
        // stamp not be written, the next build simply makes the header again.
        if (!MoveFileExW(temporary.c_str(), gch.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            // Another maker's header is in use right now: it was made from the same files.
            break;
        }
        DeleteFileW(stampFile.c_str());
        writeSmallFile(stampFile + part, current);
        MoveFileExW((stampFile + part).c_str(), stampFile.c_str(), MOVEFILE_REPLACE_EXISTING);
        break;
    }
    if (canWrite) DeleteFileW(temporary.c_str());
    return status;
}
