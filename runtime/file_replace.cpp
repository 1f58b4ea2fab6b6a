#include "file_replace.h"

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
    const std::string temporary = path + ".tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (int i = 0; ok && i < count; ++i) ok = writeAll(file, blocks[i]);
    if (ok) ok = FlushFileBuffers(file) != 0;
    if (!CloseHandle(file)) ok = false;
    if (ok) ok = MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}
