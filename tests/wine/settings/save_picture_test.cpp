// "保存图形" through the real menu command, driven by save_picture.sh:
//   save_picture_test                   the BMP file's header and pixels against the canvas,
//                                       saving twice, a locked file, saving during a
//                                       running animation, the colour table of small depths
//   save_picture_test diskfull          a write that fails half-way keeps the old picture
//   save_picture_test <path>\screener_plugin.exe
//                                       the command line is handed to the shell: when the
//                                       named program exists it runs and no file is written,
//                                       otherwise the picture is saved as usual
// Started under the name screener_plugin.exe, the program only leaves a mark and ends.
// For "diskfull" the script prepares an old "picture" and limits the size of the files the
// program may write.
#include <qiv_check.h>

static volatile int runs = 0;
static volatile int scene = 0;      // what the next run draws
static volatile int progress = 0;   // steps the animation has drawn
static volatile bool animationDone = false;

enum { SCENE_FIRST, SCENE_SECOND, SCENE_ANIMATION };
static const int kAnimationSteps = 360;

static std::string pictureName() { return getCurPath() + "\\" + getCurName() + ".bmp"; }
static std::string markName() { return getCurPath() + "\\screener_ran.txt"; }
static bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

static std::string readFile(const std::string& path) {
    std::string bytes;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(f, buf, sizeof buf, &n, NULL) && n > 0) bytes.append(buf, n);
    CloseHandle(f);
    return bytes;
}

extern LPSTR _lpCmdLine;  // the words after the program name on the command line

// ---- message boxes -------------------------------------------------------------------
static HWND visibleBox(const std::string& caption) {
    HWND box = NULL;
    while ((box = FindWindowExA(NULL, box, "#32770", caption.c_str())) != NULL)
        if (IsWindowVisible(box)) return box;
    return NULL;
}

static std::string boxText(HWND box) {
    char text[512] = {0};
    for (HWND label = FindWindowExA(box, NULL, "Static", NULL); label != NULL;
         label = FindWindowExA(box, label, "Static", NULL))
        if (GetWindowTextA(label, text, sizeof text) > 0) break;
    return text;
}

static void closeBox(HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    qc_wait_for([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000);
}

// Saves through the menu command and checks the box that answers: the success or the
// failure box, with its text and no owner window. Returns whether the expected box came.
static bool saveExpecting(bool success, const char* what) {
    const std::string caption = qc_ansi(success ? L"保存OK" : L"未知错误");
    const std::string other = qc_ansi(success ? L"未知错误" : L"保存OK");
    const std::string text = qc_ansi(success ? L"图形已保存到同目录的BMP文件！" : L"保存图形文件失败！");
    PostMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(4, 0), 0);
    HWND box = NULL;
    qc_wait_for([&] { return (box = visibleBox(caption)) != NULL || visibleBox(other) != NULL; }, 5000);
    if (box == NULL) {
        HWND wrong = visibleBox(other);
        ok(false, "%s: no box captioned [%s]%s", what, caption.c_str(), wrong ? ", the other box came instead" : "");
        if (wrong) closeBox(wrong);
        return false;
    }
    ok(boxText(box) == text, "%s: box text [%s]", what, boxText(box).c_str());
    ok(GetWindow(box, GW_OWNER) == NULL, "%s: the box has an owner window", what);
    closeBox(box);
    return true;
}

// ---- the saved file ----------------------------------------------------------------------
static unsigned le32(const std::string& b, size_t at) {
    return (unsigned char)b[at] | (unsigned char)b[at + 1] << 8 | (unsigned char)b[at + 2] << 16 |
           (unsigned)(unsigned char)b[at + 3] << 24;
}
static unsigned le16(const std::string& b, size_t at) { return (unsigned char)b[at] | (unsigned char)b[at + 1] << 8; }

static void canvasSize(int* w, int* h) {
    RECT rc;
    GetClientRect(hwndDraw, &rc);
    *w = rc.right;
    *h = rc.bottom;
}

