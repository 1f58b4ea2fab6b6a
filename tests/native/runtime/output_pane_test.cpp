// The output pane's room for new text: when the oldest lines go, and where a text longer
// than the pane is cut (never inside a GBK character); the model pane that batches of
// insertions go through.
#include <gtest/gtest.h>

#include <string>

#include "core/output_text.h"
#include "core/pane_model.h"

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

TEST(OutputPane, CutsFallAfterALineFeed) {
    const std::string text = "ab\r\ncd\r\nef";
    const struct {
        std::size_t count, cut;
    } rows[] = {{0, 4}, {2, 4}, {3, 4}, {4, 8}, {7, 8}, {8, 10}, {9, 10}, {10, 10}, {99, 10}};
    for (const auto& r : rows) EXPECT_EQ(lineCutAfter(text, r.count), r.cut) << r.count;
}

// Insertions of random lines and pieces of lines into a small pane: the pane keeps within its
// limit, always ends with what was printed last, holds a tail of everything printed that
// starts at a line's start (or is that insertion alone), and drops nothing while everything
// fits.
TEST(OutputPane, AModelPaneKeepsTheNewestWholeLines) {
    const long limit = 300;
    unsigned seed = 12345;
    auto next = [&seed](unsigned n) { seed = seed * 1103515245u + 12345u; return (seed >> 16) % n; };
    for (int round = 0; round < 200; ++round) {
        PaneModel pane(limit);
        std::string printed;  // everything, as the pane would hold it without a limit
        bool droppedYet = false;
        for (int i = 0; i < 60; ++i) {
            std::string insertion(next(40), static_cast<char>('a' + next(26)));
            if (next(3) == 0) insertion += "\r\n";
            if (next(10) == 0) insertion = kGong + insertion;
            const bool dropped = pane.append(insertion);
            printed += insertion;
            droppedYet = droppedYet || dropped;
            const std::string& text = pane.text();
            ASSERT_LE(text.size(), static_cast<std::size_t>(limit)) << round << "/" << i;
            ASSERT_EQ(0, text.compare(text.size() - insertion.size(), insertion.size(), insertion)) << round << "/" << i;
            ASSERT_EQ(0, printed.compare(printed.size() - text.size(), text.size(), text)) << round << "/" << i;
            const std::size_t start = printed.size() - text.size();
            // Cut at a line's start, or the newest insertion alone when every old line went.
            if (dropped) ASSERT_TRUE(printed[start - 1] == '\n' || text == insertion) << round << "/" << i;
            ASSERT_EQ(droppedYet, start > 0) << round << "/" << i;
        }
    }
}

TEST(OutputPane, AnInsertionLongerThanThePaneKeepsItsEnd) {
    PaneModel pane(100);
    pane.append("first\r\n");
    EXPECT_FALSE(pane.append(std::string(150, 'x') + "end"));  // its last 50 bytes fit
    EXPECT_EQ("first\r\n" + std::string(47, 'x') + "end", pane.text());
    // Over the limit, an insertion longer than half the pane keeps its last half, and the
    // old lines make room for it.
    EXPECT_TRUE(pane.append(std::string(60, 'y')));
    EXPECT_EQ(std::string(50, 'y'), pane.text());
    pane.clear();
    EXPECT_FALSE(pane.append("again"));
    EXPECT_EQ("again", pane.text());
}

TEST(OutputPane, ALineGoesOnAfterTheLineLimit) {
    PaneModel pane(1L << 20);
    // 2,000 numbers with spaces, printed one by one: lines of at most the limit, all text kept.
    std::string printed, shown;  // shown: what the pane is given to append
    for (int i = 0; i < 2000; ++i) {
        const std::string piece = std::to_string(i) + " ";
        EXPECT_FALSE(pane.append(piece, shown));
        printed += piece;
    }
    EXPECT_EQ(pane.text(), shown);
    std::string unwrapped;
    std::size_t longest = 0, start = 0;
    const std::string& text = pane.text();
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        longest = std::max(longest, end - start);
        unwrapped += text.substr(start, end - start);
    }
    unwrapped += text.substr(start);
    EXPECT_EQ(printed, unwrapped);
    EXPECT_EQ(kPaneLineLimit, longest);
    // A line break of the program's own starts the count again; a GBK character is never cut.
    PaneModel gbk(1L << 20);
    gbk.append(std::string(kPaneLineLimit - 1, 'a'));
    gbk.append(kGong + "\r\n" + std::string(10, 'b'));
    EXPECT_EQ(std::string(kPaneLineLimit - 1, 'a') + "\r\n" + kGong + "\r\n" + std::string(10, 'b'), gbk.text());
}
