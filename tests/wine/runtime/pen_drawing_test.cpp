// The pen drawing on a real canvas: lines in the start colour, pen up, absolute moves and
// lines, widths and styles, the save stack, the animation's pace and end point, and the head
// carried along without a trace. Pixels are read back from the canvas.
#include <qiv_check.h>

static COLORREF at(int x, int y) { return GetPixel(pen.getHdc(), x, y); }
static const COLORREF kWhite = RGB(255, 255, 255);

// The device pen currently selected into the canvas.
static LOGPEN devicePen() {
    return qc_device_pen(pen.getHdc());
}

// Pixels of the vertical canvas column x between rows y0 and y1 (inclusive) of colour c.
static int countInColumn(int x, int y0, int y1, COLORREF c) {
    int n = 0;
    for (int y = y0; y <= y1; ++y) n += at(x, y) == c;
    return n;
}

static double seconds() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)f.QuadPart;
}

// A fresh run: the first forward move draws upward from the origin in colour 7.
static void checkFirstLine() {
    const int ox = xScn(0), oy = yScn(0);
    pen.fd(100);
    ok(fabs(pen.x()) < 1e-9 && fabs(pen.y() - 100) < 1e-9, "after fd(100): (%g, %g)", pen.x(), pen.y());
    ok(at(ox, oy - 50) == RGB(0, 0, 205), "middle of the first line: %06lx", at(ox, oy - 50));
    ok(countInColumn(ox, oy - 98, oy - 2, RGB(0, 0, 205)) == 97, "the first line has gaps: %d of 97 pixels",
       countInColumn(ox, oy - 98, oy - 2, RGB(0, 0, 205)));
    ok(at(ox, oy - 110) == kWhite && at(ox, oy + 10) == kWhite, "the line ran past its ends: %06lx %06lx",
       at(ox, oy - 110), at(ox, oy + 10));
    ok(devicePen().lopnWidth.x == 2, "start width %ld", devicePen().lopnWidth.x);
}

static void checkUpDownAndAbsoluteMotion() {
    pen.cls(15).move(-100, -50);
    pen.up().fd(100);
    ok(fabs(pen.x() + 100) < 1e-9 && fabs(pen.y() - 50) < 1e-9, "pen up moved to (%g, %g)", pen.x(), pen.y());
    ok(countInColumn(xScn(-100), yScn(50), yScn(-50), kWhite) == yScn(-50) - yScn(50) + 1,
       "the pen drew while up");
    pen.down().rt(90).fd(30);
    ok(at(xScn(-85), yScn(50)) == RGB(0, 0, 205), "down again: %06lx", at(xScn(-85), yScn(50)));

    // move keeps the heading and draws nothing; line draws to the point.
    pen.angle(45).move(10, 20);
    ok(pen.x() == 10 && pen.y() == 20 && pen.getAngle() == 45, "move(10, 20): (%g, %g) heading %g", pen.x(), pen.y(),
       pen.getAngle());
    ok(at(xScn(-40), yScn(35)) == kWhite, "move drew a line");
    pen.move(0, 0).line(0, 100);
    ok(pen.getAngle() == 45 && pen.y() == 100, "line changed the heading or missed: %g (%g)", pen.getAngle(), pen.y());
    ok(at(xScn(0), yScn(60)) == RGB(0, 0, 205), "line(0, 100) draws upward: %06lx", at(xScn(0), yScn(60)));
    ::move(-30, -30);
    ok(pen.x() == -30 && pen.y() == -30, "the global move: (%g, %g)", pen.x(), pen.y());
    pen.angle(0);
}

// Widths and styles out of range change nothing; style 0 draws nothing like up(), and
// down() replaces a dotted style by solid.
static void checkWidthsAndStyles() {
    pen.cls(15).size(4).style(3);
    pen.size(0).size(1000).style(6).style(-1);
    ok(devicePen().lopnWidth.x == 4 && devicePen().lopnStyle == PS_DOT, "out-of-range width or style taken: %ld %u",
       devicePen().lopnWidth.x, devicePen().lopnStyle);
    pen.down();
    ok(devicePen().lopnStyle == PS_SOLID, "down() after a dotted style: %u", devicePen().lopnStyle);
    pen.style(0).move(60, -60).fd(80);
    ok(countInColumn(xScn(60), yScn(20), yScn(-60), kWhite) == yScn(-60) - yScn(20) + 1, "style 0 drew");
    pen.style(1).size(2);
}

