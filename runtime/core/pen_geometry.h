// Pure geometry of the pen: logical units <-> canvas pixels, headings, scale and viewport.
// No Windows types here: the device layer (pen_device.cpp) feeds these functions the pen's
// numbers and applies the results to the canvas.
#ifndef QIV_PEN_GEOMETRY_H
#define QIV_PEN_GEOMETRY_H

namespace qiv {

// Canvas pixel of a logical coordinate. Logical y grows upward, canvas y downward; the
// result is truncated toward zero, as a C cast does, and limited to +-2^27 (NaN: 0).
int pixelX(double x, double scale, double ox);
int pixelY(double y, double scale, double oy);

// Adds a turn to a screen heading and reduces the sum below one full turn, keeping its
// sign and the fraction of a degree: 0 + (-500) gives -140, 270 + 90 gives 0.
double turnScreenHeading(double heading, double degrees);

// Compass bearing (0 = up, 90 = right) of a screen heading (0 = right, 90 = down).
// Negative screen headings give results in (-270, 0): the same direction minus 360.
double compassFromScreen(double screenHeading);

// Screen heading for a compass bearing, reduced like any turn.
double screenFromCompass(double compass);

// True when two pixel coordinates lie within 5 of each other.
bool nearPixels(int a, int b);

// The pen's logical position after the scale changes from oldScale to newScale with the
// canvas pixel kept: both coordinates are multiplied by oldScale / newScale.
struct Point { double x, y; };
Point keepPixelOnRescale(Point p, double oldScale, double newScale);

// The scale after scale(s, multiply); returns false (ignored) when s is below 0.0001, NaN or
// infinite, or the product would not be a usable number.
bool rescaled(double current, double s, bool multiply, double* result);

// A rectangle in canvas pixels, right and bottom exclusive as Win32 regions take them.
struct PixelRect { int left, top, right, bottom; };

// The origin, clip rectangle and pen position of resetXY and setXY on a canvas of
// clientWidth x clientHeight pixels at the given scale.
struct Viewport {
    double ox, oy;    // the new origin pixel
    PixelRect clip;   // the clip region
};
Viewport resetViewport(int clientWidth, int clientHeight, double scale);
Viewport setViewport(int clientWidth, int clientHeight, double scale,
                     double x, double y, double w, double h);

}  // namespace qiv

#endif
