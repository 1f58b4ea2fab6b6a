#include "axes_grid.h"

#include <cmath>

namespace qiv {

namespace {

// Logical distances are kept within this bound, far beyond any canvas at any usable scale,
// so that they and the line values always fit an int.
constexpr double kRangeLimit = 1 << 30;
// The largest line spacing used when lines are spread to a pixel apart.
constexpr double kSpacingLimit = 2147483648.0;  // 2^31

int clampedTrunc(double v) {
    if (v != v) return 0;
    if (v > kRangeLimit) return static_cast<int>(kRangeLimit);
    if (v < -kRangeLimit) return -static_cast<int>(kRangeLimit);
    return static_cast<int>(v);
}

// Multiples of the spacing from -(below / spacing) * spacing up to `above`, with the
// spacing widened to a multiple of `step` at least one pixel long.
std::vector<int> lineValues(int below, int above, int step, double scale) {
    std::vector<int> values;
    if (step <= 0) return values;
    double spacing = step;
    if (step * scale < 1) spacing = std::fmin(step * std::ceil(1 / (step * scale)), kSpacingLimit);
    const long long every = static_cast<long long>(spacing);
    for (long long v = -(below / every) * every; v <= above; v += every) values.push_back(static_cast<int>(v));
    return values;
}

}  // namespace

AxesMode axesMode(int mode) {
    switch (mode) {
    case 0: return AxesMode{true, 0, 0};
    case 1: return AxesMode{true, 50, 1};
    case 2: return AxesMode{true, 100, 1};
    case 3: return AxesMode{true, 50, 0};
    case 4: return AxesMode{true, 100, 0};
    default: return AxesMode{false, 0, 0};
    }
}

bool isGridSpacing(int step) { return step > 13; }

bool drawableScale(double scale) { return scale > 0 && std::isfinite(scale); }

GridRange gridRange(const CanvasFrame& f) {
    const double s = f.scale;
    return GridRange{clampedTrunc((f.oy - 10) / s), clampedTrunc((f.height - f.oy - 10) / s),
                     clampedTrunc((f.ox - 10) / s), clampedTrunc((f.width - f.ox - 10) / s)};
}

GridPlan gridPlan(const CanvasFrame& frame, int step) {
    GridPlan plan = {GridRange{0, 0, 0, 0}, {}, {}};
    if (!drawableScale(frame.scale)) return plan;
    plan.range = gridRange(frame);
    plan.rows = lineValues(plan.range.bottom, plan.range.top, step, frame.scale);
    plan.columns = lineValues(plan.range.left, plan.range.right, step, frame.scale);
    return plan;
}

AxesSegments axesSegments(const CanvasFrame& f) {
    const double s = f.scale;
    const LogicalSegment xAxis = {(10 - f.ox) / s, 0, (f.width - f.ox - 10) / s, 0};
    const LogicalSegment yAxis = {0, (f.oy - 10) / s, 0, -(f.height - f.oy - 10) / s};
    return AxesSegments{xAxis, yAxis};
}

}  // namespace qiv
