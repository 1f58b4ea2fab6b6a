// The coordinate axes and the grid on a real canvas: dotted lines on the expected rows and
// columns ending 10 pixels inside the edges, the coordinates written at the line starts, the
// pen and its save stack left as they were, a shown head kept on top, modes that draw
// nothing, and the red axes at every run start while the Tools entry is checked.
#include <qiv_check.h>

#include <climits>
#include <set>
#include <vector>

static const DWORD kWhite = 0xFFFFFF, kRed = 0xFF0000;

// The canvas copied into memory, pixels as 0x00RRGGBB, rows top first.
struct Canvas {
    int w, h;
    std::vector<DWORD> px;
    DWORD at(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? kWhite : px[(size_t)y * w + x]; }
};

static Canvas grab() {
    RECT rc;
    GetClientRect(hwndDraw, &rc);
    Canvas c = {rc.right, rc.bottom, std::vector<DWORD>((size_t)rc.right * rc.bottom)};
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = c.w;
    bi.bmiHeader.biHeight = -c.h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HDC mem = CreateCompatibleDC(pen.getHdc());
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, c.w, c.h, pen.getHdc(), 0, 0, SRCCOPY);
    GdiFlush();
    memcpy(&c.px[0], bits, c.px.size() * sizeof(DWORD));
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    return c;
}

static LOGPEN devicePen() {
    return qc_device_pen(pen.getHdc());
}

// The canvas frame the axes are drawn in, and the grid's logical range in it.
struct Frame {
    int w, h, ox, oy;
    double s;
    int top, bottom, left, right;
};
static Frame frame() {
    RECT rc;
    GetClientRect(hwndDraw, &rc);
    Frame f = {rc.right, rc.bottom, (int)pen.getOX(), (int)pen.getOY(), pen.getScale(), 0, 0, 0, 0};
    f.top = (int)((f.oy - 10) / f.s);
    f.bottom = (int)((f.h - f.oy - 10) / f.s);
    f.left = (int)((f.ox - 10) / f.s);
    f.right = (int)((f.w - f.ox - 10) / f.s);
    return f;
}

// Pixel rows of the horizontal grid lines and pixel columns of the vertical ones.
static std::set<int> gridRows(const Frame& f, int step) {
    std::set<int> rows;
    for (int v = -(f.bottom / step) * step; v <= f.top; v += step) rows.insert((int)(-f.s * v + f.oy));
    return rows;
}
static std::set<int> gridColumns(const Frame& f, int step) {
    std::set<int> columns;
    for (int u = -(f.left / step) * step; u <= f.right; u += step) columns.insert((int)(f.s * u + f.ox));
    return columns;
}

// Rows with a pixel of colour c between columns x0 and x1, and columns with one between rows
// y0 and y1. A band a few pixels wide always holds a dot of every dotted line crossing it.
static std::set<int> rowsWith(const Canvas& c, DWORD colour, int x0, int x1) {
    std::set<int> rows;
    for (int y = 0; y < c.h; ++y)
        for (int x = x0; x <= x1; ++x)
            if (c.at(x, y) == colour) rows.insert(y);
    return rows;
}
static std::set<int> columnsWith(const Canvas& c, DWORD colour, int y0, int y1) {
    std::set<int> columns;
    for (int x = 0; x < c.w; ++x)
        for (int y = y0; y <= y1; ++y)
            if (c.at(x, y) == colour) columns.insert(x);
    return columns;
}

static std::string describe(const std::set<int>& s) {
    std::string out;
    for (int v : s) out += " " + std::to_string(v);
    return out;
}

// Red pixels along a row (horizontal) or a column of the canvas, from index a to b
// inclusive: how many, and the first and last of them.
struct Run {
    int count, first, last;
};
static Run redAlong(const Canvas& c, bool horizontal, int at, int a, int b) {
    Run r = {0, INT_MAX, INT_MIN};
    for (int i = a; i <= b; ++i)
        if ((horizontal ? c.at(i, at) : c.at(at, i)) == kRed) {
            ++r.count;
            r.first = min(r.first, i);
            r.last = max(r.last, i);
        }
    return r;
}

