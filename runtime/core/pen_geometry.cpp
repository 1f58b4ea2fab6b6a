#include "pen_geometry.h"

#include <cmath>

#include "canvas_clip.h"

namespace qiv {

int pixelX(double x, double scale, double ox) { return clampedPixel(scale * x + ox); }

int pixelY(double y, double scale, double oy) { return clampedPixel(-scale * y + oy); }

double turnScreenHeading(double heading, double degrees) {
    const double v = heading + degrees;
    // fmod is exact and keeps the fraction of a degree, also for turns too large for an
    // integer.
    const double m = std::fmod(std::fabs(v), 360.0);
    return v >= 0 ? m : -m;
}

double compassFromScreen(double screenHeading) {
    // The pen's heading is always reduced below a full turn; anything else is reduced here
    // first, so the conversion to int below stays in range.
    if (!(std::fabs(screenHeading) < 360.0)) screenHeading = turnScreenHeading(screenHeading, 0.0);
    if (screenHeading != screenHeading) return 0.0;
    const int t = static_cast<int>(screenHeading);
    return static_cast<double>((t + 90) % 360) + (screenHeading - t);
}

double screenFromCompass(double compass) { return turnScreenHeading(compass + 270.0, 0.0); }

bool nearPixels(int a, int b) { return a - b >= -5 && a - b <= 5; }

Point keepPixelOnRescale(Point p, double oldScale, double newScale) {
    return Point{p.x * oldScale / newScale, p.y * oldScale / newScale};
}

bool rescaled(double current, double s, bool multiply, double* result) {
    if (!(s >= 0.0001) || !usable(s)) return false;  // also refuses NaN and infinity
    const double next = multiply ? current * s : s;
    if (!usable(next) || !(next > 0)) return false;  // a product may overflow or underflow to 0
    *result = next;
    return true;
}

Viewport resetViewport(int clientWidth, int clientHeight, double scale) {
    Viewport v;
    v.ox = clientWidth / 2;
    v.oy = clientHeight / 2;
    const int halfW = clientWidth / 2, halfH = clientHeight / 2;
    v.clip = PixelRect{pixelX(-halfW, scale, v.ox), pixelY(halfH, scale, v.oy),
                       pixelX(halfW, scale, v.ox), pixelY(-halfH, scale, v.oy)};
    return v;
}

Viewport setViewport(int clientWidth, int clientHeight, double scale,
                     double x, double y, double w, double h) {
    const Viewport centre = resetViewport(clientWidth, clientHeight, scale);
    Viewport v;
    v.clip = PixelRect{pixelX(x - w / 2, scale, centre.ox), pixelY(y + h / 2, scale, centre.oy),
                       pixelX(x + w / 2, scale, centre.ox), pixelY(y - h / 2, scale, centre.oy)};
    v.ox = pixelX(x, scale, centre.ox);
    v.oy = pixelY(y, scale, centre.oy);
    return v;
}

}  // namespace qiv
