#include "pen_speed.h"

namespace qiv {

namespace {
// Seconds per unit at each whole speed level; level 10 is instant.
const double kSpeedTime[12] = {0.04,   0.02,   0.01,    0.005,   0.0025, 0.001,
                               0.0005, 0.0002, 0.00005, 0.00001, 0.0,    0.0};
}  // namespace

double delayForSpeed(double s) {
    if (!(s >= 1e-10)) return kSpeedTime[0];  // NaN too: never an index
    if (s > 9.9999) return 0.0;
    const int i = static_cast<int>(s + 1e-7);
    // The fraction is taken from the level actually used, so a level a hair below a whole
    // number (4.9999999 from adding 0.1 fifty times) keeps that whole level's delay.
    const double f = s - i;
    return kSpeedTime[i] - (kSpeedTime[i] - kSpeedTime[i + 1]) * f;
}

}  // namespace qiv
