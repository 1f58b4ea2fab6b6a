// Numbers from programs on their way to the device: refused numbers, pixels that cannot
// overflow, lines and shapes cut to the drawing area, text placement with extreme values.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "core/canvas_clip.h"
#include "core/head_geometry.h"
#include "core/pen_geometry.h"
#include "core/pen_speed.h"
#include "core/pen_text_layout.h"

using namespace qiv;

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const double kArea = kDrawArea;

// True when (x, y) lies on the segment from (x0, y0) to (x1, y1) within tolerance.
bool onSegment(double x, double y, double x0, double y0, double x1, double y1, double tol) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double cross = (x - x0) * dy - (y - y0) * dx;
    return std::fabs(cross) / std::hypot(dx, dy) <= tol;
}
}  // namespace

TEST(RefusedNumbers, OnlyFiniteNumbersOfSaneSizeAreUsable) {
    const struct {
        double v;
        bool usable;
    } rows[] = {{0, true},     {-1e300, true},  {1e300, true}, {2e300, false}, {kNaN, false},
                {kInf, false}, {-kInf, false},  {1e-300, true}, {-0.0, true}};
    for (const auto& r : rows) EXPECT_EQ(usable(r.v), r.usable) << r.v;
}

TEST(RefusedNumbers, ScaleRefusesNaNInfinityAndOverflowingProducts) {
    const struct {
        double current, s;
        bool multiply;
        bool accepted;
        double result;
    } rows[] = {
        {1, 2, false, true, 2},       {1, 2, true, true, 2},          {3, 2, true, true, 6},
        {1, kNaN, false, false, 0},   {1, kInf, false, false, 0},     {1, kInf, true, false, 0},
        {1e200, 1e200, true, false, 0}, {1, 0.00005, false, false, 0}, {1, -kInf, true, false, 0},
        {2.5e-323, 0.0005, true, false, 0},  // found by the fuzz target: the product underflows to 0
    };
    for (const auto& r : rows) {
        double out = -1;
        EXPECT_EQ(rescaled(r.current, r.s, r.multiply, &out), r.accepted) << r.current << " " << r.s;
        if (r.accepted) EXPECT_EQ(out, r.result);
    }
}

TEST(RefusedNumbers, SpeedTableIsNeverIndexedByNaN) {
    EXPECT_EQ(delayForSpeed(kNaN), 0.04);
    EXPECT_EQ(delayForSpeed(-kInf), 0.04);
    EXPECT_EQ(delayForSpeed(kInf), 0.0);
}

TEST(PixelConversion, TruncatesInRangeAndClampsBeyond) {
    const struct {
        double x, scale, ox;
        int pixel;
    } rows[] = {
        {10.7, 1, 100, 110},          {-10.7, 1, 100, 89},      {-100.5, 1, 0, -100},
        {1e9, 1, 0, 1 << 27},         {-1e9, 1, 0, -(1 << 27)}, {1e300, 1e300 / 1e300, 0, 1 << 27},
        {kNaN, 1, 0, 0},              {1, kInf, 0, 1 << 27},    {(1 << 27) - 0.5, 1, 0, (1 << 27) - 1},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(pixelX(r.x, r.scale, r.ox), r.pixel) << r.x;
        EXPECT_EQ(pixelY(-r.x, r.scale, r.ox), r.pixel) << r.x;
    }
    EXPECT_EQ(clampedPixel(-0.9), 0);
}

TEST(PixelConversion, HeadingsOfAnySizeConvertWithoutOverflow) {
    EXPECT_DOUBLE_EQ(compassFromScreen(270), 0);
    EXPECT_DOUBLE_EQ(compassFromScreen(0), 90);
    EXPECT_DOUBLE_EQ(compassFromScreen(1e20), compassFromScreen(turnScreenHeading(1e20, 0)));
    EXPECT_EQ(compassFromScreen(kNaN), 0);
    EXPECT_EQ(compassFromScreen(kInf), 0);
}