// The header of a 24-bit picture of the canvas; returns whether pixels can be read from it.
static bool checkHeader(const std::string& b, const char* what) {
    int w, h;
    canvasSize(&w, &h);
    const unsigned rowSize = (w * 24 + 31) / 32 * 4;
    if (b.size() < 54) {
        ok(false, "%s: the file has %u bytes", what, (unsigned)b.size());
        return false;
    }
    ok(b[0] == 'B' && b[1] == 'M', "%s: type %02x %02x", what, (unsigned char)b[0], (unsigned char)b[1]);
    ok(le32(b, 2) == b.size(), "%s: size field %u, file %u bytes", what, le32(b, 2), (unsigned)b.size());
    ok(b.size() == 54 + rowSize * h, "%s: file %u bytes, expected %u", what, (unsigned)b.size(), 54 + rowSize * h);
    ok(le32(b, 6) == 0, "%s: reserved %08x", what, le32(b, 6));
    ok(le32(b, 10) == 54, "%s: pixel offset %u", what, le32(b, 10));
    ok(le32(b, 14) == 40, "%s: header size %u", what, le32(b, 14));
    ok((int)le32(b, 18) == w && (int)le32(b, 22) == h, "%s: %ux%u, canvas %dx%d", what, le32(b, 18), le32(b, 22), w, h);
    ok(le16(b, 26) == 1 && le16(b, 28) == 24, "%s: planes %u depth %u", what, le16(b, 26), le16(b, 28));
    for (size_t at = 30; at < 54; at += 4) ok(le32(b, at) == 0, "%s: field at %u is %u", what, (unsigned)at, le32(b, at));
    return b.size() == 54 + rowSize * h && le32(b, 10) == 54;
}

// A pixel of a 24-bit picture (rows stored bottom-up, blue green red).
static COLORREF filePixel(const std::string& b, int x, int y) {
    int w, h;
    canvasSize(&w, &h);
    const size_t at = 54 + (size_t)(h - 1 - y) * ((w * 24 + 31) / 32 * 4) + x * 3;
    return RGB((unsigned char)b[at + 2], (unsigned char)b[at + 1], (unsigned char)b[at]);
}

static COLORREF canvasPixel(int x, int y) {
    HDC dc = GetDC(hwndDraw);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwndDraw, dc);
    return c;
}

// Compares the file with the canvas at the given points (the canvas must be still).
static void comparePixels(const std::string& b, const POINT* points, int count, const char* what) {
    for (int i = 0; i < count; ++i) {
        const COLORREF inFile = filePixel(b, points[i].x, points[i].y), onCanvas = canvasPixel(points[i].x, points[i].y);
        ok(inFile == onCanvas, "%s: pixel (%ld, %ld) is %06lx in the file, %06lx on the canvas", what, points[i].x,
           points[i].y, inFile, onCanvas);
    }
}

static void runScene(int which) {
    const int before = runs;
    scene = which;
    qc_command(1);
    ok(qc_wait_for([&] { return runs == before + 1; }, 5000), "scene %d did not start", which);
}

