// Shapes centred on the pen (ellipses, circles, rectangles; outlined or filled) and clearing
// the canvas. A shape never moves the pen or changes its heading, width, style or colour.
#include "core/canvas_clip.h"
#include "core/colour_numbers.h"
#include "core/shape_boxes.h"
#include "runtime_internal.h"

namespace {

// Erases a shown head before a shape is drawn ...
bool eraseHead() {
    if (!pen.headShow) return false;
    _head.restoreScreen();
    return true;
}

// ... and shows it again afterwards, over the new picture. The flag is cleared first so that
// show() does not paint the background saved before the shape back over it.
void reshowHead(bool wasShown) {
    if (!wasShown) return;
    pen.headShow = false;
    pen.show();
}

// Puts back the pen state kept before a shape changed colour or width: the device pen is
// rebuilt and the current point returns; nothing is drawn. A local copy rather than a level
// of the save stack, so a shape works the same when the program has filled the stack.
void restorePen(const TPen& kept) {
    _pen = kept;
    _pen.creat();
    _pen.move(_pen.x, _pen.y);
}

// Strokes the outline a path-building call leaves, with the device pen's width and style.
template <class Shape>
void strokeOutline(Shape addToPath) {
    BeginPath(_pen.hdc);
    addToPath(_pen.hdc);
    EndPath(_pen.hdc);
    StrokePath(_pen.hdc);
}

qiv::CanvasMap canvasMap() { return qiv::CanvasMap{_pen.scale, _pen.ox, _pen.oy}; }

// Sizes that are NaN or infinite are refused: nothing is drawn.
void ellipseAtPen(int filled, double w, double h, int r, int g, int b) {
    if (!qiv::usable(w) || !qiv::usable(h)) return;
    const qiv::PixelBox box = qiv::ellipseBox(pen.x(), pen.y(), w, h, canvasMap());
    _ellipse(filled, box.left, box.top, box.width, box.height, r, g, b);
}

void rectangleAtPen(int filled, double w, double h, int r, int g, int b) {
    if (!qiv::usable(w) || !qiv::usable(h)) return;
    const qiv::PixelBox box = qiv::rectangleBox(pen.x(), pen.y(), w, h, canvasMap());
    _rectangle(filled, box.left, box.top, box.width, box.height, r, g, b);
}

}  // namespace

// Outline: the path of the ellipse stroked with the pen's width and style. Filled: a brush
// of the colour fills it and a 1-pixel outline of the same colour (in the pen's style) is
// drawn round it.
//
// Far beyond the canvas nothing is drawn, and an ellipse round the whole drawing area, clear
// of its outline, only fills the area (or draws nothing when not filled): the same pixels,
// without handing the device coordinates it would spend long on.
void _ellipse(int filled, int left, int top, int width, int height, int r, int g, int b) {
    _runtimeCheckpoint();
    if (_pen.hdc == NULL) return;  // no canvas yet
    const qiv::PixelBox box = {left, top, width, height};
    const qiv::ShapeView view = qiv::ellipseView(box, _pen.size, filled != 0);
    if (view == qiv::ShapeView::Nothing) return;
    if (view == qiv::ShapeView::FillArea) {
        const int a = static_cast<int>(qiv::kDrawArea);
        _rectangle(1, -a, -a, 2 * a, 2 * a, r, g, b);
        return;
    }
    const bool head = eraseHead();
    const TPen kept = _pen;
    _pen.color(r, g, b);
    const int right = left + width, bottom = top + height;
    if (!filled) {
        strokeOutline([=](HDC dc) { Ellipse(dc, left, top, right, bottom); });
    } else {
        _pen.size = 1;
        _pen.creat();
        HBRUSH brush = CreateSolidBrush(qiv::packColour(r, g, b));
        HGDIOBJ previous = SelectObject(_pen.hdc, brush);
        Ellipse(_pen.hdc, left, top, right, bottom);
        SelectObject(_pen.hdc, previous);
        DeleteObject(brush);
    }
    restorePen(kept);
    reshowHead(head);
}

