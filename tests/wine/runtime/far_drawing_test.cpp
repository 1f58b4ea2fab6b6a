// Numbers a program gets wrong: NaN and infinite arguments are refused (the pen stays, the
// call draws nothing, later calls draw as before), and lines and shapes far off the canvas
// are cut before they reach the device, with the canvas pixels exactly those of the uncut
// drawing.
#include <qiv_check.h>

#include <limits>

static const double kNaN = std::numeric_limits<double>::quiet_NaN();
static const double kInf = std::numeric_limits<double>::infinity();

static double seconds() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)f.QuadPart;
}

// The canvas's client area as 32-bit pixels.
static std::vector<DWORD> canvasPixels() {
    RECT rc;
    GetClientRect(hwndDraw, &rc);
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = rc.right;
    bi.bmiHeader.biHeight = -rc.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HDC mem = CreateCompatibleDC(pen.getHdc());
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, rc.right, rc.bottom, pen.getHdc(), 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> px((const DWORD*)bits, (const DWORD*)bits + rc.right * rc.bottom);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    return px;
}

static int differing(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

static const COLORREF kPenBlue = RGB(0, 0, 205);

// --- refused numbers -------------------------------------------------------------------------
struct Refusal {
    const char* call;
    void (*apply)();
};
static const Refusal kRefusals[] = {
    {"fd(NaN)", [] { pen.fd(kNaN); }},
    {"fd(inf)", [] { pen.fd(kInf); }},
    {"bk(-inf)", [] { pen.bk(-kInf); }},
    {"fd(0/0) animated", [] { pen.speed(5).fd(kNaN).speed(100); }},
    {"rt(NaN)", [] { pen.rt(kNaN); }},
    {"lt(inf)", [] { pen.lt(kInf); }},
    {"angle(NaN)", [] { pen.angle(kNaN); }},
    {"move(NaN, 0)", [] { pen.move(kNaN, 0); }},
    {"move(0, -inf)", [] { pen.move(0, -kInf); }},
    {"line(inf, 0)", [] { pen.line(kInf, 0); }},
    {"line(0, NaN)", [] { pen.line(0, kNaN); }},
    {"speed(NaN)", [] { pen.speed(kNaN); }},
    {"speed(inf)", [] { pen.speed(kInf); }},
    {"scale(NaN)", [] { pen.scale(kNaN, false); }},
    {"scale(inf)", [] { pen.scale(kInf, true); }},
    {"scale(inf) absolute", [] { pen.scale(kInf, false); }},
    {"setXY(NaN, ...)", [] { pen.setXY(kNaN, 0, 100, 100); }},
    {"o(NaN)", [] { pen.o(kNaN); }},
    {"oo(inf)", [] { pen.oo(kInf); }},
    {"e(inf, 10)", [] { pen.e(kInf, 10); }},
    {"r(NaN, 5)", [] { pen.r(kNaN, 5); }},
    {"rr(5, -inf)", [] { pen.rr(5, -kInf); }},
};

static void checkRefusedNumbers() {
    for (const Refusal& r : kRefusals) {
        pen.cls(15).scale(1, false).move(-60, 40).angle(90).show();
        const double x = pen.x(), y = pen.y(), heading = pen.getAngle(), scale = pen.getScale();
        const double ox = pen.getOX(), oy = pen.getOY();
        const std::vector<DWORD> before = canvasPixels();
        r.apply();
        ok(pen.x() == x && pen.y() == y && pen.getAngle() == heading, "%s moved the pen: (%g, %g) heading %g", r.call,
           pen.x(), pen.y(), pen.getAngle());
        ok(pen.getScale() == scale && pen.getOX() == ox && pen.getOY() == oy, "%s changed scale %g or origin (%g, %g)",
           r.call, pen.getScale(), pen.getOX(), pen.getOY());
        ok(differing(before, canvasPixels()) == 0, "%s drew %d pixels", r.call, differing(before, canvasPixels()));
        // The pen goes on as before: the next line starts where the pen was.
        pen.hide().fd(40);
        ok(pen.x() == x + 40 && pen.y() == y, "after %s fd(40) went to (%g, %g)", r.call, pen.x(), pen.y());
        ok(GetPixel(pen.getHdc(), xScn(x + 20), yScn(y)) == kPenBlue, "after %s the next line is missing", r.call);
    }
    pen.cls(15);
}

// --- far off the canvas ------------------------------------------------------------------------
struct FarLine {
    double x0, y0, x1, y1;  // logical, scale 1
    int width;
    bool cut;  // reaches beyond the drawing area (2^18 pixels around the canvas's corner)
};
// Lines from the canvas to far beyond its edge and lines crossing the canvas from far outside:
// within the drawing area they reach the device as they are; beyond it they are cut.
static const FarLine kFarLines[] = {
    {0, 0, 500, 20000, 2, false},        {0, 0, -30000, 123, 2, false},      {10, -20, 45000, 3001, 2, false},
    {-5, 7, -123457, 99999, 1, false},   {30, 30, 99999, 200001, 7, false},  {-50000, 300, 50000, -200, 2, false},
    {-40000, -40000, 40001, 39999, 3, false}, {10, -20, 1e6, -777777, 2, true}, {-3e5, 17, 2e5, -22, 1, true},
    {-4e5, 100, 4e5, -120, 2, true},     {5, 5, 2e6, 3e5, 1, true},          {0, 300, 1e7, -1e4, 2, true},
};

// Pixels of `a` with no pixel of the same colour in `b` within one pixel (8 neighbours).
static int unmatched(const std::vector<DWORD>& a, const std::vector<DWORD>& b, int width) {
    const int height = (int)a.size() / width;
    int n = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const DWORD c = a[y * width + x];
            if (c == b[y * width + x]) continue;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    const int u = x + dx, v = y + dy;
                    found = u >= 0 && v >= 0 && u < width && v < height && b[v * width + u] == c;
                }
            n += !found;
        }
    return n;
}

