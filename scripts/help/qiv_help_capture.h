// Included by the help page's example programs (scripts/help/make_help.py writes them): the
// example runs as an ordinary program; qivHelpStart types the example's input into the input
// line when the program asks for it, and qivHelpCapture writes what the window shows (canvas
// and output pane) to capture.bmp and the output pane's text to pane.txt beside the program,
// and ends it.
#ifndef QIV_HELP_CAPTURE_H
#define QIV_HELP_CAPTURE_H

#include <windows.h>

#include <cstdio>

static const char* qivHelpInput = 0;

// Waits for the program to ask (on the input line, or in the box on the canvas for
// _editin), then types the line there and presses Enter, once.
static DWORD WINAPI qivHelpTyper(LPVOID) {
    for (int i = 0; i < 1000 && !_win.inputON && !_editin.inputON; ++i) Sleep(10);
    Sleep(200);  // the question stays on the screen a moment, as when a person types
    const HWND box = _editin.inputON ? hwndEdit : hwndInput;
    SendMessageA(box, WM_SETTEXT, 0, (LPARAM)qivHelpInput);
    SendMessageA(box, WM_KEYDOWN, VK_RETURN, 1);
    return 0;
}

// The output pane's text, to pane.txt beside the program (GBK, as the pane holds it).
static bool qivHelpWritePane(const char* file) {
    const int length = GetWindowTextLengthA(hwndOutput);
    char* text = new char[length + 1];
    const int got = GetWindowTextA(hwndOutput, text, length + 1);
    FILE* out = fopen(file, "wb");
    bool ok = out != NULL;
    if (ok) {
        ok = fwrite(text, 1, got, out) == (size_t)got;
        ok = fclose(out) == 0 && ok;
    }
    delete[] text;
    return ok;
}

static void qivHelpStart(const char* input) {
    if (input == 0) return;
    qivHelpInput = input;
    CloseHandle(CreateThread(NULL, 0, qivHelpTyper, NULL, 0, NULL));
}

static bool qivHelpWriteBmp(const char* file, HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFOHEADER info;
    ZeroMemory(&info, sizeof info);
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const int row = (width * 3 + 3) / 4 * 4;
    char* pixels = new char[row * height];
    GetDIBits(dc, bitmap, 0, height, pixels, (BITMAPINFO*)&info, DIB_RGB_COLORS);
    BITMAPFILEHEADER header;
    ZeroMemory(&header, sizeof header);
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + row * height;
    FILE* out = fopen(file, "wb");
    bool ok = out != NULL;
    if (ok) {
        ok = fwrite(&header, sizeof header, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1 &&
             fwrite(pixels, row * height, 1, out) == 1;
        ok = fclose(out) == 0 && ok;
    }
    delete[] pixels;
    return ok;
}

// The client area of the main window as the screen shows it, after what was drawn reached it.
static void qivHelpCapture() {
    GetPixel(pen.getHdc(), 0, 0);
    wait(0.4);
    RECT client;
    GetClientRect(hwndMain, &client);
    POINT corner = {0, 0};
    ClientToScreen(hwndMain, &corner);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, corner.x, corner.y, SRCCOPY);
    SelectObject(memory, old);
    const bool ok = qivHelpWriteBmp((getCurPath() + "\\capture.bmp").c_str(), memory, bitmap, client.right,
                                    client.bottom) &&
                    qivHelpWritePane((getCurPath() + "\\pane.txt").c_str());
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    ExitProcess(ok ? 0 : 1);
}

#endif
