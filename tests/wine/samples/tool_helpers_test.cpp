// The helpers of tools/qivplus.h on a real canvas: _clearRec with any colour number, a
// canvas piece saved and drawn back upright and turned by 90, pictures that cannot be
// drawn (no image, a size below one pixel, a resource the program does not hold), the
// window helpers (the output pane stays in view), and _roatBitmap with a file it cannot load.
#include <qiv_check.h>

#include <tools/qivplus.h>

static COLORREF at(int x, int y) { return GetPixel(pen.getHdc(), x, y); }
static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

// Pixels that are not white in the canvas square of half-size r around the origin pixel.
static int marked(int r) {
    int n = 0;
    for (int y = yScn(0) - r; y <= yScn(0) + r; ++y)
        for (int x = xScn(0) - r; x <= xScn(0) + r; ++x) n += at(x, y) != kWhite;
    return n;
}

static void checkClearRec() {
    // 100 x 50 pixels hanging right and down from the origin pixel, in the pen's colours.
    const struct {
        int number;
        COLORREF colour;
    } cases[] = {{4, RGB(0, 255, 255)}, {-1, kRed}, {16, RGB(16, 0, 0)}, {0xFFD0D0, RGB(0xD0, 0xD0, 0xFF)},
                 {-0xFFD0D0, RGB(0xD0, 0xD0, 0xFF)}, {INT_MIN, RGB(0, 0, 0)}, {15, kWhite}};
    const int ox = xScn(0), oy = yScn(0);
    for (const auto& c : cases) {
        pen.cls(15);
        _clearRec(0, 0, 100, 50, c.number);
        ok(at(ox, oy) == c.colour && at(ox + 99, oy + 49) == c.colour, "_clearRec %d: %06lx %06lx", c.number,
           at(ox, oy), at(ox + 99, oy + 49));
        ok(c.number == 15 || (at(ox + 100, oy) == kWhite && at(ox, oy + 50) == kWhite && at(ox - 1, oy - 1) == kWhite),
           "_clearRec %d painted outside its 100 x 50 pixels", c.number);
    }
}

static void checkSavedPieceTurned() {
    // A 40 x 20 picture: red left half, blue right half, a green top row.
    pen.cls(15);
    _clearRec(-20, 10, 20, 20, _red);
    _clearRec(0, 10, 20, 20, _blue);
    _clearRec(-20, 10, 40, 1, _green);
    HBITMAP piece = NULL;
    _saveScreen(piece, -20, 10, 40, 20);
    BITMAP bm = {};
    ok(piece != NULL && GetObjectA(piece, sizeof bm, &bm) && bm.bmWidth == 40 && bm.bmHeight == 20,
       "saved piece %ldx%ld", bm.bmWidth, bm.bmHeight);
    const int cx = xScn(0), cy = yScn(0);
    pen.cls(15);
    _showBitmap(piece, NULL, 0, 0, 40, 20, 0);  // back upright
    ok(at(cx - 10, cy + 3) == kRed && at(cx + 10, cy + 3) == kBlue && at(cx, cy - 10) == kGreen,
       "upright: %06lx %06lx %06lx", at(cx - 10, cy + 3), at(cx + 10, cy + 3), at(cx, cy - 10));
    pen.cls(15);
    _showBitmap(piece, NULL, 0, 0, 40, 20, 90);  // tall now, the top edge on the right
    ok(at(cx - 3, cy - 10) == kRed && at(cx - 3, cy + 10) == kBlue && at(cx + 9, cy) == kGreen,
       "turned by 90: %06lx %06lx %06lx", at(cx - 3, cy - 10), at(cx - 3, cy + 10), at(cx + 9, cy));
    ok(at(cx - 13, cy) == kWhite && at(cx + 13, cy) == kWhite, "the turned picture is wider than 20");

    // Nothing to draw: no image, zero or sub-pixel sizes, a resource the program lacks.
    pen.cls(15);
    _showBitmap(NULL, NULL, 0, 0, 40, 20, 0);
    _showBitmap(piece, NULL, 0, 0, 0, 20, 0);
    _showBitmap(piece, NULL, 0, 0, 40, 0.4, 30);
    _showBitmap(piece, NULL, 0, 0, -40, 20, 0);
    _showBitmapRc("no_such_bmp", "", 0, 0, 40, 20, 0);
    _showBitmapRc("run_bmp", "no_such_mask", 0, 0, 40, 20, 45);  // a mask that is missing: no mask
    ok(marked(25) > 0, "run_bmp was not drawn without its missing mask");
    pen.cls(15);
    _showBitmapRc("No_Such_Bmp", "", 0, 0, 40, 20, 0);
    _showBitmap(piece, NULL, 0, 0, 40, 20, NAN);
    ok(marked(40) == 0, "a picture that cannot be drawn left %d pixels", marked(40));
    DeleteObject(piece);

    pen.scale(2, false);
    _saveScreen(piece, 0, 0, 10, 10);
    ok(piece != NULL && GetObjectA(piece, sizeof bm, &bm) && bm.bmWidth == 20 && bm.bmHeight == 20,
       "at scale 2, 10 x 10 units saved as %ldx%ld", bm.bmWidth, bm.bmHeight);
    DeleteObject(piece);
    _saveScreen(piece, 0, 0, 0.2, 10);
    ok(piece == NULL, "a piece below one pixel was saved");
    pen.scale(1, false);
}