// ---- the checks --------------------------------------------------------------------------
static void savedPictures() {
    const std::string name = pictureName();
    int w, h;
    canvasSize(&w, &h);
    const int cx = (int)pen.getOX(), cy = (int)pen.getOY();
    const COLORREF white = RGB(255, 255, 255);

    ok(canvasPixel(cx, cy - 50) != white && canvasPixel(cx + 40, cy) != white, "the first scene was not drawn");

    // Saved: the header, the pixels of both lines, the background and the corners.
    if (!saveExpecting(true, "first save")) return;
    const std::string first = readFile(name);
    const POINT points[] = {{cx, cy - 50}, {cx, cy - 98}, {cx + 40, cy}, {cx - 40, cy + 40}, {0, 0}, {w - 1, h - 1}};
    if (checkHeader(first, "first save")) comparePixels(first, points, 6, "first save");
    ok(!exists(name + ".tmp"), "first save: the temporary file was left behind");

    // Saving again replaces the picture with what the canvas shows now.
    runScene(SCENE_SECOND);
    ok(qc_wait_idle(5000), "the second scene did not end");
    ok(canvasPixel(cx - 40, cy) != white && canvasPixel(cx + 40, cy) == white, "the second scene was not drawn");
    if (saveExpecting(true, "second save")) {
        const std::string second = readFile(name);
        const POINT again[] = {{cx - 40, cy}, {cx + 40, cy}, {cx, cy - 50}};
        if (checkHeader(second, "second save")) comparePixels(second, again, 3, "second save");
        ok(second != first, "the second save did not replace the first picture");

        // A locked picture file cannot be replaced: the failure box, the picture unchanged.
        HANDLE lock = CreateFileA(name.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        ok(lock != INVALID_HANDLE_VALUE, "the picture could not be locked");
        saveExpecting(false, "locked file");
        CloseHandle(lock);
        ok(readFile(name) == second, "locked file: the picture was changed");
        ok(!exists(name + ".tmp"), "locked file: the temporary file was left behind");
    }
}

bool SaveCapturedBitmap(HBITMAP bitmap, std::string fileName);
bool _saveBitmapAtDepth(HBITMAP bitmap, const std::string& fileName, int depth);

// The colour of a pixel of a picture stored with a colour table, through that table.
static COLORREF indexedPixel(const std::string& b, int depth, int x, int y) {
    const int w = (int)le32(b, 18), h = (int)le32(b, 22);
    const size_t row = 54 + ((size_t)4 << depth) + (size_t)(h - 1 - y) * ((w * depth + 31) / 32 * 4);
    const unsigned char byte = (unsigned char)b[row + x * depth / 8];
    const int shift = 8 - depth - (x * depth) % 8;
    const size_t entry = 54 + 4 * ((byte >> shift) & ((1 << depth) - 1));
    return RGB((unsigned char)b[entry + 2], (unsigned char)b[entry + 1], (unsigned char)b[entry]);
}

// Displays of 8 bits or fewer store a colour table between the headers and the rows. A
// 10 x 2 white bitmap with black pixels at its top-left and bottom-right corners is written
// at depths 1, 4 and 8 and read back through the table.
static void smallDepths() {
    const std::string name = getCurPath() + "\\depth_test.bmp";
    HDC screen = GetDC(NULL);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 10, 2);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    PatBlt(memory, 0, 0, 10, 2, WHITENESS);
    SetPixel(memory, 0, 0, RGB(0, 0, 0));
    SetPixel(memory, 9, 1, RGB(0, 0, 0));
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    const int depths[] = {1, 4, 8};
    for (int depth : depths) {
        DeleteFileA(name.c_str());
        ok(_saveBitmapAtDepth(bitmap, name, depth), "depth %d: not saved", depth);
        const std::string b = readFile(name);
        const unsigned table = 4u << depth, rowSize = (10 * depth + 31) / 32 * 4;
        ok(b.size() == 54 + table + 2 * rowSize && le32(b, 2) == b.size(), "depth %d: %u bytes, size field %u", depth,
           (unsigned)b.size(), b.size() >= 6 ? le32(b, 2) : 0);
        if (b.size() != 54 + table + 2 * rowSize) continue;
        ok(le32(b, 10) == 54 + table, "depth %d: pixel offset %u", depth, le32(b, 10));
        ok(le16(b, 28) == (unsigned)depth && le32(b, 34) == 0 && le32(b, 46) == 0,
           "depth %d: header depth %u, image size %u, colours used %u", depth, le16(b, 28), le32(b, 34), le32(b, 46));
        const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
        ok(indexedPixel(b, depth, 0, 0) == black && indexedPixel(b, depth, 9, 1) == black,
           "depth %d: the black corners read %06lx %06lx", depth, indexedPixel(b, depth, 0, 0),
           indexedPixel(b, depth, 9, 1));
        ok(indexedPixel(b, depth, 9, 0) == white && indexedPixel(b, depth, 0, 1) == white &&
               indexedPixel(b, depth, 5, 0) == white,
           "depth %d: white pixels read %06lx %06lx %06lx", depth, indexedPixel(b, depth, 9, 0),
           indexedPixel(b, depth, 0, 1), indexedPixel(b, depth, 5, 0));
    }
    DeleteFileA(name.c_str());
    ok(!SaveCapturedBitmap(NULL, name) && !exists(name), "a null bitmap was saved");
    ok(!SaveCapturedBitmap(bitmap, ""), "a bitmap without a file name was saved");
    DeleteObject(bitmap);
}

