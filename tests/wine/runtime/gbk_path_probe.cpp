// Run from a folder and under a name holding Chinese characters whose second byte is '\'
// (gbk_path.sh copies it there): the window title, getCurName and getCurPath name the
// program and its folder, and a picture beside the program is found and drawn.
#include <qiv_check.h>

// The ANSI (GBK) form of a wide string.
static std::string ansi(const std::wstring& w) {
    char buf[2 * MAX_PATH + 2];
    const int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, buf, sizeof buf, NULL, NULL);
    return n > 0 ? std::string(buf) : std::string();
}

// A 4 x 4 BMP of one colour, 24 bits.
static bool writeBmp(const std::wstring& path, BYTE r, BYTE g, BYTE b) {
    BYTE file[54 + 4 * 12] = {0};
    file[0] = 'B';
    file[1] = 'M';
    *(DWORD*)(file + 2) = sizeof file;
    *(DWORD*)(file + 10) = 54;
    *(DWORD*)(file + 14) = 40;
    *(LONG*)(file + 18) = 4;
    *(LONG*)(file + 22) = 4;
    *(WORD*)(file + 26) = 1;
    *(WORD*)(file + 28) = 24;
    for (int i = 0; i < 16; ++i) {
        file[54 + i * 3] = b;
        file[55 + i * 3] = g;
        file[56 + i * 3] = r;
    }
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool done = WriteFile(h, file, sizeof file, &written, NULL) && written == sizeof file;
    CloseHandle(h);
    return done;
}

int main() {
    qc_watchdog(60000);
    // The expected names, split on the wide path, where a backslash is never half of a
    // character.
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(NULL, module, MAX_PATH);
    const std::wstring path(module);
    const size_t slash = path.rfind(L'\\');
    const std::wstring folder = path.substr(0, slash), file = path.substr(slash + 1);
    const std::wstring name = file.substr(0, file.rfind(L'.'));
    const std::string folderA = ansi(folder), nameA = ansi(name);
    ok(folderA.find("\xD5\x5C") != std::string::npos && nameA.find("\xD5\x5C") != std::string::npos,
       "the probe does not run from a folder and name with 0x5C trail bytes: %s", ansi(path).c_str());

    ok(getCurPath() == folderA, "getCurPath: [%s], expected [%s]", getCurPath().c_str(), folderA.c_str());
    ok(getCurName() == nameA, "getCurName: [%s], expected [%s]", getCurName().c_str(), nameA.c_str());
    ok(qc_text(hwndMain) == nameA, "title: [%s], expected [%s]", qc_text(hwndMain).c_str(), nameA.c_str());

    // A picture beside the program is found: drawn, and no failure box.
    ok(writeBmp(folder + L"\\" + std::wstring(1, (wchar_t)0x8AA0) + L".bmp", 200, 30, 40), "no picture written");
    QcBoxWatch boxes(qc_ansi(L"\x51FA\x9519"));
    pen.move(0, 0).pic("\xD5\x5C.bmp", 40, 40, true);
    boxes.stop();
    ok(boxes.boxes == 0, "the picture beside the program was not found: %s", boxes.firstText.c_str());
    const COLORREF c = GetPixel(pen.getHdc(), xScn(0), yScn(0));
    ok(c == RGB(200, 30, 40), "the picture was not drawn: %06lx", c);
    qc_finish();
    return 0;
}
