// The coordinate axes and the grid: dotted lines in a colour number, drawn over the canvas,
// with the pen left exactly as it was (colour, width, style, position, heading, save stack).
#include "core/axes_grid.h"
#include "core/colour_numbers.h"
#include "runtime_internal.h"

namespace {

qiv::CanvasFrame canvasFrame() {
    RECT client = {0, 0, 0, 0};
    GetClientRect(pen.getHwnd(), &client);
    return qiv::CanvasFrame{client.right, client.bottom, pen.getOX(), pen.getOY(), pen.getScale()};
}

// The device pen works in screen orientation: logical (u, v) is (u, -v) there.
void moveTo(double u, double v) { _pen.move(u, -v); }
void lineTo(double u, double v) { _pen.line(u, -v); }

void drawSegment(const qiv::LogicalSegment& s) {
    moveTo(s.x1, s.y1);
    lineTo(s.x2, s.y2);
}

// Each line starts where its coordinate is written (the left end of a horizontal line, the
// top end of a vertical one); the text's top-left corner lies on that point.
void drawGrid(const qiv::CanvasFrame& frame, int step, int labels) {
    const qiv::GridPlan plan = qiv::gridPlan(frame, step);
    const qiv::GridRange& r = plan.range;
    for (int v : plan.rows) {
        moveTo(-r.left, v);
        if (labels == 1) pen << v;
        lineTo(r.right, v);
    }
    for (int u : plan.columns) {
        moveTo(u, r.top);
        if (labels == 1) pen << u;
        lineTo(u, -r.bottom);
    }
}

// Puts back the pen state kept before the axes changed colour, width and style: the device
// pen is rebuilt and the current point returns; nothing is drawn. A local copy rather than a
// level of the save stack, so the axes work the same when the program has filled the stack.
void restorePen(const TPen& kept) {
    _pen = kept;
    _pen.creat();
    _pen.move(_pen.x, _pen.y);
}

}  // namespace

// A grid when step > 13 (lines every step units, labelled when labels is 1), else the two
// axes. A shown head is erased first and drawn again over the lines afterwards, so the lines
// that cross it stay on the canvas when it moves on.
void _showXY(int step, int width, int colour, int style, int labels) {
    _runtimeCheckpoint();
    if (_pen.hdc == NULL) return;  // no canvas yet
    const qiv::CanvasFrame frame = canvasFrame();
    if (!qiv::drawableScale(frame.scale)) return;
    const bool headWasShown = pen.headShow;
    if (headWasShown) _head.restoreScreen();
    pen.headShow = false;
    const TPen kept = _pen;
    const qiv::Rgb c = qiv::colourFromNumber(colour);
    _pen.color(c.r, c.g, c.b);
    pen.size(width);
    if (width == 1) pen.style(style);
    if (qiv::isGridSpacing(step))
        drawGrid(frame, step, labels);
    else {
        const qiv::AxesSegments axes = qiv::axesSegments(frame);
        drawSegment(axes.xAxis);
        drawSegment(axes.yAxis);
    }
    restorePen(kept);
    if (headWasShown) pen.show();
}

// Mode 0: the axes; 1 and 3: a grid every 50 units; 2 and 4: every 100 units; modes 1 and 2
// write the coordinates. Other modes draw nothing. Dotted lines of width 1.
void showXY(int mode, int color) {
    _runtimeCheckpoint();
    const qiv::AxesMode m = qiv::axesMode(mode);
    if (m.draws) _showXY(m.spacing, 1, color, 3, m.labels);
}

Tpen2& Tpen2::showXY(int mode, int color) {
    ::showXY(mode, color);
    return *this;
}
