// The coordinate axes and the grid: which modes draw what, the logical range of a grid, the
// values of its lines and where the axes end on the canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "core/axes_grid.h"
#include "core/pen_geometry.h"

using namespace qiv;

namespace {

std::vector<int> from(int first, int last, int step) {
    std::vector<int> v;
    for (int i = first; i <= last; i += step) v.push_back(i);
    return v;
}

const CanvasFrame kCentred = {800, 600, 400, 300, 1};

}  // namespace

TEST(AxesMode, SpacingAndLabelsByMode) {
    const int spacing[5] = {0, 50, 100, 50, 100};
    const int labels[5] = {0, 1, 1, 0, 0};
    for (int mode = 0; mode < 5; ++mode) {
        const AxesMode m = axesMode(mode);
        EXPECT_TRUE(m.draws) << mode;
        EXPECT_EQ(m.spacing, spacing[mode]) << mode;
        EXPECT_EQ(m.labels, labels[mode]) << mode;
    }
    for (int mode : {5, -1, 100, INT_MIN, INT_MAX}) EXPECT_FALSE(axesMode(mode).draws) << mode;
    // Spacings up to 13, reachable only through _showXY, draw the plain axes.
    EXPECT_FALSE(isGridSpacing(13));
    EXPECT_FALSE(isGridSpacing(1));
    EXPECT_TRUE(isGridSpacing(14));
}

TEST(GridPlan, CentredCanvasEvery100Units) {
    const GridPlan plan = gridPlan(kCentred, axesMode(2).spacing);
    EXPECT_EQ(plan.range.top, 290);
    EXPECT_EQ(plan.range.bottom, 290);
    EXPECT_EQ(plan.range.left, 390);
    EXPECT_EQ(plan.range.right, 390);
    EXPECT_EQ(plan.rows, from(-200, 200, 100));
    EXPECT_EQ(plan.columns, from(-300, 300, 100));
}

TEST(GridPlan, OriginNearTheTopLeftCorner) {
    const GridPlan plan = gridPlan(CanvasFrame{800, 600, 100, 100, 1}, axesMode(3).spacing);
    EXPECT_EQ(plan.range.top, 90);
    EXPECT_EQ(plan.range.bottom, 490);
    EXPECT_EQ(plan.range.left, 90);
    EXPECT_EQ(plan.range.right, 690);
    EXPECT_EQ(plan.rows, from(-450, 50, 50));
    EXPECT_EQ(plan.columns, from(-50, 650, 50));
}

// The ranges truncate toward zero, and so does the division that finds the first line.
TEST(GridPlan, RangesTruncateTowardZero) {
    const GridPlan plan = gridPlan(CanvasFrame{801, 603, 400.5, 280.3, 0.7}, 50);
    EXPECT_EQ(plan.range.top, 386);     // 270.3 / 0.7 = 386.1
    EXPECT_EQ(plan.range.bottom, 446);  // 312.7 / 0.7 = 446.7
    EXPECT_EQ(plan.range.left, 557);    // 390.5 / 0.7 = 557.9
    EXPECT_EQ(plan.range.right, 557);
    EXPECT_EQ(plan.rows, from(-400, 350, 50));
    EXPECT_EQ(plan.columns, from(-550, 550, 50));
}

// At scale 2, lines every 50 units lie 100 pixels apart on the canvas.
TEST(GridPlan, ScaleTwoSpacesLinesInPixels) {
    const CanvasFrame frame = {800, 600, 400, 300, 2};
    const GridPlan plan = gridPlan(frame, axesMode(1).spacing);
    EXPECT_EQ(plan.range.top, 145);
    EXPECT_EQ(plan.range.left, 195);
    EXPECT_EQ(plan.rows, from(-100, 100, 50));
    EXPECT_EQ(plan.columns, from(-150, 150, 50));
    for (size_t i = 1; i < plan.columns.size(); ++i)
        EXPECT_EQ(pixelX(plan.columns[i], 2, 400) - pixelX(plan.columns[i - 1], 2, 400), 100);
    for (size_t i = 1; i < plan.rows.size(); ++i)
        EXPECT_EQ(pixelY(plan.rows[i - 1], 2, 300) - pixelY(plan.rows[i], 2, 300), 100);
}

