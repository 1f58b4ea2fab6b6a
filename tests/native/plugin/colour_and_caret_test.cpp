// Colour numbers inserted by the colour command, and the caret-move message plan.
#include "caret_plan.h"
#include "colour_number.h"
#include "host_messages.h"

#include <gtest/gtest.h>

namespace {

constexpr ColourRef rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

TEST(ColourNumber, ChosenColoursGiveTheDocumentedNumbers) {
    const struct { ColourRef colour; const char *text; } cases[] = {
        {rgb(255, 0, 0), "1"},          // pure red: palette entry 1
        {rgb(255, 255, 255), "15"},     // white
        {rgb(0, 255, 9), "3"},          // the plug-in's own green
        {rgb(1, 2, 3), "197121"},       // not in the palette: the packed value
        {rgb(0, 255, 0), "65280"},      // the runtime's pure green is not entry 3 here
        {rgb(0, 0, 0), "0"},
        {rgb(0, 0, 205), "7"},
        {rgb(255, 127, 36), "14"},
        {rgb(255, 255, 254), "16711679"},  // next to white, not white
    };
    for (const auto &c : cases) {
        EXPECT_EQ(std::string(c.text), colourNumberText(c.colour)) << std::hex << c.colour;
    }
}

TEST(ColourNumber, PaletteIndexMapsBackToItsEntry) {
    for (int i = 0; i < colourPaletteSize; ++i) EXPECT_EQ(i, colourNumber(colourPalette[i]));
    EXPECT_EQ(rgb(0, 255, 9), colourPalette[3]);
}

TEST(ColourNumber, NextDialogStartsFromTheInsertedNumber) {
    EXPECT_EQ(15u, nextStartColour(rgb(255, 255, 255)));
    EXPECT_EQ(0u, nextStartColour(rgb(0, 0, 0)));
    EXPECT_EQ(rgb(1, 2, 3), nextStartColour(rgb(1, 2, 3)));
}

TEST(CaretPlan, LineMinusOneSendsNothing) {
    CaretPlan plan = gotoLineColumnPlan(-1, 7);
    EXPECT_FALSE(plan.needsView);
    EXPECT_TRUE(plan.messages.empty());
}

TEST(CaretPlan, GoesToTheZeroBasedLineThenMovesRight) {
    CaretPlan plan = gotoLineColumnPlan(5, 5);
    EXPECT_TRUE(plan.needsView);
    ASSERT_EQ(3u, plan.messages.size());
    EXPECT_EQ(SCI_ENSUREVISIBLE, plan.messages[0].message);
    EXPECT_EQ(4, plan.messages[0].wParam);
    EXPECT_EQ(SCI_GOTOLINE, plan.messages[1].message);
    EXPECT_EQ(4, plan.messages[1].wParam);
    EXPECT_EQ(1, plan.messages[1].repeat);
    EXPECT_EQ(SCI_CHARRIGHT, plan.messages[2].message);
    EXPECT_EQ(4, plan.messages[2].repeat);
}

TEST(CaretPlan, ColumnOneOrLessDoesNotMoveRight) {
    for (int column : {1, 0, -3}) {
        CaretPlan plan = gotoLineColumnPlan(9, column);
        ASSERT_EQ(2u, plan.messages.size()) << column;
        EXPECT_EQ(SCI_GOTOLINE, plan.messages.back().message);
        EXPECT_EQ(8, plan.messages.back().wParam);
    }
}

TEST(CaretPlan, HugeColumnIsBounded) {
    CaretPlan plan = gotoLineColumnPlan(1, 2000000000);
    ASSERT_EQ(3u, plan.messages.size());
    EXPECT_EQ(maxCaretColumnMoves, plan.messages[2].repeat);
}

}  // namespace
