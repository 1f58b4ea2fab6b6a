// Where the coordinate axes and the grid land: the mode table of showXY, the logical range
// a grid covers on the canvas, the values of its lines, and the two axis segments.
//
// Everything is in logical units (y up) except the canvas frame, which gives the canvas
// size, the origin pixel and the scale (pixels per unit). The device layer (axes.cpp)
// draws what these functions list.
#ifndef QIV_AXES_GRID_H
#define QIV_AXES_GRID_H

#include <vector>

namespace qiv {

// What a showXY mode draws: 0 the axes, 1 and 3 a grid every 50 units, 2 and 4 every 100
// units, with the coordinates written in modes 1 and 2. Any other mode draws nothing.
struct AxesMode {
    bool draws;   // false: nothing at all
    int spacing;  // 0 for the plain axes, else the grid spacing in logical units
    int labels;   // 1: each grid line has its coordinate written at its start
};
AxesMode axesMode(int mode);

// Spacings of 13 and less draw the plain axes; larger ones a grid.
bool isGridSpacing(int step);

// The canvas as the axes see it: client size in pixels, origin pixel, pixels per unit.
struct CanvasFrame {
    int width, height;
    double ox, oy, scale;
};

// A scale of zero, below zero or not finite maps nothing onto the canvas: nothing is drawn.
bool drawableScale(double scale);

// Logical distances from the origin to 10 pixels inside the top, bottom, left and right
// edges, truncated toward zero (and kept within +-2^30).
struct GridRange {
    int top, bottom, left, right;
};
GridRange gridRange(const CanvasFrame& frame);

// The lines of a grid. Horizontal lines at y = v run from x = -left to right, vertical lines
// at x = u from y = top to -bottom. Values are multiples of the spacing, starting at
// -(bottom / step) * step (resp. -(left / step) * step, division toward zero) and going up
// while they stay within top (resp. right). Where the spacing would put lines less than one
// pixel apart, only every k-th line is listed, k the least that keeps them a pixel apart:
// the canvas looks the same and the count stays within the canvas's pixels.
struct GridPlan {
    GridRange range;
    std::vector<int> rows;     // v of each horizontal line, ascending
    std::vector<int> columns;  // u of each vertical line, ascending
};
GridPlan gridPlan(const CanvasFrame& frame, int step);

// A segment between two logical points.
struct LogicalSegment {
    double x1, y1, x2, y2;
};

// The two axes through the origin, each ending 10 pixels from the canvas edges: the x axis
// from left to right, the y axis from top to bottom.
struct AxesSegments {
    LogicalSegment xAxis, yAxis;
};
AxesSegments axesSegments(const CanvasFrame& frame);

}  // namespace qiv

#endif
