// Animation delay of the pen by speed level: seconds per logical unit (or per degree).
#ifndef QIV_PEN_SPEED_H
#define QIV_PEN_SPEED_H

namespace qiv {

// Delay for speed level s: 0.04 for levels of 0 and below, 0 above 9.9999, and linear
// interpolation between the table's whole levels in between. NaN gives the slowest level
// (the pen refuses NaN before it asks).
double delayForSpeed(double s);

// Delays below this count as "no animation".
constexpr double kNoAnimation = 0.000001;

}  // namespace qiv

#endif
