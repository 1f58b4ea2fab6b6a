// qivplus_maths.h - the arithmetic behind the tool headers: pixel lengths, the rectangles of
// a text box, the corners of a turned picture, colour numbers and decimal texts.
//
// Nothing here needs <windows.h>, so the same code is compiled into programs (through
// qivplus.h) and into the native unit tests. Keep this file plain ASCII: students compile it
// without a character-set option.
#ifndef QIV_TOOLS_QIVPLUS_MATHS_H
#define QIV_TOOLS_QIVPLUS_MATHS_H

#include <cmath>
#include <cstddef>
#include <string>

namespace qivtool {

// Coordinates far outside any canvas are held within this bound, so that sums of a corner
// and a size never overflow an int.
const double kPixelLimit = 1073741824.0;  // 2^30

// A pixel value of a double: truncated toward zero like a C cast; NaN gives 0 and values
// beyond +-2^30 stop there.
inline int truncPixel(double v) {
    if (!(v == v)) return 0;
    if (v > kPixelLimit) return static_cast<int>(kPixelLimit);
    if (v < -kPixelLimit) return -static_cast<int>(kPixelLimit);
    return static_cast<int>(v);
}

// A length of len logical units in pixels at the given scale.
inline int pixelLength(double len, double scale) { return truncPixel(len * scale); }

// A rectangle in canvas pixels, right and bottom exclusive.
struct PixelRect {
    int left, top, right, bottom;
};

// The pixel rectangle of _drawText: its top-left corner (left, top) is the pixel of the
// logical corner; the far edges are truncated from left + w * scale and top + h * scale.
inline PixelRect textRect(int left, int top, double w, double h, double scale) {
    PixelRect r = {left, top, truncPixel(left + w * scale), truncPixel(top + h * scale)};
    return r;
}

struct Rgb {
    int r, g, b;
};

// A colour number as programs write them: its magnitude picks one of the sixteen numbered
// colours (0-15) or, above 15, is packed RGB with red in the low byte. Any int is accepted.
inline Rgb colourOfNumber(int number) {
    static const Rgb palette[16] = {
        {0, 0, 0},       {255, 0, 0},     {0, 0, 255},    {0, 255, 0},
        {0, 255, 255},   {255, 255, 0},   {165, 42, 43},  {0, 0, 205},
        {190, 190, 190}, {255, 192, 203}, {0, 139, 0},    {138, 43, 226},
        {0, 139, 139},   {255, 215, 0},   {255, 127, 36}, {255, 255, 255},
    };
    const unsigned n = number < 0 ? 0u - static_cast<unsigned>(number) : static_cast<unsigned>(number);
    if (n <= 15) return palette[n];
    Rgb c = {static_cast<int>(n & 0xFF), static_cast<int>((n >> 8) & 0xFF), static_cast<int>((n >> 16) & 0xFF)};
    return c;
}

// A rectangle in logical units: top-left corner (x, y), w to the right, h downwards.
struct LogicalBox {
    double x, y, w, h;
};

// The three parts of a framed text label (_boxText): the outer fill, the inner fill that
// leaves a frame one unit wide, and the rectangle the text is written into (5 units in
// from the left, 10 down from the top, ending 5 before the right edge and at the bottom).
struct BoxTextPlan {
    LogicalBox outer, inner, text;
    Rgb outerColour, innerColour;
};

inline BoxTextPlan boxTextPlan(double x, double y, double w, double h, int mod) {
    BoxTextPlan p;
    p.outer = LogicalBox{x, y, w, h};
    p.inner = LogicalBox{x + 1, y - 1, w - 2, h - 2};
    p.text = LogicalBox{x + 5, y - 10, w - 10, h - 10};
    if (mod == 1) {
        p.outerColour = Rgb{220, 220, 220};
        p.innerColour = Rgb{245, 245, 245};
    } else {
        p.outerColour = Rgb{176, 196, 222};
        p.innerColour = Rgb{173, 216, 230};
    }
    return p;
}

struct PixelPoint {
    int x, y;
};

// Where the corners of a picture go when it is drawn ww x hh pixels large, centred on the
// pixel (cx, cy) and turned `angle` degrees clockwise on the screen: the destination points
// of a parallelogram blit (upper-left, upper-right, lower-left corner of the picture).
struct TurnedCorners {
    PixelPoint upperLeft, upperRight, lowerLeft;
};

// Returns false, and leaves `out` alone, when there is nothing to draw: a size below one
// pixel in either direction, or an angle that is not a finite number.
inline bool turnedCorners(int cx, int cy, int ww, int hh, double angle, TurnedCorners* out) {
    if (ww < 1 || hh < 1 || !std::isfinite(angle)) return false;
    const double d = std::acos(-1.0) / 180;
    // Half the diagonal, and the angle of the diagonal against the horizontal side.
    const double r = std::sqrt(static_cast<double>(ww) * ww + static_cast<double>(hh) * hh) / 2;
    const double beta = std::asin(hh / r / 2);
    double a = beta - (180 - angle) * d;
    out->upperLeft = PixelPoint{truncPixel(cx + r * std::cos(a)), truncPixel(cy + r * std::sin(a))};
    a -= 180 * d + 2 * beta;
    out->upperRight = PixelPoint{truncPixel(cx + r * std::cos(a)), truncPixel(cy + r * std::sin(a))};
    a += 180 * d;
    out->lowerLeft = PixelPoint{truncPixel(cx + r * std::cos(a)), truncPixel(cy + r * std::sin(a))};
    return true;
}

// Which pixel (sx, sy) of a w x h picture covers the destination pixel (x, y) when the
// picture's corners go to `c` (the picture's x along upper-left -> upper-right, its y along
// upper-left -> lower-left), judged at the destination pixel's centre. False when no pixel
// of the picture does.
inline bool sourcePixel(const TurnedCorners& c, int w, int h, int x, int y, int* sx, int* sy) {
    const double e1x = c.upperRight.x - c.upperLeft.x, e1y = c.upperRight.y - c.upperLeft.y;
    const double e2x = c.lowerLeft.x - c.upperLeft.x, e2y = c.lowerLeft.y - c.upperLeft.y;
    const double det = e1x * e2y - e1y * e2x;
    if (det == 0 || w < 1 || h < 1) return false;
    const double vx = x + 0.5 - c.upperLeft.x, vy = y + 0.5 - c.upperLeft.y;
    const double u = (vx * e2y - vy * e2x) / det, t = (e1x * vy - e1y * vx) / det;
    if (!(u >= 0 && u < 1 && t >= 0 && t < 1)) return false;
    *sx = static_cast<int>(u * w);
    *sy = static_cast<int>(t * h);
    if (*sx >= w) *sx = w - 1;
    if (*sy >= h) *sy = h - 1;
    return true;
}

// The canvas pixels a turned picture can cover: the bounding box of its four corners and a
// pixel around it, right and bottom exclusive, cut to the canvas (0, 0) - (canvasW, canvasH).
inline PixelRect coveredBox(const TurnedCorners& c, int canvasW, int canvasH) {
    const int xs[4] = {c.upperLeft.x, c.upperRight.x, c.lowerLeft.x, c.upperRight.x + c.lowerLeft.x - c.upperLeft.x};
    const int ys[4] = {c.upperLeft.y, c.upperRight.y, c.lowerLeft.y, c.upperRight.y + c.lowerLeft.y - c.upperLeft.y};
    PixelRect r = {xs[0], ys[0], xs[0], ys[0]};
    for (int i = 1; i < 4; ++i) {
        if (xs[i] < r.left) r.left = xs[i];
        if (xs[i] > r.right) r.right = xs[i];
        if (ys[i] < r.top) r.top = ys[i];
        if (ys[i] > r.bottom) r.bottom = ys[i];
    }
    // The fourth corner is derived from three truncated ones: allow a pixel either way.
    --r.left;
    --r.top;
    r.right += 2;
    r.bottom += 2;
    if (r.left < 0) r.left = 0;
    if (r.top < 0) r.top = 0;
    if (r.right > canvasW) r.right = canvasW;
    if (r.bottom > canvasH) r.bottom = canvasH;
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

// Decimal digits of a whole number: at least one digit, a minus sign for negative numbers.
inline std::string decimalText(int i) {
    unsigned n = i < 0 ? 0u - static_cast<unsigned>(i) : static_cast<unsigned>(i);
    std::string s;
    do {
        s.insert(s.begin(), static_cast<char>('0' + n % 10));
        n /= 10;
    } while (n > 0);
    if (i < 0) s.insert(s.begin(), '-');
    return s;
}

// The same digits as wide characters in a buffer of `capacity` characters, always ended by
// a 0; digits that do not fit are left off at the end.
inline void decimalInto(int i, wchar_t* out, std::size_t capacity) {
    if (out == 0 || capacity == 0) return;
    const std::string s = decimalText(i);
    std::size_t k = 0;
    for (; k < s.size() && k + 1 < capacity; ++k) out[k] = static_cast<wchar_t>(s[k]);
    out[k] = 0;
}

// The bytes of s given to a single-line text call: a tab becomes a blank and every other
// control byte (below 0x20, and 0x7F) is left out, so no font draws a glyph for a line feed.
// No byte of a GBK character is a control byte.
inline std::string drawableText(const std::string& s) {
    std::string shown;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (b == '\t')
            shown += ' ';
        else if (b >= 0x20 && b != 0x7F)
            shown += s[i];
    }
    return shown;
}

}  // namespace qivtool

#endif
