// The pen's state on a real canvas: the save stack and its limits, scale keeping the
// pen's pixel, the viewport of setXY clipping what is drawn, headings, drawing before any
// device context exists.
#include <qiv_check.h>

static COLORREF at(int x, int y) { return GetPixel(pen.getHdc(), x, y); }
static const COLORREF kWhite = RGB(255, 255, 255);

static void checkSaveStack() {
    pen.move(0, 0).color(_red).size(3);
    pen.save();
    pen.color(_green).size(7).move(50, 60);
    pen.load();
    ok(pen.x() == 0 && pen.y() == 0, "load did not restore the position: (%g, %g)", pen.x(), pen.y());
    ok(at(xScn(25), yScn(30)) == kWhite, "load drew a line: %06lx", at(xScn(25), yScn(30)));
    // The restored device pen is red and 3 wide.
    pen.fd(40);
    ok(at(xScn(0), yScn(20)) == RGB(255, 0, 0), "restored colour: %06lx", at(xScn(0), yScn(20)));
    HPEN current = (HPEN)GetCurrentObject(pen.getHdc(), OBJ_PEN);
    LOGPEN lp;
    GetObject(current, sizeof lp, &lp);
    ok(lp.lopnWidth.x == 3, "restored width %ld", lp.lopnWidth.x);

    // Twelve saves keep the first ten; the eleventh and twelfth are ignored, and twelve loads
    // bring back the first state and then change nothing.
    pen.move(0, 0);
    for (int i = 0; i < 12; ++i) pen.move(i, 0).save();
    for (int i = 0; i < 10; ++i) pen.load();
    ok(pen.x() == 0, "after ten loads x = %g, expected the first saved 0", pen.x());
    pen.move(77, 0);
    pen.load().load();
    ok(pen.x() == 77, "a load from the empty stack changed the pen: x = %g", pen.x());
}

static void checkScale() {
    pen.move(50, 0);
    const int px = xScn(pen.x());
    pen.scale(2, false);
    ok(pen.getScale() == 2 && pen.x() == 25 && xScn(pen.x()) == px, "scale 2: scale %g, x %g, pixel %d (was %d)",
       pen.getScale(), pen.x(), xScn(pen.x()), px);
    pen.scale(0, false).scale(-1, true);
    ok(pen.getScale() == 2, "a scale below 0.0001 was taken: %g", pen.getScale());
    pen.scale(0.5, true).scale(1, false);
    ok(pen.getScale() == 1 && pen.x() == 50, "back to scale 1: %g, x %g", pen.getScale(), pen.x());
}

static void checkHeadings() {
    pen.angle(0).lt(500);
    ok(pen.getAngle() == -140, "left 500 from the start: %g", pen.getAngle());
    pen.angle(360);
    ok(pen.getAngle() == 0, "compass 360: %g", pen.getAngle());
    pen.angle(90);
    ok(pen.getAngle() == 90, "compass 90: %g", pen.getAngle());
}

static void checkSetXY() {
    // Viewport 200 x 100 centred 100 units right of the canvas centre: drawing is clipped to
    // it and its centre is the new origin.
    RECT rc;
    GetClientRect(hwndDraw, &rc);
    const int cx = rc.right / 2, cy = rc.bottom / 2;
    pen.setXY(100, 0, 200, 100);
    ok(pen.getOX() == cx + 100 && pen.getOY() == cy, "viewport origin (%g, %g), canvas centre (%d, %d)", pen.getOX(),
       pen.getOY(), cx, cy);
    ok(pen.x() == 0 && pen.y() == 0 && pen.getAngle() == 0, "pen after setXY (%g, %g) %g", pen.x(), pen.y(),
       pen.getAngle());
    pen.color(_blue).size(1).move(-150, 20).line(150, 20);  // crosses the viewport's sides
    const int row = cy - 20;
    ok(at(cx + 100, row) == RGB(0, 0, 255), "inside the viewport: %06lx", at(cx + 100, row));
    ok(at(cx + 10, row) == RGB(0, 0, 255), "just inside the left edge: %06lx", at(cx + 10, row));
    ok(at(cx - 10, row) == kWhite, "left of the viewport: %06lx", at(cx - 10, row));
    ok(at(cx + 205, row) == kWhite, "right of the viewport: %06lx", at(cx + 205, row));
    pen.resetXY();
    ok(pen.getOX() == cx && pen.getOY() == cy, "resetXY origin (%g, %g)", pen.getOX(), pen.getOY());
    pen.move(-150, -20).line(150, -20);
    ok(at(cx - 100, cy + 20) == RGB(0, 0, 255), "after resetXY the whole canvas draws: %06lx", at(cx - 100, cy + 20));
}

int main() {
    qc_watchdog(30000);
    checkSaveStack();
    checkScale();
    checkHeadings();
    checkSetXY();
    qc_finish();
    return 0;
}
