// The pen head's geometry: the turned image's corners, the 180-degree nudge and the square
// of canvas saved under it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/head_geometry.h"

using namespace qiv;

namespace {
HeadShape builtIn() { return headShape(kBuiltInHeadWidth, kBuiltInHeadHeight); }

bool samePixel(HeadPixel a, HeadPixel b) { return a.x == b.x && a.y == b.y; }
bool sameCorners(const HeadCorners& a, const HeadCorners& b) {
    return samePixel(a.topLeft, b.topLeft) && samePixel(a.topRight, b.topRight) &&
           samePixel(a.bottomLeft, b.bottomLeft);
}
double distance(HeadPixel a, HeadPixel b) { return std::hypot(a.x - b.x, a.y - b.y); }
}  // namespace

TEST(HeadGeometry, ShapeOfTheBuiltInPencilAndOfAReplacement) {
    const HeadShape s = builtIn();
    EXPECT_NEAR(s.radius, 13.4164, 1e-4);
    EXPECT_NEAR(s.cornerAngle, 1.10715, 1e-5);
    EXPECT_EQ(s.side, 28);
    EXPECT_EQ(headShape(40, 20).side, 46);  // trunc(2 * (sqrt(2000) / 2 + 1))
    EXPECT_EQ(headShape(0, 0).side, 2);     // no diagonal, no NaN
    EXPECT_EQ(headShape(0, 0).cornerAngle, 0);
}

TEST(HeadGeometry, UprightAtHeadingZeroAndTipRightAtNinety) {
    const HeadCorners up = headCorners(100, 100, 0, builtIn());
    EXPECT_TRUE(samePixel(up.topLeft, HeadPixel{94, 88})) << up.topLeft.x << "," << up.topLeft.y;
    EXPECT_TRUE(samePixel(up.topRight, HeadPixel{106, 88})) << up.topRight.x << "," << up.topRight.y;
    EXPECT_TRUE(samePixel(up.bottomLeft, HeadPixel{94, 112})) << up.bottomLeft.x << "," << up.bottomLeft.y;

    // Turned clockwise: the image's top edge (the tip) stands on the right, top-left above.
    const HeadCorners right = headCorners(100, 100, 90, builtIn());
    EXPECT_TRUE(samePixel(right.topLeft, HeadPixel{112, 94})) << right.topLeft.x << "," << right.topLeft.y;
    EXPECT_TRUE(samePixel(right.topRight, HeadPixel{112, 106})) << right.topRight.x << "," << right.topRight.y;
    EXPECT_TRUE(samePixel(right.bottomLeft, HeadPixel{88, 94})) << right.bottomLeft.x << "," << right.bottomLeft.y;

    // A 40 x 20 replacement, upright, is centred the same way.
    const HeadCorners wide = headCorners(100, 100, 0, headShape(40, 20));
    EXPECT_TRUE(samePixel(wide.topLeft, HeadPixel{80, 90})) << wide.topLeft.x << "," << wide.topLeft.y;
    EXPECT_TRUE(samePixel(wide.bottomLeft, HeadPixel{80, 110})) << wide.bottomLeft.x << "," << wide.bottomLeft.y;
}

TEST(HeadGeometry, EveryHeadingKeepsTheImageCentredAndUndistorted) {
    const HeadShape s = headShape(40, 20);
    for (double heading = -359; heading < 360; heading += 7.5) {
        const HeadCorners c = headCorners(300, 200, heading, s);
        // The diagonal from top-right to bottom-left passes through the centre.
        EXPECT_NEAR((c.topRight.x + c.bottomLeft.x) / 2.0, 300, 1.0) << heading;
        EXPECT_NEAR((c.topRight.y + c.bottomLeft.y) / 2.0, 200, 1.0) << heading;
        EXPECT_NEAR(distance(c.topLeft, c.topRight), 40, 1.5) << heading;
        EXPECT_NEAR(distance(c.topLeft, c.bottomLeft), 20, 1.5) << heading;
        // Turning clockwise on a y-down canvas: the top edge points along the heading.
        const double rad = heading * std::acos(-1.0) / 180;
        const double edgeX = c.topRight.x - c.topLeft.x, edgeY = c.topRight.y - c.topLeft.y;
        EXPECT_GT(edgeX * std::cos(rad) + edgeY * std::sin(rad), 35) << heading;
    }
}

TEST(HeadGeometry, HeadingsAtOneEightyAreNudged) {
    EXPECT_DOUBLE_EQ(drawnHeading(180), 180.6);
    EXPECT_DOUBLE_EQ(drawnHeading(-180), -179.4);
    EXPECT_DOUBLE_EQ(drawnHeading(179.995), 180.595);
    EXPECT_DOUBLE_EQ(drawnHeading(179.98), 179.98);  // 0.02 away: drawn as it is
    EXPECT_DOUBLE_EQ(drawnHeading(0), 0);
    EXPECT_DOUBLE_EQ(drawnHeading(360), 360);
    const HeadShape s = builtIn();
    EXPECT_TRUE(sameCorners(headCorners(100, 100, 180, s), headCorners(100, 100, 180.6, s)));
    EXPECT_TRUE(sameCorners(headCorners(100, 100, -180, s), headCorners(100, 100, -179.4, s)));
    // The nudge turns the pencil by a visible amount: not the corners of exact 180.
    EXPECT_EQ(headCorners(100, 100, 180, s).topLeft.x, 105);
}

