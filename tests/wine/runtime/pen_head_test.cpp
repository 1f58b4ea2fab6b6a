// The pen head on a real canvas: the pencil drawn through its mask at the pen, erased
// without a trace while the pen moves, chosen by the colour number, replaced from a bitmap
// file (turned with the pen) or a resource, the warning box for a missing file, and head
// calls made before any canvas exists.
#include <qiv_check.h>

#include <vector>

static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kPenBlue = RGB(0, 0, 205);

static HDC canvas() { return pen.getHdc(); }
static COLORREF at(int x, int y) { return GetPixel(canvas(), x, y); }

static void whiten(int left, int top, int right, int bottom) {
    RECT rc = {left, top, right, bottom};
    FillRect(canvas(), &rc, (HBRUSH)GetStockObject(WHITE_BRUSH));
}

// --- images as the program carries them --------------------------------------------------
struct Image {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;  // top row first
    COLORREF operator()(int x, int y) const { return pixels[y * width + x]; }
};

// A bitmap resource of this program, read back through a private copy (the head holds the
// shared one selected in its own device context).
static Image resourceImage(const char* name) {
    Image img;
    HBITMAP bmp = (HBITMAP)LoadImageA(GetModuleHandleA(NULL), name, IMAGE_BITMAP, 0, 0, 0);
    if (bmp == NULL) return img;
    BITMAP info;
    GetObjectA(bmp, sizeof info, &info);
    img.width = info.bmWidth;
    img.height = info.bmHeight;
    std::vector<DWORD> bits(img.width * img.height);
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = img.width;
    bi.bmiHeader.biHeight = -img.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    GetDIBits(screen, bmp, 0, img.height, bits.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(NULL, screen);
    DeleteObject(bmp);
    for (DWORD p : bits) img.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return img;
}

static Image gMask, gBlue, gGold, gWhiteHead, gRed;

// Compares the canvas with an upright head whose image's top-left pixel lies at (left, top):
// inside the mask the image's pixel, outside it the background must be untouched, as
// `background(x, y)` tells. Returns the number of differing pixels and describes the first.
template <class Background>
static int headMismatches(const Image& img, int left, int top, Background background, char* first) {
    int bad = 0;
    first[0] = 0;
    for (int r = 0; r < 24; ++r)
        for (int c = 0; c < 12; ++c) {
            const int x = left + c, y = top + r;
            const COLORREF got = at(x, y);
            const bool drawn = gMask(c, r) == kWhite;
            const bool good = drawn ? got == img(c, r) : background(x, y, got);
            if (!good && bad++ == 0)
                sprintf(first, "image (%d, %d) at canvas (%d, %d): %06lx, expected %s %06lx", c, r, x, y,
                        (unsigned long)got, drawn ? "the image's" : "the untouched", (unsigned long)img(c, r));
        }
    return bad;
}

static bool onWhite(int, int, COLORREF got) { return got == kWhite; }

// The built-in head at the pen's pixel (px, py), heading 0, over white canvas.
static void checkHeadAt(const Image& img, int px, int py, const char* what) {
    char first[200];
    const int bad = headMismatches(img, px - 6, py - 12, onWhite, first);
    ok(bad == 0, "%s: %d head pixels differ; %s", what, bad, first);
}

static int nonWhiteIn(int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += at(x, y) != kWhite;
    return n;
}

// --- before any canvas exists -------------------------------------------------------------
// A program-level object whose constructor uses the head before the entry runs: there is no
// device context yet, so every call must be ignored without harm.
static bool gEarlyCallsReturned = false;
static bool gEarlyHeadShown = true;
struct EarlyHeadUser {
    EarlyHeadUser() {
        pen.show().color(14).changRc("noSuchHead_bmp", "").changRc("redHead_bmp", "maskHead_bmp");
        pen.fd(20).rt(90).show();
        pen.hide();
        gEarlyHeadShown = pen.headShow;
        gEarlyCallsReturned = true;
    }
};
static EarlyHeadUser gEarly;

static void checkBeforeInit() {
    ok(gEarlyCallsReturned && !gEarlyHeadShown, "head calls before the first run: returned %d, shown %d",
       gEarlyCallsReturned, gEarlyHeadShown);
}

// --- show and hide ------------------------------------------------------------------------
static void checkShowHide() {
    pen.hide().angle(0).move(-300, 150);
    const int px = xScn(pen.x()), py = yScn(pen.y());
    whiten(px - 40, py - 40, px + 40, py + 40);
    pen.show();
    ok(pen.headShow, "show() did not set headShow");
    checkHeadAt(gBlue, px, py, "the start head");
    ok(nonWhiteIn(px - 40, py - 40, px + 40, py + 40) == nonWhiteIn(px - 6, py - 12, px + 6, py + 12),
       "the head drew outside its 12 x 24 rectangle");

    // Showing twice must not save the head as background: hide leaves nothing.
    pen.show().show();
    checkHeadAt(gBlue, px, py, "the head shown three times");
    pen.hide();
    ok(!pen.headShow, "hide() kept headShow");
    ok(nonWhiteIn(px - 20, py - 20, px + 20, py + 20) == 0, "after show twice and hide, %d head pixels stayed",
       nonWhiteIn(px - 20, py - 20, px + 20, py + 20));
    pen.hide();  // hiding a hidden head paints nothing back
    ok(nonWhiteIn(px - 20, py - 20, px + 20, py + 20) == 0, "a second hide drew");
}

// --- the head chosen by the colour number ----------------------------------------------------
static void checkColours() {
    pen.hide().angle(0).move(-200, 150);
    const int px = xScn(pen.x()), py = yScn(pen.y());
    whiten(px - 40, py - 40, px + 40, py + 40);
    pen.show();
    pen.color(14);
    checkHeadAt(gGold, px, py, "colour 14 (gold head)");
    pen.color(8);
    checkHeadAt(gWhiteHead, px, py, "colour 8 (white head)");
    pen.color(2);
    checkHeadAt(gBlue, px, py, "colour 2 (blue head)");
    pen.color(7).hide();
    ok(nonWhiteIn(px - 20, py - 20, px + 20, py + 20) == 0, "colour changes left head pixels behind");
}

// --- the head carried along an animated line --------------------------------------------------
static void checkMotion() {
    pen.hide().angle(0).move(-100, -200);
    const int px = xScn(pen.x()), y0 = yScn(pen.y()), y1 = yScn(pen.y() + 100);
    whiten(px - 40, y1 - 40, px + 40, y0 + 40);
    pen.size(2).speed(0).show();
    const DWORD start = GetTickCount();
    pen.fd(100);
    const DWORD took = GetTickCount() - start;
    pen.speed(100);
    ok(took >= 3500, "fd(100) at speed 0 took %lu ms: no animation to carry the head", (unsigned long)took);
    ok(yScn(pen.y()) == y1, "the pen ended at row %d, expected %d", yScn(pen.y()), y1);

    // Along the path, beside the line, the canvas is white again: no head stayed behind.
    int stale = 0, firstX = 0, firstY = 0;
    for (int y = y1 + 14; y <= y0 + 16; ++y)
        for (int x = px - 10; x <= px + 10; ++x) {
            if (x >= px - 2 && x <= px + 2) continue;  // the line itself
            if (at(x, y) != kWhite && stale++ == 0) firstX = x, firstY = y;
        }
    ok(stale == 0, "%d head pixels stayed beside the path, the first at (%d, %d): %06lx", stale, firstX, firstY,
       at(firstX, firstY));
    ok(at(px, (y0 + y1) / 2) == kPenBlue || at(px - 1, (y0 + y1) / 2) == kPenBlue, "no line along the path: %06lx",
       at(px, (y0 + y1) / 2));

    // At the end the head stands on the pen; outside its outline the canvas shows what lay
    // there: white, or the line under the lower half.
    char first[200];
    const int bad = headMismatches(
        gBlue, px - 6, y1 - 12,
        [&](int x, int y, COLORREF got) { return got == kWhite || (y >= y1 - 1 && x >= px - 2 && x <= px + 2); },
        first);
    ok(bad == 0, "the head at the end of fd(100): %d pixels differ; %s", bad, first);
    pen.hide();
    ok(nonWhiteIn(px - 10, y1 - 16, px + 10, y1 - 2) == 0, "hide after the motion left head pixels");
}

// --- a replacement image from a file ------------------------------------------------------------
// 40 x 20, four quadrants of distinct colours, written next to the program.
static const COLORREF kQuadrant[2][2] = {{RGB(255, 0, 0), RGB(0, 160, 0)}, {RGB(255, 200, 0), RGB(128, 0, 128)}};

static bool writeWideHead(const std::string& path) {
    const int w = 40, h = 20, stride = w * 3;
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    ZeroMemory(&fh, sizeof fh);
    ZeroMemory(&ih, sizeof ih);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + stride * h;
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = stride * h;
    std::vector<BYTE> rows;
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = kQuadrant[y >= h / 2][x >= w / 2];
            rows.push_back(GetBValue(c));
            rows.push_back(GetGValue(c));
            rows.push_back(GetRValue(c));
        }
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, &fh, sizeof fh, &written, NULL);
    WriteFile(f, &ih, sizeof ih, &written, NULL);
    WriteFile(f, rows.data(), (DWORD)rows.size(), &written, NULL);
    CloseHandle(f);
    return true;
}

