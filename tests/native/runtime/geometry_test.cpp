// Canvas coordinates, headings, scale and the resetXY/setXY viewport.
#include <gtest/gtest.h>

#include <array>

#include "core/pen_geometry.h"

using namespace qiv;

TEST(Geometry, PixelsTruncateTowardZeroAndYGrowsUp) {
    EXPECT_EQ(pixelX(-0.5, 1, 0), 0);
    EXPECT_EQ(pixelX(1.9, 1, 0), 1);
    EXPECT_EQ(pixelX(-1.9, 1, 0), -1);  // toward zero, not down
    EXPECT_EQ(pixelX(10, 2, 400), 420);
    EXPECT_EQ(pixelY(10, 1, 300), 290);  // 10 pixels above the origin
    EXPECT_EQ(pixelY(-10, 0.5, 300), 305);
}

TEST(Geometry, TurnsReduceBelowOneTurnKeepingSignAndFraction) {
    EXPECT_DOUBLE_EQ(turnScreenHeading(270, -500), -230);  // left 500 from the start
    EXPECT_DOUBLE_EQ(turnScreenHeading(270, 90), 0);
    EXPECT_DOUBLE_EQ(turnScreenHeading(270, 90.75), 0.75);
    EXPECT_DOUBLE_EQ(turnScreenHeading(0, -720.5), -0.5);
    EXPECT_DOUBLE_EQ(turnScreenHeading(0, 359.25), 359.25);
    EXPECT_DOUBLE_EQ(turnScreenHeading(0.25, 1000270), 190.25);
}

TEST(Geometry, HugeTurnsStillLandWithinOneTurn) {
    for (double d : {1e20, -1e20, 4e18}) {
        const double h = turnScreenHeading(270, d);
        EXPECT_GT(h, -360) << "turn " << d;
        EXPECT_LT(h, 360) << "turn " << d;
    }
}

TEST(Geometry, CompassBearingOfScreenHeading) {
    EXPECT_DOUBLE_EQ(compassFromScreen(270), 0);
    EXPECT_DOUBLE_EQ(compassFromScreen(0), 90);
    EXPECT_DOUBLE_EQ(compassFromScreen(90), 180);
    EXPECT_DOUBLE_EQ(compassFromScreen(180), 270);
    EXPECT_DOUBLE_EQ(compassFromScreen(-230), -140);  // bearing 220, read negative
    EXPECT_DOUBLE_EQ(compassFromScreen(270.5), 0.5);
    EXPECT_DOUBLE_EQ(compassFromScreen(-90.25), -0.25);
    EXPECT_DOUBLE_EQ(screenFromCompass(360), 270);
    EXPECT_DOUBLE_EQ(screenFromCompass(90), 0);
    EXPECT_DOUBLE_EQ(screenFromCompass(45.5), 315.5);
}

TEST(Geometry, NearPixelsIsInclusiveOfFive) {
    EXPECT_TRUE(nearPixels(100, 105));
    EXPECT_TRUE(nearPixels(100, 95));
    EXPECT_FALSE(nearPixels(100, 106));
    EXPECT_FALSE(nearPixels(94, 100));
}

TEST(Geometry, RescaleKeepsThePenPixel) {
    const Point p = keepPixelOnRescale(Point{50, 0}, 1, 2);
    EXPECT_DOUBLE_EQ(p.x, 25);
    EXPECT_EQ(pixelX(p.x, 2, 400), pixelX(50, 1, 400));
    const Point q = keepPixelOnRescale(Point{-30, 12}, 0.8, 1.2);
    EXPECT_EQ(pixelY(q.y, 1.2, 300), pixelY(12, 0.8, 300));
    EXPECT_DOUBLE_EQ(q.x, -20);
}

TEST(Geometry, ScaleMultipliesSetsOrIgnoresTinyFactors) {
    double s = 1;
    ASSERT_TRUE(rescaled(s, 0.5, true, &s));
    ASSERT_TRUE(rescaled(s, 0.5, true, &s));
    EXPECT_DOUBLE_EQ(s, 0.25);
    ASSERT_TRUE(rescaled(s, 3, false, &s));
    EXPECT_DOUBLE_EQ(s, 3);
    EXPECT_TRUE(rescaled(s, 0.0001, false, &s));
    s = 2;
    for (double tiny : {0.00009, 0.0, -1.0}) {
        EXPECT_FALSE(rescaled(s, tiny, true, &s)) << tiny;
        EXPECT_FALSE(rescaled(s, tiny, false, &s)) << tiny;
    }
    EXPECT_DOUBLE_EQ(s, 2);
}

TEST(Geometry, ResetViewportCoversTheScaledCanvasAroundTheCentre) {
    Viewport v = resetViewport(800, 600, 1);
    EXPECT_DOUBLE_EQ(v.ox, 400);
    EXPECT_DOUBLE_EQ(v.oy, 300);
    EXPECT_EQ((std::array<int, 4>{v.clip.left, v.clip.top, v.clip.right, v.clip.bottom}),
              (std::array<int, 4>{0, 0, 800, 600}));
    v = resetViewport(800, 600, 0.8);  // the central 80 %
    EXPECT_EQ((std::array<int, 4>{v.clip.left, v.clip.top, v.clip.right, v.clip.bottom}),
              (std::array<int, 4>{80, 60, 720, 540}));
    v = resetViewport(801, 601, 1);  // odd sizes: the origin rounds down
    EXPECT_DOUBLE_EQ(v.ox, 400);
    EXPECT_DOUBLE_EQ(v.oy, 300);
}

TEST(Geometry, SetViewportIsMeasuredFromTheCanvasCentre) {
    Viewport v = setViewport(800, 600, 1, 100, 0, 200, 100);
    EXPECT_EQ((std::array<int, 4>{v.clip.left, v.clip.top, v.clip.right, v.clip.bottom}),
              (std::array<int, 4>{400, 250, 600, 350}));
    EXPECT_DOUBLE_EQ(v.ox, 500);
    EXPECT_DOUBLE_EQ(v.oy, 300);
    v = setViewport(800, 600, 2, -50, 25, 100, 50);
    EXPECT_EQ((std::array<int, 4>{v.clip.left, v.clip.top, v.clip.right, v.clip.bottom}),
              (std::array<int, 4>{200, 200, 400, 300}));
    EXPECT_DOUBLE_EQ(v.ox, 300);
    EXPECT_DOUBLE_EQ(v.oy, 250);
    v = setViewport(800, 600, 1.5, 1, 1, 10, 10);  // the origin is a whole pixel
    EXPECT_DOUBLE_EQ(v.ox, 401);
    EXPECT_DOUBLE_EQ(v.oy, 298);
}