TEST(LineClipping, LinesInsideTheAreaKeepTheirEnds) {
    const struct {
        double x0, y0, x1, y1;
    } rows[] = {{0, 0, 100, 100}, {-kArea, -kArea, kArea, kArea}, {10.9, -3.7, -20000.2, 262000.9}, {5, 5, 5, 5}};
    for (const auto& r : rows) {
        const DeviceLine d = clipLine(r.x0, r.y0, r.x1, r.y1);
        EXPECT_TRUE(d.visible);
        EXPECT_FALSE(d.cut);
        EXPECT_EQ(d.x0, static_cast<int>(r.x0));
        EXPECT_EQ(d.y0, static_cast<int>(r.y0));
        EXPECT_EQ(d.x1, static_cast<int>(r.x1));
        EXPECT_EQ(d.y1, static_cast<int>(r.y1));
    }
}

TEST(LineClipping, LinesLeavingTheAreaAreCutOnTheirOwnLine) {
    const struct {
        double x0, y0, x1, y1;
    } rows[] = {
        {400, 300, 1e9, 1e9},     {400, 300, -1e7, 2e5},     {1e12, 5, -1e12, 7},   {-1e9, -1e9, 1e9, 1e9},
        {300, 1e300, 300, -1e300}, {0, 0, kArea + 1, 1},          {-500000, 10, 500000, 20}, {1e6, -1e6, -1e6, 1e6 + 3},
    };
    for (const auto& r : rows) {
        const DeviceLine d = clipLine(r.x0, r.y0, r.x1, r.y1);
        ASSERT_TRUE(d.visible) << r.x0 << "," << r.y0 << " " << r.x1 << "," << r.y1;
        EXPECT_TRUE(d.cut);
        for (int v : {d.x0, d.y0, d.x1, d.y1}) EXPECT_LE(std::abs(v), kArea);
        // Both ends lie on the original line (within the truncation) and keep its direction.
        EXPECT_TRUE(onSegment(d.x0, d.y0, r.x0, r.y0, r.x1, r.y1, 1.5));
        EXPECT_TRUE(onSegment(d.x1, d.y1, r.x0, r.y0, r.x1, r.y1, 1.5));
        EXPECT_GE((d.x1 - d.x0) * (r.x1 - r.x0) + (d.y1 - d.y0) * (r.y1 - r.y0), 0);
    }
    // The part of a line inside the area is kept whole: its inner end does not move.
    const DeviceLine fromInside = clipLine(400, 300, 1e9, 1e9);
    EXPECT_EQ(fromInside.x0, 400);
    EXPECT_EQ(fromInside.y0, 300);
}

TEST(LineClipping, LinesMissingTheAreaAreNotDrawn) {
    const struct {
        double x0, y0, x1, y1;
    } rows[] = {{1e9, 1e9, 1e9 + 5, 1e9}, {3e5, -1e9, 3e5, 1e9}, {-1e6, 1e6, 1e6, 3e6}, {-1e300, 0, -1e299, 1}};
    for (const auto& r : rows) EXPECT_FALSE(clipLine(r.x0, r.y0, r.x1, r.y1).visible) << r.x0 << "," << r.y0;
}

TEST(ShapeClipping, EllipsesOutsideOrAroundTheAreaNeedNoDrawing) {
    const int big = 1 << 27;
    const struct {
        PixelBox box;
        int pen;
        bool filled;
        ShapeView view;
    } rows[] = {
        {{100, 100, 50, 50}, 2, false, ShapeView::Draw},                        // ordinary
        {{big - 20, big - 20, 40, 40}, 2, false, ShapeView::Nothing},           // far away
        {{big - 20, big - 20, 40, 40}, 2, true, ShapeView::Nothing},
        {{-big, -big, 2 * big, 2 * big}, 2, false, ShapeView::Nothing},         // canvas inside
        {{-big, -big, 2 * big, 2 * big}, 2, true, ShapeView::FillArea},
        {{-big, 0, 2 * big, 2 * big}, 2, false, ShapeView::Draw},               // outline crosses
        {{262500, 0, 40, 40}, 999, false, ShapeView::Draw},                      // wide pen reaches in
        {{263000, 0, 40, 40}, 2, false, ShapeView::Nothing},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ellipseView(r.box, r.pen, r.filled), r.view) << r.box.left << "," << r.box.top << " " << r.box.width;
}