static void checkReplacementFile() {
    ok(writeWideHead(getCurPath() + "\\wide_head.bmp"), "cannot write wide_head.bmp");
    pen.hide().angle(0).move(100, 150);
    const int px = xScn(pen.x()), py = yScn(pen.y());
    whiten(px - 40, py - 40, px + 40, py + 40);
    pen.show().chang("wide_head.bmp", "").show();

    // No mask: the whole 40 x 20 rectangle, centred on the pen.
    int bad = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) bad += at(px - 20 + x, py - 10 + y) != kQuadrant[y >= 10][x >= 20];
    ok(bad == 0, "%d pixels of the 40 x 20 head differ (top-left %06lx, bottom-right %06lx)", bad,
       at(px - 20, py - 10), at(px + 19, py + 9));
    ok(at(px - 21, py) == kWhite && at(px + 20, py) == kWhite && at(px, py - 11) == kWhite && at(px, py + 10) == kWhite,
       "the 40 x 20 head spills over its rectangle");

    // Erasing restores the whole saved square (46 x 46 for this image).
    pen.hide();
    ok(nonWhiteIn(px - 30, py - 30, px + 30, py + 30) == 0, "hiding the 40 x 20 head left %d pixels",
       nonWhiteIn(px - 30, py - 30, px + 30, py + 30));

    // Turned with the pen: at heading 90 the image's top edge faces right.
    pen.angle(90).show();
    ok(at(px + 5, py - 10) == kQuadrant[0][0] && at(px + 5, py + 10) == kQuadrant[0][1] &&
           at(px - 5, py - 10) == kQuadrant[1][0] && at(px - 5, py + 10) == kQuadrant[1][1],
       "heading 90: quadrants %06lx %06lx %06lx %06lx", at(px + 5, py - 10), at(px + 5, py + 10), at(px - 5, py - 10),
       at(px - 5, py + 10));
    pen.hide();
    ok(nonWhiteIn(px - 30, py - 30, px + 30, py + 30) == 0, "hiding the turned head left %d pixels",
       nonWhiteIn(px - 30, py - 30, px + 30, py + 30));

    // A colour number brings the built-in pencil back.
    pen.angle(0).color(7).show();
    checkHeadAt(gBlue, px, py, "the built-in head after a replacement");
    pen.hide();
    DeleteFileA((getCurPath() + "\\wide_head.bmp").c_str());
}