static void checkRoatBitmapMissingFile() {
    qc_wait_for([] { return qc_text(hwndOutput).find(qc_ansi(L"输入角度")) != std::string::npos; }, 5000);
    const std::string out = qc_text(hwndOutput);
    ok(out.find(qc_ansi(L"宽：0， 高：0\r\n输入角度")) != std::string::npos, "output [%s]", out.c_str());
    ok(marked(60) > 0, "load file erro was not written on the canvas");
    qc_finish();
}

// A child window's rectangle in the main window's client coordinates.
static RECT placeOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(NULL, hwndMain, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The window helpers move and size the whole window; the canvas and the output pane follow,
// the pane staying in view below the canvas.
static void checkWindowHelpers() {
    const struct { int left, top, w, h; } places[] = {{-1, -1, 800, 600}, {30, 20, 640, 480}, {30, 20, 900, 700}};
    for (const auto& p : places) {
        if (p.left < 0) winSize(p.w, p.h);
        else winPos(p.left, p.top, p.w, p.h);
        RECT outer, client;
        GetWindowRect(hwndMain, &outer);
        GetClientRect(hwndMain, &client);
        ok(outer.right - outer.left == p.w && outer.bottom - outer.top == p.h, "window %dx%d: %ldx%ld", p.w, p.h,
           outer.right - outer.left, outer.bottom - outer.top);
        ok(p.left < 0 || (outer.left == p.left && outer.top == p.top), "window at %d,%d: %ld,%ld", p.left, p.top,
           outer.left, outer.top);
        const RECT pane = placeOf(hwndOutput), canvas = placeOf(hwndDraw);
        ok(pane.top >= 0 && pane.top + 40 <= client.bottom && pane.right <= client.right + 4,
           "window %dx%d: the output pane (%ld..%ld) is not in view in the client area (height %ld)", p.w, p.h,
           pane.top, pane.bottom, client.bottom);
        ok(canvas.bottom <= pane.top + 1 && canvas.right <= client.right,
           "window %dx%d: the canvas (bottom %ld, right %ld) covers the pane (top %ld) or passes the window", p.w,
           p.h, canvas.bottom, canvas.right, pane.top);
    }
    winMove(40, 30);
    RECT outer;
    GetWindowRect(hwndMain, &outer);
    ok(outer.left == 40 && outer.top == 30 && outer.right - outer.left == 900, "winMove: %ld,%ld %ld wide", outer.left,
       outer.top, outer.right - outer.left);
}

int main() {
    qc_watchdog(60000);
    checkClearRec();
    checkSavedPieceTurned();
    checkWindowHelpers();
    pen.cls(15);
    qc_start_driver(checkRoatBitmapMissingFile);
    _roatBitmap("no such picture.bmp");  // waits for angles for ever
    return 0;
}
