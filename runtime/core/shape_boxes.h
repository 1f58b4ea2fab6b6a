// Canvas pixel boxes of the pen's shapes: where an ellipse or a rectangle of w x h logical
// units centred on the pen lands.
//
// The ellipse halves its pixel size around the pen's pixel; the rectangle converts its
// logical top-left corner. The two may differ by a pixel in placement.
#ifndef QIV_SHAPE_BOXES_H
#define QIV_SHAPE_BOXES_H

namespace qiv {

// Top-left corner and size in canvas pixels; the box runs to (left + width, top + height).
struct PixelBox { int left, top, width, height; };

// The pen's logical position (x, y with y up) and the canvas mapping.
struct CanvasMap { double scale, ox, oy; };

// Pixel size of a logical length: trunc(scale * length), limited to the range GDI accepts
// for coordinates so that absurd sizes cannot overflow.
int pixelLength(double length, double scale);

// Box of an ellipse w wide and h high centred on the pen at logical (x, y).
PixelBox ellipseBox(double x, double y, double w, double h, const CanvasMap& map);

// Box of an axis-aligned rectangle w wide and h high centred on the pen at logical (x, y).
PixelBox rectangleBox(double x, double y, double w, double h, const CanvasMap& map);

}  // namespace qiv

#endif