// --- replacements from resources -------------------------------------------------------------
static void checkReplacementResource() {
    pen.hide().angle(0).color(7).move(250, 150);
    const int px = xScn(pen.x()), py = yScn(pen.y());
    whiten(px - 40, py - 40, px + 40, py + 40);
    pen.show().changRc("noSuchHead_bmp", "").show();
    checkHeadAt(gBlue, px, py, "after changRc of a missing resource");

    // A resource that exists: the red pencil, 12 x 42, drawn whole through the mask and so
    // centred on its 42 rows.
    pen.changRc("redHead_bmp", "maskHead_bmp").show();
    int best = 1 << 30;
    char first[200];
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            char text[200];
            const int bad = headMismatches(gRed, px - 6 + dx, py - 21 + dy, onWhite, text);
            if (bad < best) best = bad, strcpy(first, text);
        }
    ok(best == 0, "changRc(redHead_bmp, maskHead_bmp): %d pixels differ; %s", best, first);
    pen.hide().color(7);
}

// --- a missing file: the warning box -----------------------------------------------------------
static void checkMissingFile() {
    pen.hide().angle(0).color(7).move(-300, -150);
    const int px = xScn(pen.x()), py = yScn(pen.y());
    QcBoxWatch watch(qc_ansi(L"出错"));
    pen.chang("no_such_head.bmp", "");
    watch.stop();
    ok(watch.boxes == 1, "%d warning boxes for one missing file", watch.boxes);
    ok(watch.firstText == qc_ansi(L"调笔头图形文件失败！"), "box text [%s]", watch.firstText.c_str());

    // The head kept its image (the box may have covered the canvas: draw on fresh white).
    whiten(px - 40, py - 40, px + 40, py + 40);
    pen.show();
    checkHeadAt(gBlue, px, py, "the head after a failed chang");
    pen.hide();
}

int main() {
    qc_watchdog(50000);
    gMask = resourceImage("maskHead_bmp");
    gBlue = resourceImage("blueHead_bmp");
    gGold = resourceImage("goldHead_bmp");
    gWhiteHead = resourceImage("whiteHead_bmp");
    gRed = resourceImage("redHead_bmp");
    ok(gMask.width == 12 && gBlue.width == 12 && gGold.height == 41 && gRed.height == 42,
       "head resources missing: mask %dx%d, blue %dx%d, gold %dx%d", gMask.width, gMask.height, gBlue.width,
       gBlue.height, gGold.width, gGold.height);
    if (gMask.width != 12 || gBlue.width != 12 || gGold.width != 12 || gWhiteHead.width != 12 || gRed.height != 42)
        qc_finish();
    checkBeforeInit();
    checkShowHide();
    checkColours();
    checkReplacementFile();
    checkReplacementResource();
    checkMotion();
    checkMissingFile();
    qc_finish();
    return 0;
}