// A write that fails after the file was created (the script limits the size of the files
// the program may write): the failure box, the old picture kept byte for byte, and no
// temporary file left.
static void diskFull() {
    const std::string name = pictureName();
    ok(readFile(name) == "old picture\n", "the script did not prepare the old picture");
    saveExpecting(false, "disk full");
    ok(readFile(name) == "old picture\n", "disk full: the old picture was changed");
    ok(!exists(name + ".tmp"), "disk full: the temporary file was left behind");
}

static void saveDuringAnimation() {
    const std::string name = pictureName();
    const int cx = (int)pen.getOX(), cy = (int)pen.getOY();
    const COLORREF white = RGB(255, 255, 255);
    runScene(SCENE_ANIMATION);
    ok(qc_wait_for([] { return progress >= 60; }, 5000), "the animation did not get going");
    PostMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(4, 0), 0);
    HWND box = NULL;
    ok(qc_wait_for([&] { return (box = visibleBox(qc_ansi(L"保存OK"))) != NULL; }, 5000), "no success box during the run");
    const int atBox = progress;
    ok(!animationDone, "the animation ended before the box came (too fast to test)");
    // The run goes on while the box is open.
    ok(qc_wait_for([&] { return progress > atBox + 10; }, 3000), "the run stood still while the box was open (%d)", progress);
    if (box != NULL) closeBox(box);
    ok(qc_wait_for([] { return animationDone; }, 10000) && qc_wait_idle(5000), "the animation did not finish");
    const std::string b = readFile(name);
    if (checkHeader(b, "during the run")) {
        // The start of the line is in the picture, its far end not yet; the canvas has it now.
        ok(filePixel(b, cx + 20, cy) == canvasPixel(cx + 20, cy) && canvasPixel(cx + 20, cy) != white,
           "the partial picture lacks the start of the line: %06lx", filePixel(b, cx + 20, cy));
        ok(filePixel(b, cx + kAnimationSteps - 10, cy) == white, "the picture holds the end of the line already");
        ok(canvasPixel(cx + kAnimationSteps - 10, cy) != white, "the run did not draw the end of the line");
    }
}

// The command line names the screen tool: it runs (leaving its mark) and nothing is saved;
// when the shell cannot open it, the picture is saved as usual.
static void handOff(const std::string& tool) {
    const std::string name = pictureName();
    DeleteFileA(name.c_str());
    DeleteFileA(markName().c_str());
    if (exists(tool)) {
        PostMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(4, 0), 0);
        ok(qc_wait_for([] { return exists(markName()); }, 10000), "the screen tool did not run");
        Sleep(500);
        ok(visibleBox(qc_ansi(L"保存OK")) == NULL && visibleBox(qc_ansi(L"未知错误")) == NULL,
           "a box was shown although the tool ran");
        ok(!exists(name), "a picture was written although the tool ran");
    } else {
        saveExpecting(true, "tool missing");
        const std::string b = readFile(name);
        ok(b.size() > 54 && b[0] == 'B' && b[1] == 'M', "tool missing: no picture (%u bytes)", (unsigned)b.size());
        ok(!exists(markName()), "tool missing: something ran");
    }
}

static void driver() {
    ok(qc_wait_idle(5000), "the first run did not end");
    const std::string args = _lpCmdLine;
    if (args.find("screener_plugin.exe") != std::string::npos) {
        handOff(args);
    } else if (args == "diskfull") {
        diskFull();
    } else {
        savedPictures();
        saveDuringAnimation();
        smallDepths();
    }
}

int main() {
    ++runs;
    if (getCurName() == "screener_plugin") {  // started by the shell as the screen tool
        HANDLE mark = CreateFileA(markName().c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        CloseHandle(mark);
        ExitProcess(0);
    }
    if (runs == 1) {
        qc_watchdog(60000);
        qc_start_driver(driver);
    }
    switch (scene) {
    case SCENE_FIRST: pen.size(5).color(_red).fd(100).bk(100).rt(90).color(_blue).fd(80); break;
    case SCENE_SECOND: pen.size(5).color(_green).lt(90).fd(80); break;
    case SCENE_ANIMATION:
        pen.size(3).color(_red).rt(90);
        for (int i = 1; i <= kAnimationSteps; ++i) {
            pen.fd(1);
            progress = i;
            wait(0.01);
        }
        animationDone = true;
        break;
    }
    return 0;
}