// The same line drawn straight with the device, from the pixels the pen would use.
static void deviceLine(const FarLine& l) {
    HDC dc = pen.getHdc();
    HPEN p = CreatePen(PS_SOLID, l.width, kPenBlue);
    HGDIOBJ old = SelectObject(dc, p);
    MoveToEx(dc, xScn(l.x0), yScn(l.y0), NULL);
    LineTo(dc, xScn(l.x1), yScn(l.y1));
    SelectObject(dc, old);
    DeleteObject(p);
}

static void checkFarLinesPixelForPixel() {
    pen.hide().scale(1, false);
    for (const FarLine& l : kFarLines) {
        pen.cls(15).size(l.width).move(l.x0, l.y0).line(l.x1, l.y1);
        const std::vector<DWORD> cut = canvasPixels();
        pen.cls(15);
        deviceLine(l);
        const std::vector<DWORD> whole = canvasPixels();
        int blue = 0;
        for (DWORD p : whole) blue += p == 0x0000CD;
        ok(blue > 0, "line to (%g, %g) does not cross the canvas: nothing compared", l.x1, l.y1);
        if (!l.cut) {
            ok(differing(cut, whole) == 0, "line (%g, %g) -> (%g, %g) width %d: %d pixels differ from the device's",
               l.x0, l.y0, l.x1, l.y1, l.width, differing(cut, whole));
            continue;
        }
        // A cut end moves by less than a pixel: the visible part may be one pixel off.
        RECT rc;
        GetClientRect(hwndDraw, &rc);
        const int off = unmatched(cut, whole, rc.right) + unmatched(whole, cut, rc.right);
        ok(off == 0, "cut line (%g, %g) -> (%g, %g) width %d: %d pixels more than one pixel off the device's", l.x0,
           l.y0, l.x1, l.y1, l.width, off);
        printf("cut line (%g, %g) -> (%g, %g): %d of %d line pixels differ, each within one pixel\n", l.x0, l.y0, l.x1,
               l.y1, differing(cut, whole), blue);
    }
    pen.size(2).cls(15);
}

// Shapes far away draw nothing; a filled circle round the whole canvas fills it; one whose
// outline crosses the canvas still draws.
static void checkFarShapes() {
    pen.cls(15).move(1e9, 1e9);
    const std::vector<DWORD> blank = canvasPixels();
    pen.o(3).oo(5).r(10, 10).rr(4, 4).e(20, 5);
    ok(differing(blank, canvasPixels()) == 0, "far shapes drew %d pixels", differing(blank, canvasPixels()));
    pen.move(0, 0).o(1e8);
    ok(differing(blank, canvasPixels()) == 0, "a circle round the canvas drew %d pixels",
       differing(blank, canvasPixels()));
    // Filled, it paints the canvas as clearing it in its colour does (within the same clip).
    pen.oo(1e8, 1);
    const std::vector<DWORD> filled = canvasPixels();
    pen.cls(1);
    ok(differing(filled, canvasPixels()) == 0, "a filled circle round the canvas: %d pixels differ from cls(1)",
       differing(filled, canvasPixels()));
    pen.cls(15).move(0, -2e5).rr(400, 4e5 + 100, 2);
    ok(GetPixel(pen.getHdc(), xScn(0), yScn(0)) == RGB(0, 0, 255), "a tall filled rectangle through the canvas: %06lx",
       GetPixel(pen.getHdc(), xScn(0), yScn(0)));

    // What such calls cost now (figures, not checks).
    pen.cls(15).move(1e9, 1e9);
    double t = seconds();
    for (int i = 0; i < 100; ++i) pen.o(3);
    const double farCircle = (seconds() - t) / 100;
    pen.move(0, 0);
    t = seconds();
    for (int i = 0; i < 10; ++i) pen.fd(1e7).rt(180);
    const double farLine = (seconds() - t) / 10;
    printf("far drawing: o(3) at (1e9, 1e9) %.3f ms, fd(1e7) %.3f ms\n", farCircle * 1000, farLine * 1000);
    fflush(stdout);
    pen.cls(15);
}

int main() {
    qc_watchdog(120000);
    checkRefusedNumbers();
    checkFarLinesPixelForPixel();
    checkFarShapes();
    qc_finish();
    return 0;
}
