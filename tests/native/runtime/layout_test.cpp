// Layout of the main window and the program's title and folder.
#include <gtest/gtest.h>

#include "core/window_layout.h"

using namespace qiv;

TEST(Layout, SharesSplitTheClientHeightLessTheStrip) {
    EXPECT_EQ(outputHeightForShares(602, 10, 1), 54);
    EXPECT_EQ(outputHeightForShares(602, 1, 1), 300);
    EXPECT_EQ(outputHeightForShares(602, 0, -5), 300);   // both clamped to 1
    EXPECT_EQ(outputHeightForShares(602, 30, 1), 28);    // 20 : 1
    EXPECT_EQ(outputHeightForShares(602, 1, 100), 571);  // 1 : 20
}

TEST(Layout, DragFollowsThePointerButKeepsSixtyPixels) {
    EXPECT_EQ(draggedOutputHeight(100, 600, 100), 500);  // strip moved up to y 100
    EXPECT_EQ(draggedOutputHeight(100, 600, 539), 61);
    EXPECT_EQ(draggedOutputHeight(100, 600, 541), 60);
    EXPECT_EQ(draggedOutputHeight(100, 600, 590), 60);
    const RowRange rows = dragConfinement(600);
    EXPECT_EQ(rows.top, 4);
    EXPECT_EQ(rows.bottom, 540);
}

TEST(Layout, ChildrenSitAroundTheFourPixelStrip) {
    ChildPlacement p = placeChildren(800, 602, 54);
    EXPECT_TRUE(p.placeCanvas);
    EXPECT_EQ(p.canvasWidth, 800);
    EXPECT_EQ(p.canvasHeight, 546);
    EXPECT_TRUE(p.placeOutput);
    EXPECT_EQ(p.outputTop, 550);
    EXPECT_EQ(p.outputWidth, 800);
    EXPECT_EQ(p.outputHeight, 54);
    EXPECT_FALSE(placeChildren(800, 602, 600).placeCanvas);
    EXPECT_TRUE(placeChildren(800, 602, 599).placeCanvas);
    EXPECT_FALSE(placeChildren(800, 602, 2).placeOutput);
    EXPECT_TRUE(placeChildren(800, 602, 3).placeOutput);
}

TEST(Layout, TitleIsTheFileNameWithoutExtension) {
    EXPECT_EQ(programTitle("C:\\work\\house.exe"), "house");
    EXPECT_EQ(programTitle("house.exe"), "house");  // no folder
    EXPECT_EQ(programTitle("C:\\my.dir\\house"), "house");  // no dot in the name itself
    EXPECT_EQ(programTitle("C:\\w\\.hidden"), ".hidden");
    EXPECT_EQ(programTitle("C:\\w\\.a.exe"), ".a");
    EXPECT_EQ(programTitle("C:\\w\\v1.2.test.exe"), "v1.2.test");
    const std::string longName(120, 'n');
    EXPECT_EQ(programTitle("C:\\w\\" + longName + ".exe"), std::string(100, 'n'));
    // Cut to 100 first: the dot of ".exe" then sits at 98 and still cuts.
    EXPECT_EQ(programTitle("C:\\w\\" + std::string(98, 'n') + ".exe"), std::string(98, 'n'));
}

TEST(Layout, FolderIsThePathBeforeTheLastBackslash) {
    EXPECT_EQ(programFolder("C:\\work\\a\\house.exe"), "C:\\work\\a");
    EXPECT_EQ(programFolder("C:\\house.exe"), "C:");
    EXPECT_EQ(programFolder("house.exe"), "");
}
