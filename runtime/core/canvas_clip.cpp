#include "canvas_clip.h"

#include <cmath>

namespace qiv {

namespace {
constexpr double kDeviceLimit = 1 << 27;

bool inside(double v) { return v >= -kDrawArea && v <= kDrawArea; }

double toArea(double v) { return v < -kDrawArea ? -kDrawArea : (v > kDrawArea ? kDrawArea : v); }

// One edge of Liang-Barsky: p * t <= q keeps the part with parameter t.
bool clipEdge(double p, double q, double* t0, double* t1) {
    if (p == 0) return q >= 0;
    const double r = q / p;
    if (p < 0) {
        if (r > *t1) return false;
        if (r > *t0) *t0 = r;
    } else {
        if (r < *t0) return false;
        if (r < *t1) *t1 = r;
    }
    return true;
}
}  // namespace

bool usable(double v) { return std::isfinite(v) && std::fabs(v) <= kLargestUsable; }

int clampedPixel(double v) {
    if (v != v) return 0;
    if (v <= -kDeviceLimit) return -static_cast<int>(kDeviceLimit);
    if (v >= kDeviceLimit) return static_cast<int>(kDeviceLimit);
    return static_cast<int>(v);
}

DeviceLine clipLine(double x0, double y0, double x1, double y1) {
    DeviceLine d = {true, false, 0, 0, 0, 0};
    if (!(inside(x0) && inside(y0) && inside(x1) && inside(y1))) {
        const double dx = x1 - x0, dy = y1 - y0;
        double t0 = 0, t1 = 1;
        if (!clipEdge(-dx, x0 + kDrawArea, &t0, &t1) || !clipEdge(dx, kDrawArea - x0, &t0, &t1) ||
            !clipEdge(-dy, y0 + kDrawArea, &t0, &t1) || !clipEdge(dy, kDrawArea - y0, &t0, &t1)) {
            d.visible = false;
            return d;
        }
        d.cut = true;
        // The cut ends lie on the area's edge; with ends of very different size the sums
        // below lose precision, so they are held inside the area.
        const double sx = x0, sy = y0;
        if (!(inside(x0) && inside(y0))) {
            x0 = toArea(sx + t0 * dx);
            y0 = toArea(sy + t0 * dy);
        }
        if (!(inside(x1) && inside(y1))) {
            x1 = toArea(sx + t1 * dx);
            y1 = toArea(sy + t1 * dy);
        }
    }
    d.x0 = clampedPixel(x0);
    d.y0 = clampedPixel(y0);
    d.x1 = clampedPixel(x1);
    d.y1 = clampedPixel(y1);
    return d;
}

ShapeView ellipseView(const PixelBox& box, int penWidth, bool filled) {
    const double pad = penWidth > 0 ? penWidth : 0;
    const double left = box.left, top = box.top;
    const double right = left + box.width, bottom = top + box.height;
    if (right + pad < -kDrawArea || left - pad > kDrawArea || bottom + pad < -kDrawArea || top - pad > kDrawArea)
        return ShapeView::Nothing;
    if (left - pad >= -kDrawArea && right + pad <= kDrawArea && top - pad >= -kDrawArea && bottom + pad <= kDrawArea)
        return ShapeView::Draw;
    // A large ellipse: does the area lie inside it, clear of the outline? The ellipse is
    // convex, so it does when the corners of the area grown by the pen do.
    const double a = (right - left) / 2 - pad - 2, b = (bottom - top) / 2 - pad - 2;
    if (a <= 0 || b <= 0) return ShapeView::Draw;
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double far = kDrawArea + 1;
    const double corners[4][2] = {{-far, -far}, {far, -far}, {-far, far}, {far, far}};
    for (const auto& c : corners) {
        const double u = (c[0] - cx) / a, v = (c[1] - cy) / b;
        if (u * u + v * v >= 1) return ShapeView::Draw;
    }
    return filled ? ShapeView::FillArea : ShapeView::Nothing;
}

bool clipRectangle(PixelBox* box, int penWidth) {
    const double limit = kDrawArea + (penWidth > 0 ? penWidth : 0) + 2;
    double left = box->left, top = box->top;
    double right = left + box->width, bottom = top + box->height;
    if (right < left) {
        const double t = left;
        left = right;
        right = t;
    }
    if (bottom < top) {
        const double t = top;
        top = bottom;
        bottom = t;
    }
    if (right < -limit || left > limit || bottom < -limit || top > limit) return false;
    if (left >= -limit && right <= limit && top >= -limit && bottom <= limit) return true;  // unchanged
    // Keep the box's orientation (a negative width stays negative).
    const bool flipX = box->width < 0, flipY = box->height < 0;
    if (left < -limit) left = -limit;
    if (right > limit) right = limit;
    if (top < -limit) top = -limit;
    if (bottom > limit) bottom = limit;
    box->left = static_cast<int>(flipX ? right : left);
    box->width = static_cast<int>(flipX ? left - right : right - left);
    box->top = static_cast<int>(flipY ? bottom : top);
    box->height = static_cast<int>(flipY ? top - bottom : bottom - top);
    return true;
}

}  // namespace qiv
