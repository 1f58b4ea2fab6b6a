// Layout of the BMP file that Save Picture writes, and where it is written.
#include <gtest/gtest.h>

#include "core/bmp_layout.h"

using namespace qiv;

namespace {

uint32_t le32(const uint8_t* at) { return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24; }
uint32_t le16(const uint8_t* at) { return at[0] | at[1] << 8; }

BmpLayout layoutOf(int w, int h, int d) {
    BmpLayout l{};
    EXPECT_TRUE(bmpLayout(w, h, d, &l)) << w << "x" << h << " at " << d;
    return l;
}

}  // namespace

TEST(BmpLayout, DepthFollowsTheDisplay) {
    EXPECT_EQ(bmpDepthForDisplay(1, 1), 1);
    EXPECT_EQ(bmpDepthForDisplay(0, 1), 1);
    EXPECT_EQ(bmpDepthForDisplay(2, 1), 4);
    EXPECT_EQ(bmpDepthForDisplay(1, 4), 4);  // four planes of one bit
    EXPECT_EQ(bmpDepthForDisplay(4, 1), 4);
    EXPECT_EQ(bmpDepthForDisplay(8, 1), 8);
    EXPECT_EQ(bmpDepthForDisplay(4, 2), 8);
    EXPECT_EQ(bmpDepthForDisplay(15, 1), 24);
    EXPECT_EQ(bmpDepthForDisplay(16, 1), 24);
    EXPECT_EQ(bmpDepthForDisplay(24, 1), 24);
    EXPECT_EQ(bmpDepthForDisplay(32, 1), 24);
}

TEST(BmpLayout, TenByTenAtDepth24) {
    const BmpLayout l = layoutOf(10, 10, 24);
    EXPECT_EQ(l.rowSize, 32u);  // 30 bytes of pixels, 2 of padding
    EXPECT_EQ(l.imageSize, 320u);
    EXPECT_EQ(l.colourTableSize, 0u);
    EXPECT_EQ(l.pixelOffset, 54u);
    EXPECT_EQ(l.fileSize, 374u);

    const auto file = bmpFileHeader(l);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le32(&file[2]), 374u);
    EXPECT_EQ(le32(&file[6]), 0u);  // both reserved words
    EXPECT_EQ(le32(&file[10]), 54u);

    const auto info = bmpInfoHeader(l);
    EXPECT_EQ(le32(&info[0]), 40u);
    EXPECT_EQ(le32(&info[4]), 10u);
    EXPECT_EQ(le32(&info[8]), 10u);
    EXPECT_EQ(le16(&info[12]), 1u);
    EXPECT_EQ(le16(&info[14]), 24u);
    for (int at = 16; at < 40; at += 4) EXPECT_EQ(le32(&info[at]), 0u) << "info header offset " << at;
}

TEST(BmpLayout, RowsArePaddedToFourBytes) {
    EXPECT_EQ(layoutOf(1, 5, 24).rowSize, 4u);  // 3 bytes of pixel, 1 of padding
    EXPECT_EQ(layoutOf(1, 5, 24).imageSize, 20u);
    EXPECT_EQ(layoutOf(4, 1, 24).rowSize, 12u);  // no padding needed
    EXPECT_EQ(layoutOf(5, 1, 24).rowSize, 16u);
    EXPECT_EQ(layoutOf(1, 1, 1).rowSize, 4u);
    EXPECT_EQ(layoutOf(32, 1, 1).rowSize, 4u);
    EXPECT_EQ(layoutOf(33, 1, 1).rowSize, 8u);
    EXPECT_EQ(layoutOf(8, 1, 4).rowSize, 4u);
    EXPECT_EQ(layoutOf(9, 1, 4).rowSize, 8u);
    EXPECT_EQ(layoutOf(5, 1, 8).rowSize, 8u);
}

TEST(BmpLayout, SmallDepthsCarryAColourTable) {
    struct Case {
        int depth;
        uint32_t table;
    } cases[] = {{1, 8}, {4, 64}, {8, 1024}};
    for (const Case& c : cases) {
        const BmpLayout l = layoutOf(10, 3, c.depth);
        EXPECT_EQ(l.colourTableSize, c.table) << "depth " << c.depth;
        EXPECT_EQ(l.pixelOffset, 54 + c.table) << "depth " << c.depth;
        EXPECT_EQ(l.fileSize, 54 + c.table + l.rowSize * 3) << "depth " << c.depth;
        const auto file = bmpFileHeader(l);
        EXPECT_EQ(le32(&file[2]), l.fileSize);
        EXPECT_EQ(le32(&file[10]), l.pixelOffset);
        EXPECT_EQ(le16(&bmpInfoHeader(l)[14]), static_cast<uint32_t>(c.depth));
    }
}

TEST(BmpLayout, ImpossiblePicturesAreRefused) {
    BmpLayout l{};
    l.width = 77;
    EXPECT_FALSE(bmpLayout(0, 10, 24, &l));
    EXPECT_FALSE(bmpLayout(10, 0, 24, &l));
    EXPECT_FALSE(bmpLayout(-1, 10, 24, &l));
    EXPECT_FALSE(bmpLayout(10, 10, 16, &l));
    EXPECT_FALSE(bmpLayout(10, 10, 32, &l));
    EXPECT_FALSE(bmpLayout(40000, 40000, 24, &l));  // 4.8 GB: the size fields would wrap
    EXPECT_EQ(l.width, 77);
    EXPECT_TRUE(bmpLayout(4000, 4000, 24, &l));
    EXPECT_EQ(l.fileSize, 48000054u);
}

TEST(BmpLayout, PictureSitsNextToTheProgram) {
    EXPECT_EQ(pictureFileName("C:\\work\\demo.exe"), "C:\\work\\demo.bmp");
    EXPECT_EQ(pictureFileName("C:\\work\\my.demo.exe"), "C:\\work\\my.demo.bmp");
    EXPECT_EQ(pictureFileName("C:\\v1.2\\demo"), "C:\\v1.2\\demo.bmp");
    EXPECT_EQ(pictureFileName("demo.exe"), "demo.bmp");
}
