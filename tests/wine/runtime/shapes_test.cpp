// Shapes and clearing on a real canvas: filled and outlined ellipses, circles and
// rectangles land on their pixel boxes, leave the pen as it was, obey pen up as specified,
// and cls fills the canvas or only the viewport.
#include <qiv_check.h>

static COLORREF at(int x, int y) { return GetPixel(pen.getHdc(), x, y); }
static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

static LOGPEN devicePen() {
    return qc_device_pen(pen.getHdc());
}

// Pixels of colour c in the canvas rectangle [x0, x1] x [y0, y1].
static int countIn(int x0, int y0, int x1, int y1, COLORREF c) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) n += at(x, y) == c;
    return n;
}

// True when a pixel of colour c lies within one pixel of (x, y).
static bool hasNear(int x, int y, COLORREF c) { return countIn(x - 1, y - 1, x + 1, y + 1, c) > 0; }

static void checkFilledShapes() {
    pen.cls(15).move(-100, 60);
    const int px = xScn(-100), py = yScn(60);
    // rr(40, 20): FillRect of (px - 20, py - 10) to (px + 20, py + 10), right and bottom
    // edges excluded.
    pen.rr(40, 20, _red);
    ok(countIn(px - 20, py - 10, px + 19, py + 9, kRed) == 40 * 20, "rr: %d of 800 pixels red",
       countIn(px - 20, py - 10, px + 19, py + 9, kRed));
    ok(countIn(px - 21, py - 11, px + 20, py + 10, kRed) == 40 * 20, "rr painted outside its box");

    // ee(40, 20): interior and 1-pixel outline in the colour, nothing outside the box.
    pen.move(0, 60).ee(40, 20, 0, 255, 0);
    const int ex = xScn(0), ey = yScn(60);
    ok(at(ex, ey) == kGreen && at(ex - 19, ey) == kGreen && at(ex, ey - 9) == kGreen,
       "ee: centre %06lx, left %06lx, top %06lx", at(ex, ey), at(ex - 19, ey), at(ex, ey - 9));
    ok(at(ex - 20, ey) == kGreen, "ee has no outline at its left edge: %06lx", at(ex - 20, ey));
    ok(at(ex - 19, ey - 9) == kWhite, "ee filled the box's corner: %06lx", at(ex - 19, ey - 9));
    ok(countIn(ex - 22, ey - 12, ex + 22, ey + 12, kGreen) == countIn(ex - 20, ey - 10, ex + 19, ey + 9, kGreen),
       "ee painted outside its box");

    // oo(rad) is ee(2 rad, 2 rad): drawing the one over the other in white leaves nothing.
    pen.move(100, 60).oo(15, _blue);
    const int cx = xScn(100), cy = yScn(60);
    const int blue = countIn(cx - 16, cy - 16, cx + 16, cy + 16, kBlue);
    ok(blue > 600 && blue < 1000, "oo(15): %d blue pixels, about 707 expected", blue);
    pen.ee(30, 30, _white);
    ok(countIn(cx - 16, cy - 16, cx + 16, cy + 16, kBlue) == 0, "oo(15) differs from ee(30, 30)");
}

static void checkOutlines() {
    pen.cls(15).size(1).move(-100, -60);
    const int px = xScn(-100), py = yScn(-60);
    pen.r(40, 20, _green);
    ok(hasNear(px - 20, py - 10, kGreen) && hasNear(px + 20, py + 10, kGreen) && hasNear(px, py - 10, kGreen),
       "r: corners and top edge not drawn");
    ok(at(px, py) == kWhite && at(px - 15, py - 5) == kWhite, "r filled its inside: %06lx", at(px, py));

    pen.move(0, -60).e(40, 20, _red);
    const int ex = xScn(0), ey = yScn(-60);
    ok(hasNear(ex - 20, ey, kRed) && hasNear(ex + 20, ey, kRed) && hasNear(ex, ey - 10, kRed) && hasNear(ex, ey + 10, kRed),
       "e: the four extremes are not all drawn");
    ok(countIn(ex - 12, ey - 5, ex + 12, ey + 5, kRed) == 0, "e filled its inside");
    ok(at(ex - 20, ey - 10) == kWhite, "e drew the box's corner");

    // Outlines take the pen's width: 7 pixels wide at the left extreme.
    pen.size(7).move(100, -60).o(20, _blue);
    const int cx = xScn(100), cy = yScn(-60);
    ok(countIn(cx - 26, cy, cx - 14, cy, kBlue) >= 6, "o with width 7: %d blue pixels across the left side",
       countIn(cx - 26, cy, cx - 14, cy, kBlue));
    ok(at(cx, cy) == kWhite, "o filled its inside");
    pen.size(2);
}

