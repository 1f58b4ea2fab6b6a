#include "head_geometry.h"

#include <algorithm>
#include <cmath>

#include "canvas_clip.h"

namespace qiv {

namespace {
// Degrees to radians, computed as the pen computes it.
const double kD2e = std::acos(-1.0) / 180;

// Truncated toward zero like a plain conversion, but never beyond the device's range (a
// heading that is not a number gives 0 rather than an undefined conversion).
HeadPixel onCircle(int px, int py, double radius, double phi) {
    return HeadPixel{clampedPixel(px + radius * std::cos(phi)), clampedPixel(py - radius * std::sin(phi))};
}
}  // namespace

HeadShape headShape(int width, int height) {
    const double w = width, h = height;
    HeadShape s;
    s.radius = std::sqrt(w * w + h * h) / 2;
    // A zero-sized image has no diagonal; its angle is taken as 0 rather than NaN.
    s.cornerAngle = s.radius > 0 ? std::asin(h / (2 * s.radius)) : 0.0;
    s.side = static_cast<int>(2 * (s.radius + 1));
    return s;
}

double drawnHeading(double heading) {
    return std::fabs(std::fabs(heading) - 180) < 0.01 ? heading + 0.6 : heading;
}

HeadCorners headCorners(int px, int py, double heading, const HeadShape& shape) {
    const double h = drawnHeading(heading);
    // The top-left corner lies on the circle through the corners, at the diagonal's angle
    // from the heading; the next corners follow round the circle.
    const double phi0 = (180 - h) * kD2e - shape.cornerAngle;
    const double phi1 = phi0 - (180 * kD2e - 2 * shape.cornerAngle);
    const double phi2 = phi1 + 180 * kD2e;
    return HeadCorners{onCircle(px, py, shape.radius, phi0), onCircle(px, py, shape.radius, phi1),
                       onCircle(px, py, shape.radius, phi2)};
}

HeadMapping::HeadMapping(const HeadCorners& c, int width, int height)
    : ox_(c.topLeft.x), oy_(c.topLeft.y), ax_(0), ay_(0), bx_(0), by_(0), det_(0), width_(width),
      height_(height) {
    const int bottomRightX = c.topRight.x + c.bottomLeft.x - c.topLeft.x;
    const int bottomRightY = c.topRight.y + c.bottomLeft.y - c.topLeft.y;
    left_ = std::min(std::min(c.topLeft.x, c.topRight.x), std::min(c.bottomLeft.x, bottomRightX));
    right_ = std::max(std::max(c.topLeft.x, c.topRight.x), std::max(c.bottomLeft.x, bottomRightX));
    top_ = std::min(std::min(c.topLeft.y, c.topRight.y), std::min(c.bottomLeft.y, bottomRightY));
    bottom_ = std::max(std::max(c.topLeft.y, c.topRight.y), std::max(c.bottomLeft.y, bottomRightY));
    if (width <= 0 || height <= 0) return;
    ax_ = double(c.topRight.x - c.topLeft.x) / width;
    ay_ = double(c.topRight.y - c.topLeft.y) / width;
    bx_ = double(c.bottomLeft.x - c.topLeft.x) / height;
    by_ = double(c.bottomLeft.y - c.topLeft.y) / height;
    det_ = ax_ * by_ - bx_ * ay_;
}

bool HeadMapping::source(int x, int y, int* sx, int* sy) const {
    if (det_ == 0) return false;
    // Solve centre - topLeft = u * a + v * b for the image coordinates (u, v).
    const double dx = x + 0.5 - ox_, dy = y + 0.5 - oy_;
    const double u = (by_ * dx - bx_ * dy) / det_;
    const double v = (ax_ * dy - ay_ * dx) / det_;
    if (!(u >= 0 && u < width_ && v >= 0 && v < height_)) return false;
    *sx = static_cast<int>(u);
    *sy = static_cast<int>(v);
    return true;
}

HeadPixel saveSquareOrigin(int px, int py, const HeadShape& shape) {
    const double r1 = shape.radius + 1;
    return HeadPixel{static_cast<int>(px - r1), static_cast<int>(py - r1)};
}

}  // namespace qiv
