// Numbers from programs on their way to the drawing calls.
//
// A NaN or infinite number is refused by the pen like any other invalid argument: the call
// does nothing. Finite numbers may still be far beyond any canvas; lines and shapes are then
// cut down in double precision to a drawing area of +-kDrawArea pixels around the canvas's
// corner before any integer is formed, so no drawing call gets coordinates it would spend
// long on and no conversion to int can overflow. The area is larger than any screen, and a
// line or shape that lies inside it is handed to the device exactly as before.
#ifndef QIV_CANVAS_CLIP_H
#define QIV_CANVAS_CLIP_H

#include "shape_boxes.h"

namespace qiv {

// Half the side of the drawing area, pixels: the area is [-kDrawArea, kDrawArea] on both
// axes. Canvases are far smaller, and pens at most 999 pixels wide. The larger the area, the
// less a cut line can differ from the uncut one where it shows (the cut moves an end by less
// than a pixel, which turns the visible part by less than canvas / area pixels), and the
// longer the longest line handed to the device (2^18 pixels take about 10 ms under Wine).
constexpr double kDrawArea = 262144;

// Logical coordinates and pixel values beyond this size are refused like NaN: with them the
// differences the clipping takes could overflow. No drawing gets anywhere near them.
constexpr double kLargestUsable = 1e300;

// A number a program may use as a coordinate, distance, turn, heading, scale or speed.
bool usable(double v);

// Canvas pixel of a pixel value: truncated toward zero, limited to +-2^27 (the range the
// device accepts), NaN giving 0. Equal to the plain truncation for every value in range.
int clampedPixel(double v);

// A line in canvas pixels ready for the device.
struct DeviceLine {
    bool visible;  // some part of it lies in the drawing area
    bool cut;      // an end was moved onto the area's edge
    int x0, y0, x1, y1;
};

// The segment from (x0, y0) to (x1, y1), pixel values (doubles), cut to the drawing area.
// A segment inside the area keeps its ends (truncated toward zero); one that crosses the
// edge keeps the part inside (Liang-Barsky); one outside is not visible. Values must be
// usable.
DeviceLine clipLine(double x0, double y0, double x1, double y1);

// How an ellipse in a pixel box (drawn with a pen `penWidth` pixels wide) meets the area.
enum class ShapeView {
    Draw,        // draw it as it is
    Nothing,     // nothing of it can show: it lies outside the area, or the area lies
                 // inside it clear of its outline and it is not filled
    FillArea     // the area lies inside it, clear of its outline: filling the area is the
                 // same as filling it
};
ShapeView ellipseView(const PixelBox& box, int penWidth, bool filled);

// A rectangle's box cut to the area grown by the pen's width: the parts cut away lie
// beyond every canvas, and so do the outline's edges moved onto the cut. False when the box
// does not meet the area at all (nothing to draw).
bool clipRectangle(PixelBox* box, int penWidth);

}  // namespace qiv

#endif