// Pixels that are neither background nor line: the written coordinates.
static bool isInk(DWORD p) { return p != kWhite && p != kRed; }
struct Box {
    int count, left, top, right, bottom;
};
static Box inkIn(const Canvas& c, int x0, int y0, int x1, int y1) {
    Box b = {0, INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (isInk(c.at(x, y))) {
                ++b.count;
                b.left = min(b.left, x);
                b.top = min(b.top, y);
                b.right = max(b.right, x);
                b.bottom = max(b.bottom, y);
            }
    return b;
}

// A dotted line from `from` to `to` (exclusive) along a row or column: dots near both ends,
// gaps between them, and nothing of its colour past either end.
static void checkDotted(const Canvas& c, bool horizontal, int at, int from, int to, const char* what) {
    const Run inside = redAlong(c, horizontal, at, from, to - 1);
    const int length = to - from;
    ok(inside.count > length / 5 && inside.count < length * 4 / 5, "%s: %d of %d pixels red, dotted expected", what,
       inside.count, length);
    ok(inside.first <= from + 8 && inside.last >= to - 9, "%s: dots from %d to %d, expected from %d to %d", what,
       inside.first, inside.last, from, to - 1);
    const int before = redAlong(c, horizontal, at, 0, from - 1).count;
    const int after = redAlong(c, horizontal, at, to, (horizontal ? c.w : c.h) - 1).count;
    ok(before == 0 && after == 0, "%s: %d red pixels before %d, %d from %d on", what, before, from, after, to);
}

// Mode 0: the x axis on the origin's row from pixel 10 to W - 10, the y axis on its column
// from 10 to H - 10, red and dotted, width 1; nothing else drawn.
static void checkAxes() {
    pen.resetXY().cls(15);
    pen.showXY(0, _red);
    const Frame f = frame();
    const Canvas c = grab();
    checkDotted(c, true, f.oy, 10, f.w - 10, "x axis");
    checkDotted(c, false, f.ox, 10, f.h - 10, "y axis");
    int elsewhere = 0;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) elsewhere += c.at(x, y) != kWhite && x != f.ox && y != f.oy;
    ok(elsewhere == 0, "the axes drew %d pixels off the origin's row and column", elsewhere);
}

// Mode 4: a grid every 100 units on exactly the expected rows and columns, inside the range
// 10 pixels from the edges; at scale 2, mode 3 puts lines 100 pixels apart.
static void checkGrid(int mode, int step, double scale) {
    pen.resetXY().scale(scale, false).cls(15);
    pen.showXY(mode, _red);
    const Frame f = frame();
    const Canvas c = grab();
    const int pixels = (int)(step * scale);
    // Bands halfway between vertical (resp. horizontal) lines cross only the other kind.
    const int bx = f.ox + pixels / 2, by = f.oy + pixels / 2;
    const std::set<int> rows = rowsWith(c, kRed, bx - 5, bx + 5), expectedRows = gridRows(f, step);
    ok(rows == expectedRows, "mode %d at scale %g: rows%s, expected%s", mode, scale, describe(rows).c_str(),
       describe(expectedRows).c_str());
    const std::set<int> columns = columnsWith(c, kRed, by - 5, by + 5), expectedColumns = gridColumns(f, step);
    ok(columns == expectedColumns, "mode %d at scale %g: columns%s, expected%s", mode, scale, describe(columns).c_str(),
       describe(expectedColumns).c_str());

    // Each line runs over the range and not past it.
    const int x0 = (int)(f.ox - f.s * f.left), x1 = (int)(f.ox + f.s * f.right);
    const int y0 = (int)(f.oy - f.s * f.top), y1 = (int)(f.oy + f.s * f.bottom);
    checkDotted(c, true, f.oy, x0, x1, "grid row of the origin");
    checkDotted(c, false, f.ox, y0, y1, "grid column of the origin");
    int outside = 0, ink = 0;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            outside += c.at(x, y) == kRed && (x < x0 || x > x1 || y < y0 || y > y1);
            ink += isInk(c.at(x, y));
        }
    ok(outside == 0, "mode %d: %d red pixels outside (%d, %d)-(%d, %d)", mode, outside, x0, y0, x1, y1);
    ok(ink == 0, "mode %d wrote %d pixels of text", mode, ink);
    pen.scale(1, false);
}

