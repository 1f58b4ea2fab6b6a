// Placement of text centred on the pen (flat and turned) and of pictures at the pen.
#include <gtest/gtest.h>

#include <cmath>

#include "core/pen_text_layout.h"

using namespace qiv;

namespace {

TEST(CentredText, FlatTextIsCentredOnTheNominalBoxWithoutItsLineFeed) {
    // "abc\n": three counted characters of 10 x 20.
    EXPECT_EQ(30, nominalTextWidth(10, 4));
    PixelPoint p = centredTextStart(400, 300, nominalTextWidth(10, 4), 20, 0);
    EXPECT_EQ(385, p.x);
    EXPECT_EQ(290, p.y);
    // A GBK character counts as two bytes: "你好\n" is five bytes, four nominal widths.
    EXPECT_EQ(36, nominalTextWidth(9, 5));
    // Only the line feed, or no bytes at all: a box of no width.
    EXPECT_EQ(0, nominalTextWidth(10, 1));
    EXPECT_EQ(0, nominalTextWidth(10, 0));
    // Odd sizes lose the half pixel toward the pen.
    p = centredTextStart(400, 300, 31, 21, 0);
    EXPECT_EQ(385, p.x);
    EXPECT_EQ(290, p.y);
    // Angles within a hundredth of a degree count as flat.
    EXPECT_EQ(385, centredTextStart(400, 300, 30, 20, 0).x);
}

// Whatever the angle, the middle of the turned W x H box starting at the returned corner
// lies on the pen (to the pixel truncation). On the screen (y down) a text turned by a
// degrees clockwise runs along (cos a, sin a) with its lines going down along (-sin a, cos a).
TEST(CentredText, TurnedTextHasTheMiddleOfItsTurnedBoxOnThePen) {
    const double kDegree = std::acos(-1.0) / 180;
    for (int degrees = -180; degrees <= 360; degrees += 15) {
        if (degrees % 360 == 0) continue;
        const PixelPoint p = centredTextStart(400, 300, 30, 20, -10 * degrees);
        const double a = degrees * kDegree;
        const double midX = p.x + 15 * std::cos(a) - 10 * std::sin(a);
        const double midY = p.y + 15 * std::sin(a) + 10 * std::cos(a);
        EXPECT_NEAR(400, midX, 1.0) << degrees << " degrees";
        EXPECT_NEAR(300, midY, 1.0) << degrees << " degrees";
    }
    // A quarter turn clockwise: the text runs down the screen, starting right of the pen.
    const PixelPoint q = centredTextStart(400, 300, 30, 20, -900);
    EXPECT_NEAR(410, q.x, 1);
    EXPECT_NEAR(285, q.y, 1);
}

// Only printable bytes reach the text calls: the pen's trailing line feed and every other
// control byte go, a tab becomes a blank, GBK characters (bytes 0x81-0xFE, trail bytes from
// 0x40, among them 0x5C and 0x7E..) pass whole.
TEST(DrawableText, ControlBytesNeverReachTheDevice) {
    const struct {
        std::string in, out;
    } rows[] = {
        {"abc\n", "abc"},
        {"\xce\xe5\xbd\xc7\xd0\xc7\n", "\xce\xe5\xbd\xc7\xd0\xc7"},  // 五角星 and the pen's line feed
        {"a\tb", "a b"},
        {"\r\n\x01\x1b\x7f", ""},
        {std::string("x\0y", 3), "xy"},
        {"\x81\x5c\x81\x7e\xfe\xfe", "\x81\x5c\x81\x7e\xfe\xfe"},  // trail bytes 0x5C, 0x7E
        {"", ""},
        {" ~", " ~"},
    };
    for (const auto& r : rows) EXPECT_EQ(r.out, drawableText(r.in)) << "input of " << r.in.size() << " bytes";
}

TEST(PictureBox, NaturalSizeFromHimetricAtTheDeviceResolution) {
    EXPECT_EQ(100, naturalPixels(2646, 96));  // 100 pixels of a 96-dpi picture
    EXPECT_EQ(50, naturalPixels(1323, 96));
    EXPECT_EQ(0, naturalPixels(0, 96));
    EXPECT_EQ(150, naturalPixels(2646, 144));
    EXPECT_GT(naturalPixels(2000000000L, 96), 0);  // no overflow on absurd sizes
}

TEST(PictureBox, CentredOrCornerAtThePenAndScaled) {
    PictureBox b = pictureBox(400, 300, -1, -1, 100, 50, 1, true);
    EXPECT_EQ(350, b.left);
    EXPECT_EQ(275, b.top);
    EXPECT_EQ(100, b.width);
    EXPECT_EQ(50, b.height);

    b = pictureBox(400, 300, -1, -1, 100, 50, 2, true);  // twice as large, still centred
    EXPECT_EQ(300, b.left);
    EXPECT_EQ(250, b.top);
    EXPECT_EQ(200, b.width);
    EXPECT_EQ(100, b.height);

    // One -1 is enough for the natural size: the 40 is discarded.
    b = pictureBox(400, 300, 40, -1, 100, 50, 1, false);
    EXPECT_EQ(400, b.left);
    EXPECT_EQ(300, b.top);
    EXPECT_EQ(100, b.width);
    EXPECT_EQ(50, b.height);

    b = pictureBox(400, 300, 30, 20, 100, 50, 1.5, true);  // a given size, scaled
    EXPECT_EQ(45, b.width);
    EXPECT_EQ(30, b.height);
    EXPECT_EQ(377, b.left);  // trunc(400 - 22.5)
    EXPECT_EQ(285, b.top);
}

}  // namespace
