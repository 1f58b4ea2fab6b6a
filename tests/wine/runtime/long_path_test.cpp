// Files replaced through a temporary file beside them: a path of 257-259 characters (where
// "<path>.tmp" would be too long) and a folder named with a Chinese character whose second
// byte is '\' are written completely, with nothing left behind.
#include <qiv_check.h>

// The runtime's file replacement (file_replace.h of the library).
struct TbyteBlock {
    const void* data;
    DWORD size;
};
bool _replaceFile(const std::string& path, const TbyteBlock* blocks, int count);

static std::string readAll(const std::string& path) {
    std::string s;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == NULL) return "<missing>";
    char buf[256];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    fclose(f);
    return s;
}

// Files in a folder, "." and ".." left out.
static int filesIn(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return -1;
    int n = 0;
    do n += strcmp(fd.cFileName, ".") != 0 && strcmp(fd.cFileName, "..") != 0;
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

static void replaceIn(const std::string& folder, const std::string& name) {
    const std::string path = folder + "\\" + name;
    const TbyteBlock blocks[2] = {{"old", 3}, {" picture", 8}};
    ok(_replaceFile(path, blocks, 1), "%u characters: the first write failed", (unsigned)path.size());
    ok(_replaceFile(path, blocks, 2), "%u characters: the replacement failed", (unsigned)path.size());
    ok(readAll(path) == "old picture", "%u characters: the file holds [%s]", (unsigned)path.size(),
       readAll(path).c_str());
    ok(filesIn(folder) == 1, "%u characters: %d files in the folder", (unsigned)path.size(), filesIn(folder));
    DeleteFileA(path.c_str());
}

int main() {
    qc_watchdog(60000);
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    // A folder of 240 characters, made one level at a time.
    std::string folder = std::string(cwd) + "\\long_path_test";
    CreateDirectoryA(folder.c_str(), NULL);
    while (folder.size() < 240) {
        folder += "\\" + std::string(std::min<size_t>(40, 240 - folder.size() - 1), 'd');
        CreateDirectoryA(folder.c_str(), NULL);
    }
    ok(folder.size() == 240 && GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES,
       "the folder of %u characters was not made", (unsigned)folder.size());
    const int lengths[] = {250, 255, 256, 257, 258, 259};
    for (int total : lengths) replaceIn(folder, std::string(total - folder.size() - 5, 'p') + ".bmp");

    // A Chinese folder name whose characters end in the byte of '\'.
    const std::string chinese = std::string(cwd) + "\\long_path_test\\\xD5\x5C\xD5\x5C";
    ok(CreateDirectoryA(chinese.c_str(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS, "no folder %s",
       chinese.c_str());
    replaceIn(chinese, "\xD5\x5C.bmp");
    qc_finish();
    return 0;
}
