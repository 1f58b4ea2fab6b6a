// The device pen: screen orientation, canvas pixels, the run's device context.
#include <cmath>

#include "core/canvas_clip.h"
#include "core/colour_numbers.h"
#include "core/pen_geometry.h"
#include "runtime_internal.h"

TPen _pen;
TPen _savePen[10];
int _penSize = 2;
double _d2e = acos(-1.0) / 180;

TPen::TPen()
    : scale(1.0), ox(600.0), oy(400.0), x(600.0), y(400.0), angle(270.0), size(_penSize), r(0), g(0), b(205),
      style(0), hdc(NULL), hwnd(NULL) {
    ZeroMemory(&ps, sizeof ps);
}

void TPen::init(HWND window) {
    hwnd = window;
    x = y = 0;
    angle = 270;
    // A hidden window's device context draws nowhere: capture mode draws into memory.
    hdc = _captureMode() ? _captureCanvas(window) : BeginPaint(window, &ps);
    // A worker ended by force inside a shape may have left a path open on the window's
    // device context; this run's lines must reach the canvas.
    if (hdc != NULL) AbortPath(hdc);
    r = 0;
    g = 0;
    b = 205;
    creat();
    MoveToEx(hdc, static_cast<int>(ox), static_cast<int>(oy), NULL);
}

// The device pen made for the run goes with the run's device context: the stock pen takes
// its place and it is deleted before the paint ends (ending the paint deletes nothing).
void TPen::end() {
    if (hwnd == NULL || hdc == NULL) return;
    const HGDIOBJ own = SelectObject(hdc, GetStockObject(BLACK_PEN));
    if (own != NULL) DeleteObject(own);
    if (!_captureMode()) EndPaint(hwnd, &ps);
}

// A dashed or dotted cosmetic pen exists only at width 1: wider ones with those styles are
// made geometric, with the same style (the device scales the pattern to the width) and flat
// ends, since round ends of the width would fill the gaps between short dashes and dots.
// Width 1 and the solid and null styles keep the plain pen.
void TPen::creat() {
    if (hdc == NULL) return;
    const COLORREF colour = qiv::packColour(r, g, b);
    const bool patterned = style == PS_DASH || style == PS_DOT || style == PS_DASHDOT || style == PS_DASHDOTDOT;
    HPEN pen = NULL;
    if (patterned && size > 1) {
        LOGBRUSH brush = {BS_SOLID, colour, 0};
        pen = ExtCreatePen(PS_GEOMETRIC | style | PS_ENDCAP_FLAT | PS_JOIN_MITER, size, &brush, 0, NULL);
    }
    if (pen == NULL) pen = CreatePen(style, size, colour);
    HGDIOBJ previous = SelectObject(hdc, pen);
    if (previous != NULL) DeleteObject(previous);
}

void TPen::color(int red, int green, int blue) {
    r = red & 0xFF;
    g = green & 0xFF;
    b = blue & 0xFF;
    creat();
}

// A position whose pixel would not be a usable number (NaN, infinite, beyond any range) is
// refused: the pen stays where it was.
void TPen::move(double nx, double ny) {
    _runtimeCheckpoint();
    const double px = scale * nx + ox, py = scale * ny + oy;
    if (!qiv::usable(nx) || !qiv::usable(ny) || !qiv::usable(px) || !qiv::usable(py)) return;
    x = nx;
    y = ny;
    MoveToEx(hdc, qiv::clampedPixel(px), qiv::clampedPixel(py), NULL);
}

// A line inside the drawing area goes to the device as it always did, from the device's
// current point. One that leaves the area is cut to it first (nothing of the cut part could
// show), so no single call draws for long far off the canvas; the current point then goes to
// the pen's pixel, limited to the device's range.
void TPen::line(double nx, double ny) {
    _runtimeCheckpoint();
    const double px0 = scale * x + ox, py0 = scale * y + oy;
    const double px1 = scale * nx + ox, py1 = scale * ny + oy;
    if (!qiv::usable(nx) || !qiv::usable(ny) || !qiv::usable(px1) || !qiv::usable(py1)) return;
    x = nx;
    y = ny;
    const qiv::DeviceLine d = qiv::clipLine(px0, py0, px1, py1);
    if (!d.cut) {
        LineTo(hdc, d.x1, d.y1);
        return;
    }
    if (d.visible) {
        MoveToEx(hdc, d.x0, d.y0, NULL);
        LineTo(hdc, d.x1, d.y1);
    }
    MoveToEx(hdc, qiv::clampedPixel(px1), qiv::clampedPixel(py1), NULL);
}

void TPen::fd(double len) { line(x + cos(angle * _d2e) * len, y + sin(angle * _d2e) * len); }

void TPen::rt(double deg) {
    if (!qiv::usable(deg)) return;
    angle = qiv::turnScreenHeading(angle, deg);
}

int xScn(double x) { return qiv::pixelX(x, _pen.scale, _pen.ox); }
int yScn(double y) { return qiv::pixelY(y, _pen.scale, _pen.oy); }