// Lines that would fall less than a pixel apart are thinned to multiples of the spacing at
// least a pixel apart, so a tiny scale neither overflows nor draws millions of lines.
TEST(GridPlan, TinyScalesKeepLinesAPixelApart) {
    for (double scale : {0.01, 1e-4, 1e-9, 1e-200, 5e-324}) {
        const GridPlan plan = gridPlan(CanvasFrame{800, 600, 400, 300, scale}, 50);
        ASSERT_FALSE(plan.rows.empty()) << scale;
        EXPECT_LE(plan.rows.size(), 600u) << scale;
        EXPECT_LE(plan.columns.size(), 800u) << scale;
        for (size_t i = 1; i < plan.rows.size(); ++i) {
            EXPECT_EQ(plan.rows[i] % 50, 0);
            EXPECT_GE((plan.rows[i] - plan.rows[i - 1]) * scale, 1.0 - 1e-9) << scale;
        }
        EXPECT_NE(std::find(plan.rows.begin(), plan.rows.end(), 0), plan.rows.end()) << scale;
        EXPECT_LE(plan.rows.back(), plan.range.top);
        EXPECT_GE(plan.rows.front(), -plan.range.bottom);
    }
    // At 0.01 lines every 50 units are half a pixel apart: every second one is kept.
    const GridPlan plan = gridPlan(CanvasFrame{800, 600, 400, 300, 0.01}, 50);
    EXPECT_EQ(plan.range.top, 29000);
    EXPECT_EQ(plan.rows, from(-29000, 29000, 100));
}

TEST(GridPlan, NothingOnAnUnusableScale) {
    for (double scale : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(drawableScale(scale)) << scale;
        const GridPlan plan = gridPlan(CanvasFrame{800, 600, 400, 300, scale}, 50);
        EXPECT_TRUE(plan.rows.empty() && plan.columns.empty()) << scale;
    }
    EXPECT_TRUE(drawableScale(1e-300));
}

TEST(AxesSegments, CentredCanvasEndsTenPixelsInside) {
    const AxesSegments a = axesSegments(kCentred);
    // x axis on row 300 from pixel 10 to 790, y axis on column 400 from pixel 10 to 590.
    EXPECT_EQ(pixelX(a.xAxis.x1, 1, 400), 10);
    EXPECT_EQ(pixelX(a.xAxis.x2, 1, 400), 790);
    EXPECT_EQ(pixelY(a.xAxis.y1, 1, 300), 300);
    EXPECT_EQ(pixelY(a.xAxis.y2, 1, 300), 300);
    EXPECT_EQ(pixelX(a.yAxis.x1, 1, 400), 400);
    EXPECT_EQ(pixelX(a.yAxis.x2, 1, 400), 400);
    EXPECT_EQ(pixelY(a.yAxis.y1, 1, 300), 10);
    EXPECT_EQ(pixelY(a.yAxis.y2, 1, 300), 590);
}

TEST(AxesSegments, OffCentreOriginAndScale) {
    const AxesSegments a = axesSegments(CanvasFrame{800, 600, 100, 450, 4});
    EXPECT_DOUBLE_EQ(a.xAxis.x1, -22.5);
    EXPECT_DOUBLE_EQ(a.xAxis.x2, 172.5);
    EXPECT_DOUBLE_EQ(a.yAxis.y1, 110);
    EXPECT_DOUBLE_EQ(a.yAxis.y2, -35);
    EXPECT_EQ(pixelX(a.xAxis.x2, 4, 100), 790);
    EXPECT_EQ(pixelY(a.yAxis.y2, 4, 450), 590);
}
