// The output pane's room for new text: when the oldest lines go, and where a text longer
// than the pane is cut (never inside a GBK character).
#include <gtest/gtest.h>

#include <string>

#include "core/output_text.h"

using namespace qiv;

namespace {
const std::string kGong = "\xB9\xA6";  // a Chinese character
}  // namespace

TEST(OutputPane, RoomIsMadeOnlyWhenTheLimitWouldBePassed) {
    const struct {
        long length, adding, limit, drop;
    } rows[] = {
        {0, 10, 100, 0},    {90, 10, 100, 0},  {91, 10, 100, 51},  {100, 1, 100, 51},
        {30, 45, 100, 0},   {50, 60, 100, 50}, {80, 50, 100, 80},  {-5, 10, 100, 0},
        {1L << 40, 5, 100, (1L << 40) - 45},
    };
    for (const auto& r : rows)
        EXPECT_EQ(paneFrontToDrop(r.length, r.adding, r.limit), r.drop) << r.length << "+" << r.adding;
}

TEST(OutputPane, TheTailOfAHugeTextStartsOnACharacter) {
    const std::string text = "x" + kGong + kGong + kGong;  // 7 bytes
    EXPECT_EQ(gbkTailStart(text, 10), 0u);
    EXPECT_EQ(gbkTailStart(text, 6), 1u);
    EXPECT_EQ(gbkTailStart(text, 5), 3u);  // byte 2 is a trail byte: the cut moves on
    EXPECT_EQ(gbkTailStart(text, 0), 7u);
}
