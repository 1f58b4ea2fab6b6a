#include "shape_boxes.h"

namespace qiv {

namespace {
// GDI keeps coordinates within 27 bits; anything beyond is off every canvas.
constexpr double kLimit = 1 << 27;

int clampedTrunc(double v) {
    if (!(v > -kLimit)) return v != v ? 0 : -static_cast<int>(kLimit);  // NaN -> 0
    if (v > kLimit) return static_cast<int>(kLimit);
    return static_cast<int>(v);
}
}  // namespace

int pixelLength(double length, double scale) { return clampedTrunc(scale * length); }

PixelBox ellipseBox(double x, double y, double w, double h, const CanvasMap& map) {
    const int px = clampedTrunc(map.scale * x + map.ox);
    const int py = clampedTrunc(-map.scale * y + map.oy);
    const int W = pixelLength(w, map.scale), H = pixelLength(h, map.scale);
    return PixelBox{px - W / 2, py - H / 2, W, H};
}

PixelBox rectangleBox(double x, double y, double w, double h, const CanvasMap& map) {
    const int left = clampedTrunc(map.scale * (x - w / 2) + map.ox);
    const int top = clampedTrunc(-map.scale * (y + h / 2) + map.oy);
    return PixelBox{left, top, pixelLength(w, map.scale), pixelLength(h, map.scale)};
}

}  // namespace qiv