// A shape in its own colour leaves the pen's colour, width, style, heading and position.
static void checkPenUnchanged() {
    pen.cls(15).color(_brown).size(5).style(2).angle(30).move(13, -7);
    pen.ee(40, 20, _red).e(30, 10, 0, 0, 255).r(20, 20, _green).rr(10, 10, _pink).oo(9).o(9).ee(5, 5).r(5, 5);
    const LOGPEN lp = devicePen();
    ok(lp.lopnColor == RGB(165, 42, 43) && lp.lopnWidth.x == 5 && lp.lopnStyle == PS_DASH,
       "after shapes the pen is %06lx width %ld style %u", lp.lopnColor, lp.lopnWidth.x, lp.lopnStyle);
    ok(pen.x() == 13 && pen.y() == -7 && fabs(pen.getAngle() - 30) < 1e-9, "after shapes the pen is at (%g, %g) %g",
       pen.x(), pen.y(), pen.getAngle());

    // The same with the save stack full: the shapes must not pop the program's states.
    pen.style(1).move(0, 0);
    for (int i = 0; i < 10; ++i) pen.move(i, 0).save();
    pen.color(_red).move(50, 50).ee(10, 10, _blue).e(10, 10, _green).r(10, 10, _green);
    ok(pen.x() == 50 && pen.y() == 50 && devicePen().lopnColor == kRed, "shapes with a full stack: (%g, %g) %06lx",
       pen.x(), pen.y(), devicePen().lopnColor);
    for (int i = 9; i >= 0; --i) {
        pen.load();
        if (pen.x() != i) {
            ok(false, "load %d after shapes gave x = %g", 10 - i, pen.x());
            break;
        }
    }
    pen.angle(0).size(2).color(_penColor);
}

// rr and ee paint also with the pen up; r and e draw nothing then.
static void checkPenUp() {
    pen.cls(15).up().move(-100, 0);
    const int px = xScn(-100), py = yScn(0);
    pen.rr(20, 20, _red);
    ok(at(px, py) == kRed, "rr with the pen up: %06lx", at(px, py));
    pen.move(0, 0).r(30, 30, _green).e(30, 30, _green);
    ok(countIn(xScn(0) - 17, yScn(0) - 17, xScn(0) + 17, yScn(0) + 17, kGreen) == 0, "r or e drew with the pen up");
    pen.move(100, 0).ee(30, 20, _blue);
    const int cx = xScn(100), cy = yScn(0);
    ok(at(cx, cy) == kBlue && at(cx - 14, cy) == kBlue && at(cx, cy + 9) == kBlue,
       "ee with the pen up is not filled: %06lx %06lx %06lx", at(cx, cy), at(cx - 14, cy), at(cx, cy + 9));
    pen.down();
}

// cls inside a viewport whitens only the viewport; it returns the pen to the origin heading
// up and keeps colour and width.
static void checkCls() {
    pen.resetXY().cls(_black);
    ok(at(5, 5) == RGB(0, 0, 0), "cls(_black) left the corner %06lx", at(5, 5));
    pen.color(_red).size(4).setXY(0, 0, 200, 200);
    const int ox = (int)pen.getOX(), oy = (int)pen.getOY();
    pen.move(30, 40).angle(77).cls(15);
    ok(countIn(ox - 100, oy - 100, ox + 99, oy + 99, kWhite) == 200 * 200, "the viewport is not all white");
    ok(at(ox - 101, oy) == RGB(0, 0, 0) && at(ox + 100, oy) == RGB(0, 0, 0) && at(ox, oy - 101) == RGB(0, 0, 0) &&
           at(ox, oy + 100) == RGB(0, 0, 0),
       "cls whitened outside the viewport");
    ok(pen.x() == 0 && pen.y() == 0 && pen.getAngle() == 0, "after cls the pen is at (%g, %g) %g", pen.x(), pen.y(),
       pen.getAngle());
    ok(devicePen().lopnColor == kRed && devicePen().lopnWidth.x == 4, "cls changed the pen: %06lx width %ld",
       devicePen().lopnColor, devicePen().lopnWidth.x);
    pen.resetXY().cls(-65280);
    ok(at(3, 3) == kGreen, "cls(-65280) is green: %06lx", at(3, 3));
    pen.cls(255, 0x1FF, 256);
    ok(at(3, 3) == RGB(255, 255, 0), "cls masks components: %06lx", at(3, 3));
    pen.cls(15).size(2).color(_penColor);
}

int main() {
    qc_watchdog(40000);
    checkFilledShapes();
    checkOutlines();
    checkPenUnchanged();
    checkPenUp();
    checkCls();
    qc_finish();
    return 0;
}