TEST(ShapeClipping, RectanglesAreCutBeyondTheAreaOnly) {
    const int big = 1 << 27;
    const int edge = static_cast<int>(kArea) + 2 + 2;  // area, pen width 2, margin
    const struct {
        PixelBox in;
        bool drawn;
        PixelBox out;
    } rows[] = {
        {{10, 20, 30, 40}, true, {10, 20, 30, 40}},
        {{-big, -big, 2 * big, 2 * big}, true, {-edge, -edge, 2 * edge, 2 * edge}},
        {{100, 100, big, 50}, true, {100, 100, edge - 100, 50}},
        {{100, 100, -big, 50}, true, {100, 100, -edge - 100, 50}},
        {{big - 10, 0, 5, 5}, false, {0, 0, 0, 0}},
    };
    for (const auto& r : rows) {
        PixelBox b = r.in;
        EXPECT_EQ(clipRectangle(&b, 2), r.drawn) << r.in.left << " " << r.in.width;
        if (!r.drawn) continue;
        EXPECT_EQ(b.left, r.out.left);
        EXPECT_EQ(b.top, r.out.top);
        EXPECT_EQ(b.width, r.out.width);
        EXPECT_EQ(b.height, r.out.height);
    }
}

// Found by the fuzz target: cut ends computed from ends of very different size, an end
// whose cut parameter rounds to 1, text turned by the most negative orientation, a picture
// size whose product with the resolution passed 64 bits, a head turned by NaN.
TEST(FuzzFindings, ExtremeInputsStayInRange) {
    const DeviceLine a = clipLine(-4.073101466812048e+63, 1.49e-154, 3.5295363016266584e+30, 2.47e-307);
    for (int v : {a.x0, a.y0, a.x1, a.y1}) EXPECT_LE(std::abs(v), kArea);
    const DeviceLine b = clipLine(3.47e-310, -7.051906695438965e+30, 1.245e-321, 7.98014423533992e+66);
    for (int v : {b.x0, b.y0, b.x1, b.y1}) EXPECT_LE(std::abs(v), kArea);
    EXPECT_EQ(b.x0, 0);
    const PixelPoint t = centredTextStart(0, 0, 10, 10, INT_MIN);
    EXPECT_LE(std::abs(static_cast<long long>(t.x)), 20);
    EXPECT_EQ(naturalPixels(253327481241600L, 196608), 2000000000);
    const HeadCorners h = headCorners(0, 0, kNaN, headShape(kBuiltInHeadWidth, kBuiltInHeadHeight));
    EXPECT_EQ(h.topLeft.x, 0);
    EXPECT_EQ(h.bottomLeft.y, 0);
}

TEST(TextPlacement, ExtremeValuesAreComputedWideAndLimited) {
    const struct {
        int px, py, w, h;
        int x, y;
    } rows[] = {
        {100, 50, 40, 20, 80, 40},
        {INT_MIN, INT_MAX, INT_MAX, INT_MAX, -2000000000, INT_MAX - INT_MAX / 2},
        {INT_MAX, INT_MIN, INT_MIN, INT_MIN, 2000000000, INT_MIN - INT_MIN / 2},
    };
    for (const auto& r : rows) {
        const PixelPoint p = centredTextStart(r.px, r.py, r.w, r.h, 0);
        EXPECT_EQ(p.x, r.x) << r.px;
        EXPECT_EQ(p.y, r.y) << r.py;
    }
    EXPECT_EQ(nominalTextWidth(16, 11), 160);
    EXPECT_EQ(nominalTextWidth(INT_MAX, 1000), INT_MAX);
    EXPECT_EQ(nominalTextWidth(INT_MIN, 1000), INT_MIN);
    EXPECT_EQ(naturalPixels(2646, 96), 100);
    EXPECT_EQ(naturalPixels(-2646, 96), -100);
    EXPECT_EQ(naturalPixels(LONG_MAX, 96), 2000000000);
    EXPECT_EQ(naturalPixels(LONG_MIN, 96), -2000000000);
}