// Filled: the box is painted with the colour, no outline, also with the pen up. Outline:
// the rectangle's path stroked with the pen's width and style.
// A box reaching beyond the drawing area is cut to it first.
void _rectangle(int filled, int left, int top, int width, int height, int r, int g, int b) {
    _runtimeCheckpoint();
    if (_pen.hdc == NULL) return;
    qiv::PixelBox box = {left, top, width, height};
    if (!qiv::clipRectangle(&box, _pen.size)) return;
    left = box.left;
    top = box.top;
    const bool head = eraseHead();
    const int right = left + box.width, bottom = top + box.height;
    if (filled) {
        const RECT area = {left, top, right, bottom};
        HBRUSH brush = CreateSolidBrush(qiv::packColour(r, g, b));
        FillRect(_pen.hdc, &area, brush);
        DeleteObject(brush);
    } else {
        const TPen kept = _pen;
        _pen.color(r, g, b);
        strokeOutline([=](HDC dc) { Rectangle(dc, left, top, right, bottom); });
        restorePen(kept);
    }
    reshowHead(head);
}

// --- ellipses and circles ------------------------------------------------------------------
Tpen2& Tpen2::e(double w, double h, int r, int g, int b) {
    ellipseAtPen(0, w, h, r, g, b);
    return *this;
}
Tpen2& Tpen2::e(double w, double h, int n) {
    const qiv::Rgb c = qiv::colourFromNumber(n);
    return e(w, h, c.r, c.g, c.b);
}
Tpen2& Tpen2::e(double w, double h) { return e(w, h, _pen.r, _pen.g, _pen.b); }

Tpen2& Tpen2::ee(double w, double h, int r, int g, int b) {
    ellipseAtPen(1, w, h, r, g, b);
    return *this;
}
Tpen2& Tpen2::ee(double w, double h, int n) {
    const qiv::Rgb c = qiv::colourFromNumber(n);
    return ee(w, h, c.r, c.g, c.b);
}
Tpen2& Tpen2::ee(double w, double h) { return ee(w, h, _pen.r, _pen.g, _pen.b); }

Tpen2& Tpen2::o(double rad, int r, int g, int b) { return e(2 * rad, 2 * rad, r, g, b); }
Tpen2& Tpen2::o(double rad, int n) { return e(2 * rad, 2 * rad, n); }
Tpen2& Tpen2::o(double rad) { return e(2 * rad, 2 * rad); }

Tpen2& Tpen2::oo(double rad, int r, int g, int b) { return ee(2 * rad, 2 * rad, r, g, b); }
Tpen2& Tpen2::oo(double rad, int n) { return ee(2 * rad, 2 * rad, n); }
Tpen2& Tpen2::oo(double rad) { return ee(2 * rad, 2 * rad); }

// --- rectangles ----------------------------------------------------------------------------
Tpen2& Tpen2::r(double w, double h, int r, int g, int b) {
    rectangleAtPen(0, w, h, r, g, b);
    return *this;
}
Tpen2& Tpen2::r(double w, double h, int n) {
    const qiv::Rgb c = qiv::colourFromNumber(n);
    return r(w, h, c.r, c.g, c.b);
}
Tpen2& Tpen2::r(double w, double h) { return r(w, h, _pen.r, _pen.g, _pen.b); }

Tpen2& Tpen2::rr(double w, double h, int r, int g, int b) {
    rectangleAtPen(1, w, h, r, g, b);
    return *this;
}
Tpen2& Tpen2::rr(double w, double h, int n) {
    const qiv::Rgb c = qiv::colourFromNumber(n);
    return rr(w, h, c.r, c.g, c.b);
}
Tpen2& Tpen2::rr(double w, double h) { return rr(w, h, _pen.r, _pen.g, _pen.b); }

// --- clearing ------------------------------------------------------------------------------
Tpen2& Tpen2::cls(int n) {
    const qiv::Rgb c = qiv::colourFromNumber(n);
    return cls(c.r, c.g, c.b);
}

// The pen returns to the origin heading up, and the canvas is painted with the colour; the
// clip region of a viewport limits the paint to the viewport. A shown head ends up drawn
// once at the origin over the cleared background.
Tpen2& Tpen2::cls(int r, int g, int b) {
    _runtimeCheckpoint();
    _pen.move(0, 0);
    angle(0);
    RECT client = {0, 0, 0, 0};
    GetClientRect(_pen.hwnd != NULL ? _pen.hwnd : hwndDraw, &client);
    _rectangle(1, 0, 0, client.right, client.bottom, r, g, b);
    return *this;
}