// Modes 1 and 2 write each line's coordinate with its top-left corner at the line's start:
// the left end of a horizontal line, the top end of a vertical one. The text's width tells
// which number was written.
static void checkLabel(const Canvas& c, int x, int y, int value, const char* what) {
    const Box b = inkIn(c, x - 2, y - 2, x + 60, y + 24);
    char text[16], shorter[16];
    sprintf(text, "%d", value);
    sprintf(shorter, "%.*s", (int)strlen(text) - 1, text);
    SIZE full, less;
    GetTextExtentPoint32A(pen.getHdc(), text, (int)strlen(text), &full);
    GetTextExtentPoint32A(pen.getHdc(), shorter, (int)strlen(shorter), &less);
    const int width = b.right - b.left + 1;
    ok(b.count > 0 && b.left >= x && b.left <= x + 6 && b.top >= y && b.top <= y + 12,
       "%s %d: text at (%d, %d), %d pixels; expected at (%d, %d)", what, value, b.left, b.top, b.count, x, y);
    ok(width > less.cx - 2 && width <= full.cx + 1, "%s %d: text %d pixels wide, \"%s\" is %ld", what, value, width,
       text, full.cx);
}

static void checkLabels() {
    pen.resetXY().cls(15);
    pen.showXY(2, _red);
    const Frame f = frame();
    const Canvas c = grab();
    const int firstRow = -(f.bottom / 100) * 100, firstColumn = -(f.left / 100) * 100;
    checkLabel(c, f.ox - f.left, f.oy - firstRow, firstRow, "row");
    checkLabel(c, f.ox - f.left, f.oy, 0, "row");
    checkLabel(c, f.ox + firstColumn, f.oy - f.top, firstColumn, "column");
    checkLabel(c, f.ox, f.oy - f.top, 0, "column");
    checkLabel(c, f.ox + 100, f.oy - f.top, 100, "column");

    // Mode 1 labels every 50 units: the row 50 below the origin is labelled too.
    pen.cls(15).showXY(1, _red);
    const Canvas c1 = grab();
    checkLabel(c1, f.ox - f.left, f.oy + 50, -50, "mode 1 row");
}

// showXY leaves colour, width, style, position, heading and the save stack as they were.
static void checkPenKept() {
    pen.resetXY().cls(15);
    pen.color(_pink).size(3).style(4).move(-40, 25).angle(10).save();  // state A
    pen.color(_brown).size(5).style(2).angle(30).move(13, -7);          // state B
    pen.showXY(2, 3);
    LOGPEN lp = devicePen();
    ok(lp.lopnColor == RGB(165, 42, 43) && lp.lopnWidth.x == 5 && lp.lopnStyle == PS_DASH,
       "after showXY the device pen is %06lx width %ld style %u", lp.lopnColor, lp.lopnWidth.x, lp.lopnStyle);
    ok(pen.x() == 13 && pen.y() == -7 && fabs(pen.getAngle() - 30) < 1e-9, "after showXY the pen is at (%g, %g) %g",
       pen.x(), pen.y(), pen.getAngle());
    POINT cp;
    GetCurrentPositionEx(pen.getHdc(), &cp);
    ok(cp.x == xScn(13) && cp.y == yScn(-7), "device position (%ld, %ld), expected (%d, %d)", cp.x, cp.y, xScn(13),
       yScn(-7));
    pen.load();
    lp = devicePen();
    ok(pen.x() == -40 && pen.y() == 25 && lp.lopnColor == RGB(255, 192, 203) && lp.lopnWidth.x == 3 &&
           lp.lopnStyle == PS_DASHDOT,
       "load after showXY: (%g, %g) %06lx width %ld style %u", pen.x(), pen.y(), lp.lopnColor, lp.lopnWidth.x,
       lp.lopnStyle);

    // With the stack full the axes take none of the program's saved states.
    pen.style(1).move(0, 0);
    for (int i = 0; i < 10; ++i) pen.move(i, 0).save();
    pen.move(50, 50).showXY(1, 2).showXY(0, 3);
    ok(pen.x() == 50 && pen.y() == 50, "showXY with a full stack: (%g, %g)", pen.x(), pen.y());
    for (int i = 9; i >= 0; --i) {
        pen.load();
        if (pen.x() != i) {
            ok(false, "load %d after showXY gave x = %g", 10 - i, pen.x());
            break;
        }
    }
    pen.angle(0).size(2).color(_penColor).move(0, 0);
}

