#include "tool_files.h"

#include <windows.h>

#include <cstdio>

namespace qivtools {

qiv::FileIdentity fileIdentity(const std::wstring &path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {false, 0, 0};
    return {true, (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
            (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                data.ftLastWriteTime.dwLowDateTime};
}

bool fileExists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring folderOf(const std::wstring &path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

std::wstring editorFolderOfThisTool() {
    wchar_t self[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, self, sizeof self / sizeof self[0]);
    if (length == 0 || length >= sizeof self / sizeof self[0]) return std::wstring();
    return folderOf(folderOf(folderOf(self)));
}

namespace {
std::string readBlock(FILE *in, unsigned long long offset, unsigned long long size) {
    std::string block(static_cast<size_t>(size), '\0');
    if (_fseeki64(in, static_cast<long long>(offset), SEEK_SET) != 0) return std::string();
    block.resize(fread(&block[0], 1, block.size(), in));
    return block;
}
}  // namespace

qiv::MadeHeader madeHeader(const std::wstring &gch) {
    qiv::MadeHeader made = {fileIdentity(gch), 0};
    if (!made.file.found) return made;
    FILE *in = _wfopen(gch.c_str(), L"rb");
    if (in == nullptr) return made;
    const unsigned long long size = made.file.size;
    const unsigned long long edge = size < qiv::kPchEdgeBytes ? size : qiv::kPchEdgeBytes;
    const std::string head = readBlock(in, 0, edge);
    const std::string tail = readBlock(in, qiv::pchTailOffset(size), edge);
    fclose(in);
    made.edges = qiv::pchEdgeChecksum(head, tail) | 1;  // never 0, the value of "not read"
    return made;
}

bool precompiledHeaderCurrent(const std::wstring &editor) {
    const std::wstring gch = editor + L"\\Qiv\\logo.h.gch";
    const qiv::FileIdentity compiler = fileIdentity(editor + L"\\MinGW\\bin\\g++.exe");
    if (!compiler.found || !fileIdentity(gch).found) return false;
    const std::string stamp = readFileBytes(gch + L".stamp", 512);
    const std::string current =
        qiv::pchStamp(fileIdentity(editor + L"\\Qiv\\logo.h"), compiler, madeHeader(gch));
    return qiv::decidePch({true, true, stamp, current, false}) == qiv::PchAction::Use;
}

std::string readFileBytes(const std::wstring &path, size_t limit) {
    std::string bytes;
    FILE *in = _wfopen(path.c_str(), L"rb");
    if (in == nullptr) return bytes;
    char buffer[65536];
    size_t got;
    while (bytes.size() < limit && (got = fread(buffer, 1, sizeof buffer, in)) > 0) bytes.append(buffer, got);
    fclose(in);
    if (bytes.size() > limit) bytes.resize(limit);
    return bytes;
}

bool replaceFileBytes(const std::wstring &path, const std::string &bytes) {
    const std::wstring temporary = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".part";
    FILE *out = _wfopen(temporary.c_str(), L"wb");
    if (out == nullptr) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    ok = fclose(out) == 0 && ok;
    if (ok) ok = MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

bool replaceFileWithCopy(const std::wstring &from, const std::wstring &to) {
    const std::wstring temporary = to + L"." + std::to_wstring(GetCurrentProcessId()) + L".part";
    if (!CopyFileW(from.c_str(), temporary.c_str(), FALSE)) return false;
    if (MoveFileExW(temporary.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(temporary.c_str());
    return false;
}

std::string ansi(const std::wstring &text) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], bytes, nullptr, nullptr);
    return out;
}

std::wstring widen(const std::string &ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// True when the ANSI code page holds `c` exactly (no substitute, no best-fit look-alike).
bool fitsAnsiCodePage(char32_t c) {
    wchar_t units[2];
    int count = 1;
    if (c > 0xFFFF) {
        units[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        count = 2;
    } else {
        units[0] = static_cast<wchar_t>(c);
    }
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, bytes,
                                           sizeof bytes, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return false;
    wchar_t back[4];
    const int backCount = MultiByteToWideChar(CP_ACP, 0, bytes, length, back, 4);
    return backCount == count && back[0] == units[0] && (count == 1 || back[1] == units[1]);
}

}  // namespace qivtools