// save, then colour, width, style, heading and position change; load brings all back and
// draws nothing.
static void checkSaveLoadRestoresEverything() {
    pen.cls(15).move(-50, 0).color(_red).size(3).angle(30);
    pen.save();
    pen.color(_green).size(9).style(2).angle(200).move(80, 80);
    pen.load();
    const LOGPEN lp = devicePen();
    ok(lp.lopnColor == RGB(255, 0, 0) && lp.lopnWidth.x == 3 && lp.lopnStyle == PS_SOLID,
       "load restored the device pen as %06lx width %ld style %u", lp.lopnColor, lp.lopnWidth.x, lp.lopnStyle);
    ok(pen.x() == -50 && pen.y() == 0 && fabs(pen.getAngle() - 30) < 1e-9, "load restored (%g, %g) heading %g",
       pen.x(), pen.y(), pen.getAngle());
    ok(at(xScn(15), yScn(40)) == kWhite && at(xScn(79), yScn(79)) == kWhite, "load drew a line");
    pen.angle(0).size(2).color(_penColor);
}

// Animated motion ends where the instant one does, draws a continuous line, keeps the pace
// of its speed level and turns in steps that add up.
static void checkAnimation() {
    pen.cls(15).move(-120, -100).speed(3);  // 0.005 s per unit: 0.025 s per 5-unit step
    const double t0 = seconds();
    pen.fd(50);
    const double took = seconds() - t0;
    // Ten steps and one more wait of 0.025 s: 0.275 s.
    ok(took >= 0.27 && took < 1.5, "fd(50) at speed 3 took %.3f s, ideal 0.275", took);
    ok(fabs(pen.y() - (-50)) < 1e-9 && fabs(pen.x() + 120) < 1e-9, "animated end point (%g, %g)", pen.x(), pen.y());
    const int column = xScn(-120);
    ok(countInColumn(column, yScn(-52) + 1, yScn(-100) - 1, RGB(0, 0, 205)) == yScn(-100) - yScn(-52) - 1,
       "the animated line has gaps");

    pen.speed(5).angle(0);
    pen.rt(-12);
    ok(fabs(pen.getAngle() - 348) < 1e-9, "rt(-12) animated: heading %g", pen.getAngle());
    pen.speed(0).speed(100).angle(0);
}


