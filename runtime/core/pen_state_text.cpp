#include "core/pen_state_text.h"

#include <cstdio>

namespace qiv {

namespace {
// A zero that came out negative (0 * -1) is written as 0.00, not -0.00.
double plainZero(double v) { return v == 0 ? 0.0 : v; }
}  // namespace

std::string penStateLine(const PenState& s) {
    char line[1200];  // room for three doubles of 309 digits each
    std::snprintf(line, sizeof line, "x=%.2f y=%.2f angle=%.2f color=(%d,%d,%d) size=%d %s scale=%.2f", plainZero(s.x),
                  plainZero(s.y), plainZero(s.heading), s.red, s.green, s.blue, s.width, s.down ? "down" : "up",
                  plainZero(s.scale));
    return line;
}

}  // namespace qiv
