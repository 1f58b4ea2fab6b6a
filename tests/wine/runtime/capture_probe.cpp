// The program capture_mode.sh runs, in capture mode and normally. The word on its command
// line chooses what it does:
//   draw   lines, shapes, text, axes and the pencil head; then tells whether any window of
//          the process is visible and whether Ctrl+R is free for others. Run normally, it
//          writes the canvas read back from the window as normal.bmp (24 bits) and closes.
//   input  reads values and lines with cin, getline and the canvas box, and prints them.
//   loop   prints a line, then loops for ever without calling the runtime.
//   box    two message boxes of its own and a failing picture (the runtime's own box).
//   crash  prints a line, draws, then writes through a null pointer.
// Chinese texts are GBK bytes: the student command lines compile narrow literals as they are.
#include <cstring>

static bool mode(const char* word) { return strstr(GetCommandLineA(), word) != NULL; }

static BOOL CALLBACK findVisible(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) *(bool*)found = true;
    return TRUE;
}

// The canvas as the window shows it, through the run's device context, as a 24-bit BMP.
static bool writeCanvas(const char* path) {
    RECT rc;
    GetClientRect(hwndDraw, &rc);
    const int w = rc.right, h = rc.bottom, row = (w * 3 + 3) / 4 * 4;
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC mem = CreateCompatibleDC(pen.getHdc());
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, pen.getHdc(), 0, 0, SRCCOPY);
    GdiFlush();
    BYTE header[54] = {0};
    header[0] = 'B';
    header[1] = 'M';
    *(DWORD*)(header + 2) = 54 + row * h;
    *(DWORD*)(header + 10) = 54;
    memcpy(header + 14, &bi.bmiHeader, 40);
    FILE* f = fopen(path, "wb");
    bool done = f != NULL && fwrite(header, 1, 54, f) == 54 && fwrite(bits, 1, (size_t)row * h, f) == (size_t)row * h;
    if (f != NULL) done = fclose(f) == 0 && done;
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(dib);
    return done;
}

static void draw() {
    pen.speed(100);
    showXY(0, 8);
    pen.size(3).c(1).fd(120).rt(90).fd(80);
    pen.oo(40, 3).rr(60, 30, 5);
    pen.move(-200, 100).e(80, 40).o(25);
    pen.style(PS_DASH).size(1).c(2).line(-250, -150).style(PS_SOLID);
    text.size(24, 0).color(1);
    pen.move(-100, -120);
    pen << "Qiv 12.5";
    pen.move(100, -200) << "\xd6\xd0\xce\xc4";  // 中文, centred
    pen.move(150, -80).angle(30).show();  // the pencil head stays on the picture
    bool visible = false;
    EnumWindows(findVisible, (LPARAM)&visible);
    const bool hotkeyFree = RegisterHotKey(NULL, 0x5151, MOD_CONTROL, 'R') != 0;
    if (hotkeyFree) UnregisterHotKey(NULL, 0x5151);
    cout << "visible=" << visible << " hotkey_free=" << hotkeyFree << endl;
    if (getenv("QIV_CAPTURE_DIR") == NULL) {
        printf("visible=%d hotkey_free=%d canvas=%d\n", visible, hotkeyFree, writeCanvas("normal.bmp"));
        fflush(stdout);
        PostMessageA(hwndMain, WM_CLOSE, 0, 0);
    }
}

static void input() {
    int a = -1, c = 77, d = 55;
    string w = "unset", s, s2, e = "unset";
    cin >> a >> w;
    cin.getline(s);
    cin >> c;
    cin >> d;          // the file is used up from here on: nothing to read
    cin.getline(s2);   // an empty line, as Enter on an empty box
    _editin >> e;
    cout << "a=" << a << " w=" << w << " s=[" << s << "] c=" << c << " d=" << d << " s2=[" << s2 << "] e=" << e
         << endl;
}

int main() {
    if (mode(" draw")) draw();
    if (mode(" input")) input();
    if (mode(" loop")) {
        cout << "looping" << endl;
        volatile unsigned n = 0;
        for (;;) ++n;
    }
    if (mode(" box")) {
        const int r1 = MessageBoxA(NULL, "\xb5\xda\xd2\xbb\xb8\xf6\xbf\xf2", "\xb1\xea\xcc\xe2", MB_OK);  // 第一个框, 标题
        const int r2 = MessageBoxA(NULL, "second\nline", "Q", MB_YESNO | MB_DEFBUTTON2);
        pen.pic("no_such_picture.bmp");
        cout << "r1=" << r1 << " r2=" << r2 << endl;
    }
    if (mode(" crash")) {
        cout << "before crash" << endl;
        pen.fd(50);
        *(volatile int*)0 = 1;
    }
    return 0;
}
