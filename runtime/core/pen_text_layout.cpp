#include "core/pen_text_layout.h"

#include <climits>
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
    if (bytes == 0) return 0;
    // Computed in double: both factors may be large.
    const double w = static_cast<double>(charWidth) * static_cast<double>(bytes - 1);
    if (w >= INT_MAX) return INT_MAX;
    if (w <= INT_MIN) return INT_MIN;
    return static_cast<int>(w);
}

std::string drawableText(const std::string& s) {
    std::string shown;
    shown.reserve(s.size());
    for (const char c : s) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b == '\t')
            shown += ' ';
        else if (b >= 0x20 && b != 0x7F)
            shown += c;
    }
    return shown;
}

PixelPoint centredTextStart(int px, int py, int w, int h, int orientation) {
    const double angle = -static_cast<double>(orientation) / 10.0;
    PixelPoint start;
    if (std::fabs(angle) > 0.01) {
        const double half = std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h) / 2;
        const double beta = std::atan2(static_cast<double>(h), static_cast<double>(w)) + angle * kDegree;
        start.x = truncToInt(px - half * std::cos(beta));
        start.y = truncToInt(py - half * std::sin(beta));
    } else {
        // Wide: a pen pixel at the end of the int range minus half a huge box must not overflow.
        start.x = truncToInt(static_cast<double>(px) - w / 2);
        start.y = truncToInt(static_cast<double>(py) - h / 2);
    }
    return start;
}

int naturalPixels(long hmSize, int dpi) {
    // Exact in integers while the product fits; a picture size beyond that is limited.
    const long long kExact = 1000000000000LL;  // times a dpi up to 10^6: within 64 bits
    if (hmSize > kExact || hmSize < -kExact || dpi > 1000000 || dpi < -1000000)
        return truncToInt(static_cast<double>(dpi) * static_cast<double>(hmSize) / 2540);
    const long long pixels = static_cast<long long>(dpi) * hmSize / 2540;
    return pixels > 2000000000 ? 2000000000 : (pixels < -2000000000 ? -2000000000 : static_cast<int>(pixels));
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
