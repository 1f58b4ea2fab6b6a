// "保存图形": the canvas as an uncompressed BMP file next to the program (demo.exe ->
// demo.bmp), or, when the program was started by the screen tool, a hand-off to the shell.
// The file's layout comes from core/bmp_layout; the file is replaced only when written
// completely, so a failed save keeps the previous picture.
#include "runtime_internal.h"

#include <cstdlib>
#include <cstring>

#include "core/bmp_layout.h"
#include "file_replace.h"

namespace {

// The depth a picture is stored at: the display's bits per pixel times its planes, rounded
// up to 1, 4, 8 or 24.
int displayDepth() {
    HDC display = CreateDCA("DISPLAY", NULL, NULL, NULL);
    if (display == NULL) return 24;
    const int depth = qiv::bmpDepthForDisplay(GetDeviceCaps(display, BITSPIXEL), GetDeviceCaps(display, PLANES));
    DeleteDC(display);
    return depth;
}

// Fetches the bitmap's rows (and, below 9 bits, its colour table) in the layout's format
// into block, which starts with the information header. Returns whether every row came.
bool fetchPixels(HBITMAP bitmap, const qiv::BmpLayout& layout, unsigned char* block) {
    HDC screen = GetDC(NULL);
    if (screen == NULL) return false;
    HPALETTE previous = SelectPalette(screen, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    RealizePalette(screen);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(layout.height),
                               block + qiv::kBmpInfoHeaderSize + layout.colourTableSize,
                               reinterpret_cast<BITMAPINFO*>(block), DIB_RGB_COLORS);
    if (previous != NULL) {
        SelectPalette(screen, previous, FALSE);
        RealizePalette(screen);
    }
    ReleaseDC(NULL, screen);
    return rows == layout.height;
}

}  // namespace

// Writes a bitmap held in memory as a BMP file of the given depth (1, 4, 8 or 24).
bool _saveBitmapAtDepth(HBITMAP bitmap, const string& fileName, int depth) {
    if (bitmap == NULL || fileName.empty()) return false;
    BITMAP info;
    if (GetObjectA(bitmap, sizeof info, &info) == 0) return false;
    qiv::BmpLayout layout;
    if (!qiv::bmpLayout(info.bmWidth, info.bmHeight, depth, &layout)) return false;

    const std::array<uint8_t, qiv::kBmpInfoHeaderSize> infoHeader = qiv::bmpInfoHeader(layout);
    const size_t blockSize = qiv::kBmpInfoHeaderSize + layout.colourTableSize + layout.imageSize;
    unsigned char* block = static_cast<unsigned char*>(calloc(blockSize, 1));
    if (block == NULL) return false;
    memcpy(block, infoHeader.data(), infoHeader.size());
    bool ok = fetchPixels(bitmap, layout, block);
    // The system may fill in fields such as the image size; the file keeps its own header.
    memcpy(block, infoHeader.data(), infoHeader.size());
    if (ok) {
        const std::array<uint8_t, qiv::kBmpFileHeaderSize> fileHeader = qiv::bmpFileHeader(layout);
        const TbyteBlock parts[2] = {{fileHeader.data(), static_cast<DWORD>(fileHeader.size())},
                                     {block, static_cast<DWORD>(blockSize)}};
        ok = _replaceFile(fileName, parts, 2);
    }
    free(block);
    return ok;
}

bool SaveCapturedBitmap(HBITMAP bitmap, string fileName) {
    return _saveBitmapAtDepth(bitmap, fileName, displayDepth());
}

// Copies the client area of window as it shows at this instant (also while a run draws
// on it) and writes it as a BMP file.
bool SaveWinBmp(HWND window, string fileName) {
    RECT client;
    if (window == NULL || !GetClientRect(window, &client)) return false;
    const int width = client.right, height = client.bottom;
    HDC windowDC = GetDC(window);
    if (windowDC == NULL) return false;
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = width > 0 && height > 0 ? CreateCompatibleBitmap(windowDC, width, height) : NULL;
    bool ok = false;
    if (memoryDC != NULL && bitmap != NULL) {
        HGDIOBJ previous = SelectObject(memoryDC, bitmap);
        const bool copied = BitBlt(memoryDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY) != 0;
        // Reading a bitmap's bits wants it selected into no device context.
        SelectObject(memoryDC, previous);
        ok = copied && SaveCapturedBitmap(bitmap, fileName);
    }
    if (bitmap != NULL) DeleteObject(bitmap);
    if (memoryDC != NULL) DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    return ok;
}

namespace {
// Opens a command line through the shell. The shell library is loaded only here: a program
// that imports it pays for loading it at every start (about 12 ms under Wine), and this is
// the runtime's only use of it. False when it could not be opened.
bool shellOpen(const char* commandLine) {
    typedef HINSTANCE(WINAPI * ShellExecuteFn)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    HMODULE shell = LoadLibraryA("shell32.dll");
    if (shell == NULL) return false;
    const ShellExecuteFn execute =
        reinterpret_cast<ShellExecuteFn>(reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteA")));
    return execute != NULL &&
           reinterpret_cast<INT_PTR>(execute(NULL, "open", commandLine, NULL, NULL, SW_SHOWNORMAL)) > 32;
}
}  // namespace

// The Tools menu's "保存图形". A command line naming the screen tool is opened by the shell
// instead, unless the shell cannot; otherwise the canvas goes to <program>.bmp and a box
// tells the outcome.
void _toolsSavePic() {
    if (_lpCmdLine != NULL && strstr(_lpCmdLine, "screener_plugin.exe") != NULL && shellOpen(_lpCmdLine)) return;
    char program[MAX_PATH + 1] = {0};
    const DWORD length = GetModuleFileNameA(NULL, program, MAX_PATH + 1);
    const bool saved = length > 0 && length <= MAX_PATH && SaveWinBmp(hwndDraw, qiv::pictureFileName(program));
    if (saved)
        MessageBoxA(NULL, "图形已保存到同目录的BMP文件！", "保存OK", MB_OK | MB_ICONINFORMATION);
    else
        MessageBoxA(NULL, "保存图形文件失败！", "未知错误", MB_OK | MB_ICONERROR);
}
