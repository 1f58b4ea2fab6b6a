#include "core/pen_text_layout.h"

#include <cmath>

#include "core/shape_boxes.h"

namespace qiv {

namespace {
const double kDegree = std::acos(-1.0) / 180;

int truncToInt(double v) {
    if (!(v > -2e9)) return -2000000000;  // also NaN
    if (v > 2e9) return 2000000000;
    return static_cast<int>(v);
}
}  // namespace

int nominalTextWidth(int charWidth, std::size_t bytes) {
    return bytes > 0 ? charWidth * static_cast<int>(bytes - 1) : 0;
}

PixelPoint centredTextStart(int px, int py, int w, int h, int orientation) {
    const double angle = -orientation / 10.0;
    PixelPoint start;
    if (std::fabs(angle) > 0.01) {
        const double half = std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h) / 2;
        const double beta = std::atan2(static_cast<double>(h), static_cast<double>(w)) + angle * kDegree;
        start.x = truncToInt(px - half * std::cos(beta));
        start.y = truncToInt(py - half * std::sin(beta));
    } else {
        start.x = px - w / 2;
        start.y = py - h / 2;
    }
    return start;
}

int naturalPixels(long hmSize, int dpi) {
    const long long pixels = static_cast<long long>(dpi) * hmSize / 2540;
    return pixels > 2000000000 ? 2000000000 : static_cast<int>(pixels);
}

PictureBox pictureBox(int px, int py, double w, double h, int naturalW, int naturalH, double scale, bool centred) {
    if (w == -1 || h == -1) {
        w = naturalW;
        h = naturalH;
    }
    PictureBox box = {px, py, pixelLength(w, scale), pixelLength(h, scale)};
    if (centred) {
        box.left = truncToInt(px - scale * w / 2);
        box.top = truncToInt(py - scale * h / 2);
    }
    return box;
}

}  // namespace qiv
