// Colour numbers and the animation delay of each speed level.
#include <gtest/gtest.h>

#include <climits>

#include "core/colour_numbers.h"
#include "core/pen_speed.h"

using namespace qiv;

static void expectRgb(Rgb c, int r, int g, int b, int number) {
    EXPECT_EQ(c.r, r) << "colour number " << number;
    EXPECT_EQ(c.g, g) << "colour number " << number;
    EXPECT_EQ(c.b, b) << "colour number " << number;
}

TEST(ColourNumbers, PaletteNegativesAndPackedRgb) {
    expectRgb(colourFromNumber(7), 0, 0, 205, 7);
    expectRgb(colourFromNumber(15), 255, 255, 255, 15);
    expectRgb(colourFromNumber(-2), 0, 0, 255, -2);
    expectRgb(colourFromNumber(16), 16, 0, 0, 16);  // first packed value
    expectRgb(colourFromNumber(65280), 0, 255, 0, 65280);
    expectRgb(colourFromNumber(-65280), 0, 255, 0, -65280);
    expectRgb(colourFromNumber(0x7F123456), 0x56, 0x34, 0x12, 0x7F123456);  // top byte ignored
    expectRgb(colourFromNumber(INT_MIN), 0, 0, 0, INT_MIN);
}

TEST(ColourNumbers, PackingMasksEachComponent) {
    EXPECT_EQ(packColour(0, 0, 205), 0x00CD0000u);
    EXPECT_EQ(packColour(257, -1, 0x1FF), 0x00FFFF01u);
}

TEST(PenSpeed, WholeAndFractionalLevels) {
    EXPECT_DOUBLE_EQ(delayForSpeed(0), 0.04);
    EXPECT_DOUBLE_EQ(delayForSpeed(-3), 0.04);
    EXPECT_DOUBLE_EQ(delayForSpeed(5), 0.001);
    EXPECT_DOUBLE_EQ(delayForSpeed(9), 0.00001);
    EXPECT_DOUBLE_EQ(delayForSpeed(2.5), 0.0075);
    EXPECT_DOUBLE_EQ(delayForSpeed(10), 0);
    EXPECT_DOUBLE_EQ(delayForSpeed(100), 0);
    const double almostTen = delayForSpeed(9.9999);
    EXPECT_GE(almostTen, 0);
    EXPECT_LT(almostTen, kNoAnimation);
}

// A level a hair below a whole level (as sums of 0.1 produce) must take about that
// level's delay, not the next level's.
TEST(PenSpeed, DelayIsContinuousJustBelowWholeLevels) {
    for (int level = 1; level <= 9; ++level) {
        const double below = delayForSpeed(level - 1e-9);
        const double at = delayForSpeed(level);
        EXPECT_NEAR(below, at, at * 1e-6) << "level " << level << " - 1e-9";
    }
    double s = 0;
    for (int i = 0; i < 90; ++i) s += 0.1;  // 8.999999999999984: level 9, still animated
    EXPECT_NEAR(delayForSpeed(s), 0.00001, 1e-12);
}
