#include "file_replace.h"

#include "core/gbk_path.h"

namespace {

bool writeAll(HANDLE file, const TbyteBlock& block) {
    const char* at = static_cast<const char*>(block.data);
    DWORD left = block.size;
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(file, at, left, &written, NULL) || written == 0) return false;
        at += written;
        left -= written;
    }
    return true;
}

}  // namespace

bool _replaceFile(const std::string& path, const TbyteBlock* blocks, int count) {
    if (path.empty()) return false;
    // The temporary file is "<path>.tmp" (overwritten if it exists). Where that name would be
    // too long for the system but the path is not, a name exactly as long as the path is used
    // instead; a name of that kind already taken by some other file is passed over.
    std::string temporary = path + ".tmp";
    HANDLE file = INVALID_HANDLE_VALUE;
    if (temporary.size() < MAX_PATH) {
        file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
        if (file == INVALID_HANDLE_VALUE) return false;
    }
    for (int attempt = 0; file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = qiv::temporaryBeside(path, attempt);
        if (temporary.empty()) return false;
        file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    bool ok = true;
    for (int i = 0; ok && i < count; ++i) ok = writeAll(file, blocks[i]);
    if (ok) ok = FlushFileBuffers(file) != 0;
    if (!CloseHandle(file)) ok = false;
    if (ok) ok = MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}
