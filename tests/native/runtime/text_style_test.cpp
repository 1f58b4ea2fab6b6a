// Rules of the canvas text style: colour numbers, the background rule, sizes and angles, and
// the face and character-set tables.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/text_style_rules.h"

using namespace qiv;

TEST(TextColour, PaletteAbsoluteValueAndPackedColours) {
    EXPECT_EQ(textColourValue(4), 0xFFFF00u) << "cyan";
    EXPECT_EQ(textColourValue(-4), textColourValue(4));
    EXPECT_EQ(textColourValue(7), 0xCD0000u) << "the pen's start colour (0, 0, 205)";
    EXPECT_EQ(textColourValue(15), 0xFFFFFFu);
    EXPECT_EQ(textColourValue(16), 0x000010u) << "above 15 the number is the colour value";
    EXPECT_EQ(textColourValue(255), 0x0000FFu) << "pure red";
    EXPECT_EQ(textColourValue(65280), 0x00FF00u);
    EXPECT_EQ(textColourValue(0x7F123456), 0x123456u) << "the top byte is dropped";
    EXPECT_EQ(textColourValue(-255), 0x0000FFu);
    EXPECT_EQ(textColourValue(INT_MIN), 0u);
}

TEST(TextBackground, MinusOneIsTransparentEverythingElseOpaque) {
    EXPECT_TRUE(textBackground(-1).transparent);
    for (int c : {0, 1, -2, 15, 255, 0xFFFFFF}) {
        const TextBackground b = textBackground(c);
        EXPECT_FALSE(b.transparent) << c;
        EXPECT_EQ(b.colour, textColourValue(c)) << c;
    }
    EXPECT_EQ(textBackground(-2).colour, 0xFF0000u) << "-2 is palette blue";
}

TEST(TextSizeAndAngle, TruncatedTowardZeroAndSaturated) {
    EXPECT_EQ(fontPixels(9.6, 1), 9);
    EXPECT_EQ(fontPixels(20, 2), 40);
    EXPECT_EQ(fontPixels(18, 1.2), 21);
    EXPECT_EQ(fontPixels(-10.7, 1), -10);
    EXPECT_EQ(fontPixels(1e300, 10), INT_MAX);
    EXPECT_EQ(fontPixels(std::nan(""), 1), 0);
    EXPECT_EQ(escapementOf(90), -900) << "clockwise on the screen";
    EXPECT_EQ(escapementOf(-30), 300);
    EXPECT_EQ(escapementOf(0.25), -2);
    EXPECT_EQ(escapementOf(-1e20), INT_MAX);
}

TEST(FaceTables, IndicesAndTheirFallback) {
    EXPECT_STREQ(faceByIndex(0), "\xcb\xce\xcc\xe5");
    EXPECT_STREQ(faceByIndex(3), "\xba\xda\xcc\xe5");
    EXPECT_STREQ(faceByIndex(9), "\xd3\xd7\xd4\xb2");
    EXPECT_STREQ(faceByIndex(10), "Georgia");
    EXPECT_STREQ(faceByIndex(14), "Tahoma");
    EXPECT_STREQ(faceByIndex(20), faceByIndex(0));
    EXPECT_STREQ(faceByIndex(15), faceByIndex(0));
    EXPECT_STREQ(faceByIndex(-1), faceByIndex(0));
    const int sets[] = {1, 134, 0, 136, 77, 255, 2};
    for (int i = 0; i < kCharSetCount; ++i) EXPECT_EQ(charSetByIndex(i), sets[i]) << i;
    EXPECT_EQ(charSetByIndex(9), 1) << "the default set";
    EXPECT_EQ(charSetByIndex(7), 1);
    EXPECT_EQ(charSetByIndex(-1), 1);
}