// A shown head stays on top of the lines, and the lines under it are there once it moves.
static void checkHead() {
    pen.resetXY().cls(15).show();
    const Frame f = frame();
    const Canvas before = grab();
    pen.showXY(0, _red);
    const Canvas after = grab();
    int headPixels = 0, changed = 0;
    for (int y = f.oy - 20; y <= f.oy + 20; ++y)
        for (int x = f.ox - 20; x <= f.ox + 20; ++x)
            if (before.at(x, y) != kWhite) {
                ++headPixels;
                changed += after.at(x, y) != before.at(x, y);
            }
    ok(headPixels > 20 && changed == 0, "the head: %d of %d pixels drawn over", changed, headPixels);
    ok(pen.headShow, "the head is no longer shown");
    pen.move(150, 150);
    const Canvas moved = grab();
    const int under = redAlong(moved, true, f.oy, f.ox - 20, f.ox + 20).count;
    const int beside = redAlong(moved, true, f.oy, f.ox - 120, f.ox - 80).count;
    ok(under >= beside - 3 && under > 0, "x axis where the head was: %d red pixels, %d beside it", under, beside);
    pen.hide().move(0, 0);
}

// Modes other than 0-4 draw nothing.
static void checkNothing() {
    pen.resetXY().cls(15).showXY(4, _blue).move(33, 44).e(60, 30, _green);
    const Canvas before = grab();
    pen.showXY(5, _red).showXY(-1, _red);
    showXY(6, _red);
    showXY(-2147483647 - 1, _red);
    const Canvas after = grab();
    int differ = 0;
    for (size_t i = 0; i < before.px.size(); ++i) differ += before.px[i] != after.px[i];
    ok(differ == 0, "modes 5, -1, 6, INT_MIN changed %d pixels", differ);
    ok(pen.x() == 33 && pen.y() == 44, "modes that draw nothing moved the pen to (%g, %g)", pen.x(), pen.y());
}

// --- the axes at run start -------------------------------------------------------------
static volatile int runs = 0;

static bool axesItemChecked() { return (GetMenuState(hMenu_TOOLS, 2, MF_BYCOMMAND) & MF_CHECKED) != 0; }

static void driver() {
    ok(qc_wait_idle(10000), "the first run did not end");
    qc_command(2);  // Tools -> draw the axes: checked, and a new run
    ok(qc_wait_for([] { return runs == 2; }, 10000) && qc_wait_idle(10000), "checking the axes entry ran no program");
    qc_command(2);  // unchecked again
    ok(qc_wait_for([] { return runs == 3; }, 10000) && qc_wait_idle(10000), "unchecking the axes entry ran no program");
}

// Run 2 starts with the red axes already drawn, the pen in its start state; run 3 without.
static void checkRunStart(bool expected) {
    ok(axesItemChecked() == expected, "the axes entry is %s", expected ? "unchecked" : "checked");
    const Frame f = frame();
    const Canvas c = grab();
    if (expected) {
        checkDotted(c, true, f.oy, 10, f.w - 10, "x axis at run start");
        checkDotted(c, false, f.ox, 10, f.h - 10, "y axis at run start");
    } else {
        const int red = redAlong(c, true, f.oy, 0, c.w - 1).count + redAlong(c, false, f.ox, 0, c.h - 1).count;
        ok(red == 0, "unchecked, the run still started with %d red axis pixels", red);
    }
    const LOGPEN lp = devicePen();
    ok(lp.lopnColor == RGB(0, 0, 205) && lp.lopnWidth.x == 2 && lp.lopnStyle == PS_SOLID && pen.x() == 0 &&
           pen.y() == 0 && pen.getAngle() == 0,
       "the program starts with the pen %06lx width %ld style %u at (%g, %g) %g", lp.lopnColor, lp.lopnWidth.x,
       lp.lopnStyle, pen.x(), pen.y(), pen.getAngle());
}

int main() {
    const int run = ++runs;
    if (run == 1) {
        qc_watchdog(50000);
        ok(!axesItemChecked(), "the axes entry starts checked");
        checkAxes();
        checkGrid(4, 100, 1);
        checkGrid(3, 50, 2);
        checkLabels();
        checkPenKept();
        checkHead();
        checkNothing();
        pen.resetXY();
        qc_start_driver(driver);
    } else {
        checkRunStart(run == 2);
    }
    return 0;
}
