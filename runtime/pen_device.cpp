// The device pen: screen orientation, canvas pixels, the run's device context.
#include <cmath>

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
    hdc = BeginPaint(window, &ps);
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
    EndPaint(hwnd, &ps);
}

void TPen::creat() {
    if (hdc == NULL) return;
    HPEN pen = CreatePen(style, size, qiv::packColour(r, g, b));
    HGDIOBJ previous = SelectObject(hdc, pen);
    if (previous != NULL) DeleteObject(previous);
}

void TPen::color(int red, int green, int blue) {
    r = red & 0xFF;
    g = green & 0xFF;
    b = blue & 0xFF;
    creat();
}

void TPen::move(double nx, double ny) {
    _runtimeCheckpoint();
    x = nx;
    y = ny;
    MoveToEx(hdc, static_cast<int>(scale * x + ox), static_cast<int>(scale * y + oy), NULL);
}

void TPen::line(double nx, double ny) {
    _runtimeCheckpoint();
    x = nx;
    y = ny;
    LineTo(hdc, static_cast<int>(scale * x + ox), static_cast<int>(scale * y + oy));
}

void TPen::fd(double len) { line(x + cos(angle * _d2e) * len, y + sin(angle * _d2e) * len); }

void TPen::rt(double deg) { angle = qiv::turnScreenHeading(angle, deg); }

int xScn(double x) { return qiv::pixelX(x, _pen.scale, _pen.ox); }
int yScn(double y) { return qiv::pixelY(y, _pen.scale, _pen.oy); }
