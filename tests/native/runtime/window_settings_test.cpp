// The window settings file: values without a file, reading a hand-edited or damaged file,
// the corrections against the screen, and the bytes written.
#include <gtest/gtest.h>

#include "core/window_settings.h"

using namespace qiv;

namespace {

const ScreenRect kFullHd = {0, 0, 1920, 1080};

void expectSettings(const WindowSettings& s, int top, int left, int width, int height, int out) {
    EXPECT_EQ(s.top, top);
    EXPECT_EQ(s.left, left);
    EXPECT_EQ(s.width, width);
    EXPECT_EQ(s.height, height);
    EXPECT_EQ(s.outWinSize, out);
}

// A file holding the five values with the comments a saved file has.
std::string fileWith(int top, int left, int width, int height, int out) {
    return formatSettings(WindowSettings{top, left, width, height, out});
}

}  // namespace

TEST(WindowSettings, WithoutFileTheScreenDecidesAndNothingIsCorrected) {
    expectSettings(loadSettings(false, "", kFullHd), 5, 5, 900, 700, 50);
    expectSettings(loadSettings(false, "", ScreenRect{0, 0, 800, 600}), 5, 5, 790, 590, 50);
    // A file's text is not looked at when the file could not be opened.
    expectSettings(loadSettings(false, fileWith(1, 1, 300, 300, 20), kFullHd), 5, 5, 900, 700, 50);
}

TEST(WindowSettings, SmallWindowIsEnlargedAndPulledBackOnScreen) {
    // Height 100 and width 50 become 200; the window comes onto the screen whole (left 0),
    // and a 30-pixel pane grows to the smallest usable one.
    expectSettings(loadSettings(true, fileWith(10, -100, 50, 100, 30), kFullHd), 10, 0, 200, 200, 40);
    // Exactly 199 is still too small, 200 is kept.
    expectSettings(loadSettings(true, fileWith(10, -50, 200, 199, 30), kFullHd), 10, 0, 200, 200, 40);
    expectSettings(loadSettings(true, fileWith(10, -51, 200, 200, 45), kFullHd), 10, 0, 200, 200, 45);
}

TEST(WindowSettings, TopAndLeftStayWithinTheScreen) {
    expectSettings(loadSettings(true, fileWith(-40, 5, 900, 700, 50), kFullHd), 0, 5, 900, 700, 50);
    // Far beyond the bottom right corner: the whole window comes back onto the screen.
    expectSettings(loadSettings(true, fileWith(5000, 5000, 900, 700, 50), kFullHd), 380, 1020, 900, 700, 50);
    expectSettings(loadSettings(true, fileWith(930, 1770, 900, 700, 50), kFullHd), 380, 1020, 900, 700, 50);
    expectSettings(loadSettings(true, fileWith(380, 1020, 900, 700, 50), kFullHd), 380, 1020, 900, 700, 50);
}

TEST(WindowSettings, WindowLargerThanTheScreenShrinksFirst) {
    // Shrinking comes first: 3000 x 2000 becomes 1910 x 1070, which then lies on the screen
    // from its corner.
    expectSettings(loadSettings(true, fileWith(0, -2000, 3000, 2000, 50), kFullHd), 0, 0, 1910, 1070, 50);
}

TEST(WindowSettings, OutputPaneFitsInsideTheWindow) {
    // A pane taller than the window leaves the canvas its 150 pixels; a pane too small to
    // read grows to 40.
    expectSettings(loadSettings(true, fileWith(5, 5, 900, 750, 900), kFullHd), 5, 5, 900, 750, 600);
    expectSettings(loadSettings(true, fileWith(5, 5, 900, 750, 600), kFullHd), 5, 5, 900, 750, 600);
    expectSettings(loadSettings(true, fileWith(5, 5, 900, 750, 3), kFullHd), 5, 5, 900, 750, 40);
    expectSettings(loadSettings(true, fileWith(5, 5, 900, 750, 14), kFullHd), 5, 5, 900, 750, 40);
    expectSettings(loadSettings(true, fileWith(5, 5, 900, 750, 40), kFullHd), 5, 5, 900, 750, 40);
    // The pane is measured against the corrected height (a 100-pixel window became 200).
    expectSettings(loadSettings(true, fileWith(5, 5, 900, 100, 500), kFullHd), 5, 5, 900, 200, 50);
}

TEST(WindowSettings, ABadValueBecomesZeroAndLaterOnesKeepTheCompiledInValues) {
    const WindowSettings s = parseSettings("20 //top\r\nabc //left\r\n300\r\n400\r\n100\r\n");
    expectSettings(s, 20, 0, 960, 750, 60);
    // After the corrections on a 1080-pixel screen the compiled-in 960 x 750 stays.
    expectSettings(correctSettings(s, kFullHd), 20, 0, 960, 750, 60);
    // The first value bad: everything after it compiled-in, the bad one 0.
    expectSettings(parseSettings("x\r\n1\r\n2\r\n3\r\n4\r\n"), 0, 5, 960, 750, 60);
}