TEST(HeadGeometry, SavedSquareSurroundsTheHead) {
    const HeadShape s = builtIn();
    const HeadPixel o = saveSquareOrigin(100, 100, s);
    EXPECT_TRUE(samePixel(o, HeadPixel{85, 85})) << o.x << "," << o.y;
    // The turned head's outline (its far edges exclusive, as the parallelogram's pixels
    // end before them) lies within the saved square at any heading, so erasing it leaves
    // nothing behind.
    for (double heading = 0; heading < 360; heading += 1) {
        const HeadCorners c = headCorners(100, 100, heading, s);
        const HeadPixel bottomRight{c.topRight.x + c.bottomLeft.x - c.topLeft.x,
                                    c.topRight.y + c.bottomLeft.y - c.topLeft.y};
        for (HeadPixel p : {c.topLeft, c.topRight, c.bottomLeft, bottomRight}) {
            EXPECT_GE(p.x, o.x) << heading;
            EXPECT_GE(p.y, o.y) << heading;
            EXPECT_LE(p.x, o.x + s.side) << heading;
            EXPECT_LE(p.y, o.y + s.side) << heading;
        }
    }
}

namespace {
// How often each image pixel is shown over the mapping's bounds.
std::vector<int> hits(const HeadMapping& m, int width, int height) {
    std::vector<int> count(width * height, 0);
    for (int y = m.top(); y < m.bottom(); ++y)
        for (int x = m.left(); x < m.right(); ++x) {
            int sx, sy;
            if (m.source(x, y, &sx, &sy)) ++count[sy * width + sx];
        }
    return count;
}
}  // namespace

TEST(HeadGeometry, UprightImageIsCopiedPixelForPixel) {
    const HeadMapping m(headCorners(100, 100, 0, builtIn()), 12, 24);
    ASSERT_TRUE(m.valid());
    EXPECT_EQ(m.left(), 94);
    EXPECT_EQ(m.top(), 88);
    EXPECT_EQ(m.right(), 106);
    EXPECT_EQ(m.bottom(), 112);
    int sx = -1, sy = -1;
    ASSERT_TRUE(m.source(94, 88, &sx, &sy));
    EXPECT_EQ(sx, 0);
    EXPECT_EQ(sy, 0);
    ASSERT_TRUE(m.source(105, 111, &sx, &sy));
    EXPECT_EQ(sx, 11);
    EXPECT_EQ(sy, 23);
    EXPECT_FALSE(m.source(106, 100, &sx, &sy));
    EXPECT_FALSE(m.source(100, 87, &sx, &sy));
    for (int n : hits(m, 12, 24)) EXPECT_EQ(n, 1);
}

TEST(HeadGeometry, QuarterTurnMapsEveryPixelOnceTopEdgeFacingRight) {
    const HeadMapping m(headCorners(100, 100, 90, headShape(40, 20)), 40, 20);
    ASSERT_TRUE(m.valid());
    for (int n : hits(m, 40, 20)) EXPECT_EQ(n, 1);
    // The image's quadrants: its top half lies right of the pen, its left half above.
    int sx, sy;
    ASSERT_TRUE(m.source(105, 90, &sx, &sy));
    EXPECT_TRUE(sx < 20 && sy < 10) << sx << "," << sy;
    ASSERT_TRUE(m.source(105, 110, &sx, &sy));
    EXPECT_TRUE(sx >= 20 && sy < 10) << sx << "," << sy;
    ASSERT_TRUE(m.source(95, 90, &sx, &sy));
    EXPECT_TRUE(sx < 20 && sy >= 10) << sx << "," << sy;
    EXPECT_FALSE(HeadMapping(headCorners(0, 0, 0, headShape(0, 0)), 0, 0).valid());
}

// Erasing restores only the saved square, so at every heading each canvas pixel the turned
// image paints must lie inside it, or a piece of the head would stay behind on the canvas.
TEST(HeadGeometry, EveryPaintedPixelLiesInsideTheSavedSquare) {
    const int sizes[][2] = {{12, 24}, {40, 20}, {4, 4}, {7, 31}};
    for (const auto& size : sizes) {
        const HeadShape shape = headShape(size[0], size[1]);
        for (int tenth = -3600; tenth < 3600; tenth += 7) {
            const double heading = tenth / 10.0;
            const HeadMapping m(headCorners(100, 100, heading, shape), size[0], size[1]);
            ASSERT_TRUE(m.valid());
            const HeadPixel o = saveSquareOrigin(100, 100, shape);
            for (int y = m.top(); y < m.bottom(); ++y)
                for (int x = m.left(); x < m.right(); ++x) {
                    int sx, sy;
                    if (!m.source(x, y, &sx, &sy)) continue;
                    ASSERT_TRUE(x >= o.x && y >= o.y && x < o.x + shape.side && y < o.y + shape.side)
                        << size[0] << "x" << size[1] << " heading " << heading << " pixel " << x << "," << y;
                }
        }
    }
}
