// makepch.exe: keeps the precompiled runtime header N\Qiv\logo.h.gch current, so that the
// students' compile step reads one file instead of every header logo.h pulls in. N is the
// editor's folder, two levels above this program (N\Qiv\tools\makepch.exe). The installer
// runs it once; the build key runs it before every compile, where it costs a few milliseconds
// unless logo.h or the compiler changed.
//
// The header is made under a temporary name of this process and renamed into place, so a
// make that is interrupted, or two made at once, never leave a half-written logo.h.gch; its
// stamp logo.h.gch.stamp names the logo.h and compiler it was made from and the header as it
// was written, so a header damaged since is made again. Temporary files of makers that no
// longer run (ended by force) are removed by the next run.
//
// Exit codes: 0 the header is current (or was made now); 1 there is none, making it failed
// (the compiler's words are printed; builds read logo.h); 2 no header and the folder may not
// be written (builds work, slower); 3 a stale header that can be neither replaced nor removed
// (it is held open by a running compile, say: a build would use it).
// makepch --check only tells what it would do (it removes left-over temporary files all the
// same): 0, 2 and 3 as above, 10 it would make the header (which takes a while: the build key
// says so first), 11 it would remove one.
#include <windows.h>

#include <cstdio>
#include <string>

#include "pch_state.h"
#include "run_hidden.h"
#include "tool_files.h"

namespace {

const char* const kGchName = "logo.h.gch";

using qivtools::folderOf;
qiv::FileIdentity identity(const std::wstring& path) { return qivtools::fileIdentity(path); }

std::string readSmallFile(const std::wstring& path) { return qivtools::readFileBytes(path, 512); }

bool writeSmallFile(const std::wstring& path, const std::string& text) {
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) return false;
    bool ok = fwrite(text.data(), 1, text.size(), out) == text.size();
    return fclose(out) == 0 && ok;
}

using qivtools::widen;

// Characters past ASCII become '?': the names compared are ASCII.
std::string narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Removes a file, a read-only one too; false when it is still there (held open).
bool removeFile(const std::wstring& path) {
    if (DeleteFileW(path.c_str()) || !exists(path)) return true;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return false;
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (DeleteFileW(path.c_str())) return true;
    SetFileAttributesW(path.c_str(), attributes);
    return false;
}

// Whether process `id` runs, and the file name of its program when that can be told.
void processState(DWORD id, bool& running, std::string& image) {
    image.clear();
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, id);
    if (process == nullptr) {
        running = GetLastError() != ERROR_INVALID_PARAMETER;  // no such process
        return;
    }
    running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    wchar_t path[MAX_PATH * 2];
    DWORD length = sizeof path / sizeof path[0];
    if (QueryFullProcessImageNameW(process, 0, path, &length)) image = narrow(std::wstring(path, length));
    CloseHandle(process);
}

// Temporary files of makers ended by force (a killed make leaves up to the header's size).
void removeLeftovers(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const std::wstring pattern = folder + L"\\" + widen(kGchName) + L".*.part";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        unsigned long owner = 0;
        if (!qiv::pchPartOwner(kGchName, narrow(found.cFileName), owner) || owner == GetCurrentProcessId()) continue;
        bool running = true;
        std::string image;
        processState(owner, running, image);
        if (qiv::pchPartLeftOver(running, image)) DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

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

struct Paths {
    std::wstring editor, gch, stampFile, part;
    std::wstring logoH() const { return editor + L"\\Qiv\\logo.h"; }
    std::wstring compiler() const { return editor + L"\\MinGW\\bin\\g++.exe"; }
};

// The stamp of the header now under its name, from the logo.h and compiler it was made from.
std::string stampNow(const Paths& p, const qiv::FileIdentity& header, const qiv::FileIdentity& compiler) {
    return qiv::pchStamp(header, compiler, qivtools::madeHeader(p.gch));
}

// Makes the header and puts it in place; the exit code.
int make(const Paths& p, const std::wstring& temporary, const qiv::FileIdentity& header,
         const qiv::FileIdentity& compiler) {
    qiv::PchMakeEnd end = {compileHeader(p.editor, temporary), false, false, false};
    // The new header replaces the old one in one step; the stamp follows. Should the stamp
    // not be written, the next build simply makes the header again.
    end.placed = end.compiled && MoveFileExW(temporary.c_str(), p.gch.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!end.placed && exists(p.gch)) {
        // The old header is held open by a running compile, or read-only, or the make failed.
        // A maker running at the same time may have put a current one there; a stale one must
        // not stay where the compiler takes it.
        const std::string stamp = readSmallFile(p.stampFile);
        end.oldCurrent = !stamp.empty() && stamp == stampNow(p, header, compiler);
        if (!end.oldCurrent && removeFile(p.gch)) {
            DeleteFileW(p.stampFile.c_str());
            end.placed = end.compiled && MoveFileExW(temporary.c_str(), p.gch.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
        end.oldLeft = !end.placed && exists(p.gch);
    }
    if (end.placed) {
        DeleteFileW(p.stampFile.c_str());
        const std::wstring stampPart = p.stampFile + p.part;
        writeSmallFile(stampPart, stampNow(p, header, compiler));
        MoveFileExW(stampPart.c_str(), p.stampFile.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    const int status = qiv::pchMakeExitCode(end);
    if (status == 3) std::printf("makepch: the old Qiv\\logo.h.gch is in use or protected and cannot be replaced\n");
    return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool checkOnly = argc > 1 && lstrcmpiW(argv[1], L"--check") == 0;
    Paths p;
    p.editor = qivtools::editorFolderOfThisTool();
    if (p.editor.empty()) return 1;
    p.gch = p.editor + L"\\Qiv\\" + widen(kGchName);
    p.stampFile = p.gch + L".stamp";
    p.part = widen(qiv::pchTemporaryName("", GetCurrentProcessId()));
    const std::wstring temporary = p.gch + p.part;

    removeLeftovers(folderOf(p.gch));
    const qiv::FileIdentity header = identity(p.logoH()), compiler = identity(p.compiler());
    const bool headerFound = identity(p.gch).found;
    const std::string current = stampNow(p, header, compiler);
    // Creating the temporary file is the test of whether the folder may be written.
    HANDLE probe = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
    const bool canWrite = probe != INVALID_HANDLE_VALUE;
    if (canWrite) CloseHandle(probe);
    const qiv::PchFacts facts = {compiler.found, headerFound, readSmallFile(p.stampFile), current, canWrite};
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
        DeleteFileW(p.stampFile.c_str());
        if (!removeFile(p.gch)) status = 3;
        break;
    case qiv::PchAction::Make: status = make(p, temporary, header, compiler); break;
    }
    if (canWrite) DeleteFileW(temporary.c_str());
    return status;
}