TEST(WindowSettings, EmptyOrShortFileKeepsTheCompiledInValues) {
    expectSettings(parseSettings(""), 5, 5, 960, 750, 60);
    expectSettings(parseSettings("  \r\n\r\n"), 5, 5, 960, 750, 60);
    expectSettings(parseSettings("7\r\n8\r\n"), 7, 8, 960, 750, 60);
    // An empty file goes through the corrections too: 750 does not fit a 600-pixel screen.
    expectSettings(loadSettings(true, "", ScreenRect{0, 0, 800, 600}), 5, 5, 790, 590, 60);
}

TEST(WindowSettings, ReaderTakesTheLeadingNumberOfEachLine) {
    // Text after the number is skipped up to the end of its line, also digits and signs
    // ("_outWinSize=60" is a comment); either line break works; blank lines are skipped
    // while looking for a number.
    expectSettings(parseSettings("-3 //a 99\n+4x 77\n\n  500  //b\r\n600\n45 , _outWinSize=60;"), -3, 4, 500, 600,
                   45);
    // A number too large for an int fails like text: the limit is stored and reading stops.
    const WindowSettings big = parseSettings("1\r\n99999999999\r\n3\r\n");
    EXPECT_EQ(big.left, 2147483647);
    EXPECT_EQ(big.width, 960);
    // ... and the corrections bring it back without overflowing on the way.
    expectSettings(correctSettings(big, kFullHd), 1, 960, 960, 750, 60);
}

TEST(WindowSettings, FileBytesAreExact) {
    const std::string expected =
        "5 //\xB4\xB0\xBF\xDA\xC9\xCF\xD7\xF8\xB1\xEA;\r\n"
        "-7 //\xB4\xB0\xBF\xDA\xD7\xF3\xD7\xF8\xB1\xEA;\r\n"
        "900  //\xB4\xB0\xBF\xDA\xBF\xED\xB6\xC8;\r\n"
        "700  //\xB4\xB0\xBF\xDA\xB8\xDF\xB6\xC8;\r\n"
        "200 //\xCA\xE4\xB3\xF6\xB4\xB0\xBF\xDA\xB3\xF5\xCA\xBC\xB4\xF3\xD0\xA1 , _outWinSize=60;\r\n";
    EXPECT_EQ(formatSettings(WindowSettings{5, -7, 900, 700, 200}), expected);
}

// Damaged files: whatever they hold, the window comes up whole on the screen with a canvas
// and a pane that can be used.
TEST(WindowSettings, DamagedFilesGiveAVisibleUsableWindow) {
    const std::string megabyteLine = std::string(1 << 20, '9') + "\r\n";
    const struct {
        const char* what;
        std::string text;
        ScreenRect screen;
    } rows[] = {
        {"huge numbers", "2147483647\r\n2147483647\r\n2147483647\r\n2147483647\r\n2147483647\r\n", kFullHd},
        {"most negative numbers", "-2147483648\r\n-2147483648\r\n-2147483648\r\n-2147483648\r\n-2147483648\r\n",
         kFullHd},
        {"a 1 MB line", megabyteLine + megabyteLine, kFullHd},
        {"1 MB of text", std::string(1 << 20, 'x'), kFullHd},
        {"off screen", fileWith(-5000, 99999, 900, 700, 60), kFullHd},
        {"zero sizes", fileWith(10, 10, 0, 0, 0), kFullHd},
        {"negative sizes", fileWith(10, 10, -300, -300, -60), ScreenRect{0, 0, 800, 600}},
        {"pane taller than the window", fileWith(10, 10, 900, 700, 5000), ScreenRect{0, 0, 1024, 768}},
        {"small screen", fileWith(700, 1000, 900, 700, 300), ScreenRect{0, 0, 640, 480}},
    };
    for (const auto& r : rows) {
        const WindowSettings s = loadSettings(true, r.text, r.screen);
        EXPECT_GE(s.left, r.screen.left) << r.what;
        EXPECT_GE(s.top, r.screen.top) << r.what;
        EXPECT_LE(static_cast<long long>(s.left) + s.width, r.screen.right) << r.what;
        EXPECT_LE(static_cast<long long>(s.top) + s.height, r.screen.bottom) << r.what;
        EXPECT_GE(s.width, 200) << r.what;
        EXPECT_GE(s.height, 200) << r.what;
        EXPECT_GE(s.outWinSize, 40) << r.what;
        EXPECT_GE(s.height - s.outWinSize, 150) << r.what;
    }
}

// What a window closed on the screen stores comes back unchanged.
TEST(WindowSettings, ValidValuesStayAsTheyAre) {
    const WindowSettings rows[] = {
        {5, 5, 960, 750, 60}, {0, 0, 1910, 1070, 920}, {380, 1020, 900, 700, 50},
        {100, 300, 200, 200, 40}, {60, 40, 700, 500, 200}, {1, 1, 1000, 600, 450},
    };
    for (const WindowSettings& v : rows) {
        const WindowSettings s = loadSettings(true, formatSettings(v), kFullHd);
        expectSettings(s, v.top, v.left, v.width, v.height, v.outWinSize);
    }
}
