// The pure arithmetic of the tool headers: where a turned picture's corners go, the parts of
// a framed label, pixel lengths, colour numbers and list entry texts.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/colour_numbers.h"
#include "core/pen_text_layout.h"
#include "qivplus_maths.h"

using namespace qivtool;

namespace {

double dist(PixelPoint a, PixelPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(TurnedCorners, UprightAtAngleZeroAndTurnedByQuarters) {
    // Centre (300, 200), a wide 200 x 100 picture. At 90 the top edge runs down the right
    // side, at 180 the picture stands on its head, at -90 the top edge is on the left.
    const struct {
        double angle;
        PixelPoint ul, ur, ll;
    } cases[] = {
        {0, {200, 150}, {400, 150}, {200, 250}},   {90, {350, 100}, {350, 300}, {250, 100}},
        {180, {400, 250}, {200, 250}, {400, 150}}, {-90, {250, 300}, {250, 100}, {350, 300}},
        {360, {200, 150}, {400, 150}, {200, 250}}, {450, {350, 100}, {350, 300}, {250, 100}},
    };
    for (const auto& c : cases) {
        TurnedCorners t;
        ASSERT_TRUE(turnedCorners(300, 200, 200, 100, c.angle, &t));
        // Truncation toward zero may take a pixel off either way.
        EXPECT_LE(dist(t.upperLeft, c.ul), 1.5) << c.angle << ": " << t.upperLeft.x << "," << t.upperLeft.y;
        EXPECT_LE(dist(t.upperRight, c.ur), 1.5) << c.angle << ": " << t.upperRight.x << "," << t.upperRight.y;
        EXPECT_LE(dist(t.lowerLeft, c.ll), 1.5) << c.angle << ": " << t.lowerLeft.x << "," << t.lowerLeft.y;
    }
}

TEST(TurnedCorners, AlwaysTheWholePictureCentredAndSquare) {
    const int sizes[][2] = {{1, 1}, {221, 146}, {215, 164}, {12, 42}, {3, 500}};
    for (const auto& s : sizes) {
        for (int a = -720; a <= 720; a += 13) {
            TurnedCorners t;
            ASSERT_TRUE(turnedCorners(-40, 75, s[0], s[1], a, &t));
            // Each corner is truncated on its own: up to a pixel off in x and in y.
            ASSERT_NEAR(dist(t.upperLeft, t.upperRight), s[0], 2.9) << s[0] << "x" << s[1] << " at " << a;
            ASSERT_NEAR(dist(t.upperLeft, t.lowerLeft), s[1], 2.9) << s[0] << "x" << s[1] << " at " << a;
            // The other diagonal's middle is the centre.
            ASSERT_NEAR((t.upperRight.x + t.lowerLeft.x) / 2.0, -40, 1.0) << a;
            ASSERT_NEAR((t.upperRight.y + t.lowerLeft.y) / 2.0, 75, 1.0) << a;
            // The top edge is turned clockwise on the screen (y down) by the angle.
            const double d = std::acos(-1.0) / 180;
            const double ex = t.upperRight.x - t.upperLeft.x, ey = t.upperRight.y - t.upperLeft.y;
            if (s[0] > 20) {
                ASSERT_NEAR(ex / std::hypot(ex, ey), std::cos(a * d), 0.1) << a;
                ASSERT_NEAR(ey / std::hypot(ex, ey), std::sin(a * d), 0.1) << a;
            }
        }
    }
}

TEST(TurnedCorners, NothingToDrawBelowOnePixelOrWithoutAnAngle) {
    const struct {
        int w, h;
        double angle;
    } cases[] = {{0, 10, 0}, {10, 0, 0}, {0, 0, 45}, {-5, 10, 0}, {10, -1, 90}, {10, 10, NAN}, {10, 10, INFINITY}};
    for (const auto& c : cases) {
        TurnedCorners t = {{7, 7}, {7, 7}, {7, 7}};
        EXPECT_FALSE(turnedCorners(50, 50, c.w, c.h, c.angle, &t)) << c.w << "x" << c.h << " at " << c.angle;
        EXPECT_EQ(t.upperLeft.x, 7);
    }
    // Far outside any canvas the corners stay within the int range.
    TurnedCorners t;
    ASSERT_TRUE(turnedCorners(INT_MAX - 5, INT_MIN + 5, 1000, 1000, 30, &t));
    EXPECT_GT(t.upperRight.x, 0);
    EXPECT_LT(t.lowerLeft.y, 0);
}

TEST(TurnedPixels, EachCanvasPixelTakesThePicturePixelUnderIt) {
    // A 40 x 20 picture centred on (100, 100): upright, then turned by 90 (its left side on
    // top, its top row down the right side) and by 180.
    const struct {
        double angle;
        int x, y;    // canvas pixel
        int sx, sy;  // picture pixel expected there, -1: none
    } cases[] = {
        {0, 80, 90, 0, 0},     {0, 119, 109, 39, 19}, {0, 100, 100, 20, 10}, {0, 120, 100, -1, -1},
        {0, 100, 89, -1, -1},  {90, 109, 80, 0, 0},   {90, 109, 119, 39, 0}, {90, 90, 80, 0, 19},
        {90, 95, 85, 5, 14},   {90, 80, 100, -1, -1}, {90, 111, 100, -1, -1}, {180, 80, 90, 39, 19},
        {180, 119, 109, 0, 0},
    };
    for (const auto& c : cases) {
        TurnedCorners t;
        ASSERT_TRUE(turnedCorners(100, 100, 40, 20, c.angle, &t));
        int sx = -1, sy = -1;
        const bool inside = sourcePixel(t, 40, 20, c.x, c.y, &sx, &sy);
        EXPECT_EQ(inside, c.sx >= 0) << c.angle << " at " << c.x << "," << c.y;
        if (inside && c.sx >= 0) {
            EXPECT_NEAR(sx, c.sx, 1) << c.angle << " at " << c.x << "," << c.y;
            EXPECT_NEAR(sy, c.sy, 1) << c.angle << " at " << c.x << "," << c.y;
        }
    }
    // The covered box holds every pixel that takes a picture pixel, and is cut to the canvas.
    for (int a = 0; a < 360; a += 17) {
        TurnedCorners t;
        ASSERT_TRUE(turnedCorners(300, 400, 60, 25, a, &t));
        const PixelRect box = coveredBox(t, 1000, 1000);
        const PixelRect cut = coveredBox(t, 315, 420);
        EXPECT_TRUE(cut.left == box.left && cut.top == box.top && cut.right <= 315 && cut.bottom <= 420) << a;
        int outside = 0, sx, sy;
        for (int y = 340; y < 460; ++y)
            for (int x = 240; x < 360; ++x)
                if (sourcePixel(t, 60, 25, x, y, &sx, &sy) && (x < box.left || x >= box.right || y < box.top || y >= box.bottom))
                    ++outside;
        EXPECT_EQ(outside, 0) << a;
    }
}

TEST(BoxText, FrameOneUnitWideAndTextFiveInTenDown) {
    const double boxes[][4] = {{0, 130, 45, 35}, {-100, 20, 200, 80}, {3.5, -7.25, 12, 11}};
    for (const auto& b : boxes) {
        const BoxTextPlan p = boxTextPlan(b[0], b[1], b[2], b[3], 1);
        EXPECT_DOUBLE_EQ(p.outer.x, b[0]);
        EXPECT_DOUBLE_EQ(p.outer.w, b[2]);
        // One unit of frame on every side (y grows upward, the box hangs down from y).
        EXPECT_DOUBLE_EQ(p.inner.x - p.outer.x, 1);
        EXPECT_DOUBLE_EQ((p.outer.x + p.outer.w) - (p.inner.x + p.inner.w), 1);
        EXPECT_DOUBLE_EQ(p.outer.y - p.inner.y, 1);
        EXPECT_DOUBLE_EQ((p.inner.y - p.inner.h) - (p.outer.y - p.outer.h), 1);
        // The text: 5 in from the left, 10 down, 5 before the right, down to the bottom edge.
        EXPECT_DOUBLE_EQ(p.text.x, b[0] + 5);
        EXPECT_DOUBLE_EQ(p.text.y, b[1] - 10);
        EXPECT_DOUBLE_EQ(p.text.x + p.text.w, b[0] + b[2] - 5);
        EXPECT_DOUBLE_EQ(p.text.y - p.text.h, b[1] - b[3]);
    }
}

TEST(Pixels, LengthsAndTextRectanglesTruncateTowardZero) {
    const struct {
        double len, scale;
        int px;
    } lengths[] = {{100, 1, 100}, {10, 2, 20}, {2.99, 1, 2}, {-2.99, 1, -2}, {45, 0.5, 22},
                   {NAN, 1, 0},   {1e300, 1, 1 << 30}, {-1e300, 1, -(1 << 30)}};
    for (const auto& l : lengths) EXPECT_EQ(pixelLength(l.len, l.scale), l.px) << l.len << " x " << l.scale;

    const struct {
        int left, top;
        double w, h, scale;
        PixelRect r;
    } rects[] = {{10, 20, 10.6, 5.3, 2, {10, 20, 31, 30}},
                 {-10, -20, 3.7, 2.2, 1, {-10, -20, -6, -17}},
                 {400, 120, 35, 25, 1, {400, 120, 435, 145}}};
    for (const auto& c : rects) {
        const PixelRect r = textRect(c.left, c.top, c.w, c.h, c.scale);
        EXPECT_EQ(r.right, c.r.right) << c.left;
        EXPECT_EQ(r.bottom, c.r.bottom) << c.top;
    }
}

TEST(Colours, SameRuleAsThePen) {
    const int numbers[] = {0, 1, 7, 15, 16, -1, -7, -15, -16, 0xFFD0D0, -0xFFD0D0, 0x1FFFFFF, INT_MAX, INT_MIN};
    for (int n : numbers) {
        const Rgb mine = colourOfNumber(n);
        const qiv::Rgb pens = qiv::colourFromNumber(n);
        EXPECT_EQ(mine.r, pens.r) << n;
        EXPECT_EQ(mine.g, pens.g) << n;
        EXPECT_EQ(mine.b, pens.b) << n;
    }
}

// _textOut of the tool header drops control bytes as the pen's text does.
TEST(Texts, ToolTextOutDrawsWhatThePenWouldDraw) {
    const std::string inputs[] = {"i=3\n", "a\tb\r", std::string("x\0\x7fy", 4), "\xce\xe5\x81\x5c\n", ""};
    for (const std::string& s : inputs) EXPECT_EQ(qiv::drawableText(s), drawableText(s));
    EXPECT_EQ("i=3", drawableText("i=3\n"));
}

TEST(EntryTexts, DigitsAndTheFiveCharacterBuffers) {
    const struct {
        int i;
        const char* text;
        const wchar_t* entry;  // written into a buffer of five wide characters
    } cases[] = {{0, "0", L"0"},          {7, "7", L"7"},       {10, "10", L"10"},      {19, "19", L"19"},
                 {120, "120", L"120"},    {9999, "9999", L"9999"}, {12345, "12345", L"1234"},
                 {-5, "-5", L"-5"},       {INT_MAX, "2147483647", L"2147"},
                 {INT_MIN, "-2147483648", L"-214"}};
    for (const auto& c : cases) {
        EXPECT_EQ(decimalText(c.i), c.text);
        wchar_t buffer[6] = {L'x', L'x', L'x', L'x', L'x', L'#'};
        decimalInto(c.i, buffer, 5);
        EXPECT_EQ(std::wstring(buffer), c.entry) << c.i;
        EXPECT_EQ(buffer[5], L'#') << c.i << ": written past the buffer";
    }
    wchar_t one[1] = {L'x'};
    decimalInto(42, one, 1);
    EXPECT_EQ(one[0], 0);
    decimalInto(42, nullptr, 5);  // no buffer: nothing happens
}

}  // namespace