// The canvas as 32-bit pixels, read through a memory bitmap.
static std::string snapshot() {
    RECT rc;
    GetClientRect(hwndDraw, &rc);
    HDC mem = CreateCompatibleDC(pen.getHdc());
    HBITMAP bmp = CreateCompatibleBitmap(pen.getHdc(), rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, rc.right, rc.bottom, pen.getHdc(), 0, 0, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = rc.right;
    bi.bmiHeader.biHeight = -rc.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::string pixels((size_t)rc.right * rc.bottom * 4, '\0');
    GetDIBits(mem, bmp, 0, rc.bottom, &pixels[0], &bi, DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    return pixels;
}

// Writes a 4 x 4 red 24-bit bitmap file into the program's folder: a replacement head.
static bool writeSmallHead(const std::string& name) {
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    unsigned char pixels[4 * 12];
    for (int i = 0; i < 48; i += 3) pixels[i] = 0, pixels[i + 1] = 0, pixels[i + 2] = 255;  // BGR
    ih.biSize = sizeof ih;
    ih.biWidth = 4;
    ih.biHeight = 4;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + sizeof pixels;
    FILE* f = fopen((getCurPath() + "\\" + name).c_str(), "wb");
    if (f == NULL) return false;
    fwrite(&fh, sizeof fh, 1, f);
    fwrite(&ih, sizeof ih, 1, f);
    fwrite(pixels, sizeof pixels, 1, f);
    fclose(f);
    return true;
}

// Every kind of motion, shape and clearing with the heading kept at 0, so the built-in head
// is drawn upright; colour numbers redraw the head in a new image.
static void uprightScene(bool head) {
    pen.speed(100).color(_penColor).cls(15);
    if (head) pen.show();
    pen.speed(9).fd(60).color(_red).bk(92.5).speed(100).fd(10);
    pen.e(30, 20, _green).rr(10, 10, _pink).o(12).oo(5, _gold).r(26, 14).ee(8, 4);
    pen.move(-80, -40).line(-80, 60).color(_chocolate1).line(40, 60).move(90, 0);
    pen.cls(_grey).fd(20).color(_penColor).speed(8).bk(13).speed(100);
    if (head) pen.hide();
}

// Turns and headings of every kind (colours by components keep the head image). At many of
// these headings a corner of the turned pencil reaches the edge of the square saved under it.
static void turningScene(bool head) {
    pen.speed(100).color(0, 0, 205).cls(15);
    if (head) pen.show();
    pen.speed(9).fd(60).rt(90).fd(42.5).lt(135).bk(20).rt(-12.5).fd(7);
    pen.e(30, 20, 255, 0, 0).rr(10, 10, 0, 255, 0).o(12).r(26, 14);
    pen.speed(100).move(-80, -40).line(-80, 60).angle(200).fd(30).rt(33).fd(25);
    pen.color(90, 30, 160).speed(8).fd(17).lt(47).fd(9).speed(100).angle(0);
    if (head) pen.hide();
}

// Pixels that differ between the canvas drawn without and with the head shown.
static size_t headTrace(void (*scene)(bool)) {
    scene(false);
    const std::string plain = snapshot();
    scene(true);
    const std::string withHead = snapshot();
    size_t differ = plain.empty() ? 1 : 0;
    for (size_t i = 0; i < plain.size(); i += 4) differ += plain.compare(i, 4, withHead, i, 4) != 0;
    return differ;
}

// With the head shown every operation erases it before drawing and shows it again after:
// once hidden, the canvas is exactly what the same drawing makes without a head.
static void checkHeadLeavesNoTrace() {
    const size_t upright = headTrace(uprightScene);
    ok(upright == 0, "upright head: %lu pixels differ", (unsigned long)upright);
    const size_t builtIn = headTrace(turningScene);
    ok(builtIn == 0, "turning built-in head: %lu pixels differ", (unsigned long)builtIn);
    if (!writeSmallHead("trace_head.bmp")) {
        ok(false, "cannot write the replacement head file");
        return;
    }
    pen.chang("trace_head.bmp", "");
    const size_t turning = headTrace(turningScene);
    ok(turning == 0, "turning head: %lu pixels differ", (unsigned long)turning);
    pen.color(_penColor);
    DeleteFileA((getCurPath() + "\\trace_head.bmp").c_str());
}

// Along the canvas row y from x0 to x1 (inclusive): pixels of colour c, and how many runs of
// c and of other colours there are.
struct RowRuns {
    int inked, inkRuns, gapRuns;
};
static RowRuns runsInRow(int y, int x0, int x1, COLORREF c) {
    RowRuns r = {0, 0, 0};
    int previous = -1;
    for (int x = x0; x <= x1; ++x) {
        const int ink = at(x, y) == c;
        r.inked += ink;
        if (ink != previous) (ink ? r.inkRuns : r.gapRuns) += 1;
        previous = ink;
    }
    return r;
}

// Dashes and dots show at every width: along the middle of a horizontal line the pen's colour
// alternates with the canvas, and the line keeps its width. A solid line read the same way has
// no gap at all. An animated dashed move ends up dashed too (each step starts no new pattern).
static void checkDashesAtEveryWidth() {
    struct Case {
        int style, width;
        double speed;
    };
    const Case cases[] = {{2, 1, 100}, {2, 2, 100}, {2, 5, 100}, {3, 1, 100}, {3, 2, 100}, {3, 5, 100},
                          {4, 2, 100}, {5, 5, 100}, {1, 5, 100}, {2, 2, 9},   {1, 2, 9}};
    for (const Case& c : cases) {
        pen.cls(15).color(_red).size(c.width).style(c.style).angle(90).move(-200, 0);
        pen.speed(c.speed).fd(400).speed(100);
        const COLORREF red = devicePen().lopnColor;
        const int x0 = xScn(-190), x1 = xScn(190), y = yScn(0);
        const RowRuns r = runsInRow(y, x0, x1, red);
        if (c.style == 1) {
            ok(r.inked == x1 - x0 + 1, "solid, width %d, speed %g: %d of %d pixels along the line", c.width, c.speed,
               r.inked, x1 - x0 + 1);
        } else {
            ok(r.inkRuns >= 8 && r.gapRuns >= 8, "style %d, width %d, speed %g: %d dashes and %d gaps along the line",
               c.style, c.width, c.speed, r.inkRuns, r.gapRuns);
        }
        // Across an inked pixel near the middle the line is as wide as the pen.
        int x = (x0 + x1) / 2;
        while (x < x1 && at(x, y) != red) ++x;
        const int across = countInColumn(x, y - 10, y + 10, red);
        ok(across >= c.width && across <= c.width + 1, "style %d, width %d: %d pixels across the line", c.style,
           c.width, across);
    }
    // Width 1 keeps the plain dashed pen; wider ones keep their style number.
    pen.size(1).style(2);
    ok(GetObjectType(GetCurrentObject(pen.getHdc(), OBJ_PEN)) == OBJ_PEN && devicePen().lopnStyle == PS_DASH,
       "width 1 dashed: pen kind %lu style %u", GetObjectType(GetCurrentObject(pen.getHdc(), OBJ_PEN)),
       devicePen().lopnStyle);
    pen.size(3);
    ok(devicePen().lopnStyle == PS_DASH && devicePen().lopnWidth.x == 3, "width 3 dashed: style %u width %ld",
       devicePen().lopnStyle, devicePen().lopnWidth.x);
    pen.style(1).size(2).color(_penColor).angle(0);
}

int main() {
    qc_watchdog(40000);
    checkFirstLine();
    checkUpDownAndAbsoluteMotion();
    checkWidthsAndStyles();
    checkDashesAtEveryWidth();
    checkSaveLoadRestoresEverything();
    checkAnimation();
    checkHeadLeavesNoTrace();
    qc_finish();
    return 0;
}
