// The console's pure parts: text for the output pane, the number format of a run start, the
// line buffer behind cin and the history cursor of the input boxes.
#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>

#include "core/input_line.h"
#include "core/output_text.h"

using namespace qiv;

TEST(PaneText, LineFeedsBecomeCrLfAndExistingCrStays) {
    EXPECT_EQ(paneText(""), "");
    EXPECT_EQ(paneText("ab"), "ab");
    EXPECT_EQ(paneText("\n"), "\r\n");
    EXPECT_EQ(paneText("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(paneText("\n\n"), "\r\n\r\n");
    EXPECT_EQ(paneText("x\r\ny"), "x\r\r\ny");
    // GBK double-byte text passes unchanged, also a trail byte next to a line feed.
    EXPECT_EQ(paneText("\xc4\xe3\xba\xc3\n"), "\xc4\xe3\xba\xc3\r\n");
}

// One insertion into cout: an empty text and cleared flags, then the value under the
// stream's persistent format state.
template <class T>
std::string insert(std::stringstream& s, const T& value) {
    s.str("");
    s.clear();
    s << value;
    return s.str();
}

TEST(RunNumberFormat, TwoDecimalsForFloatingPointOnlyAndWidthForOneValue) {
    std::stringstream out;
    startRunNumberFormat(out);
    EXPECT_EQ(insert(out, 1.0 / 3), "0.33");
    EXPECT_EQ(insert(out, 2.5), "2.50");
    EXPECT_EQ(insert(out, 2.0), "2.00");
    EXPECT_EQ(insert(out, 10), "10");
    EXPECT_EQ(insert(out, 'A'), "A");
    EXPECT_EQ(insert(out, std::setw(5)), "") << "a manipulator adds no text";
    EXPECT_EQ(insert(out, 7), "    7");
    EXPECT_EQ(insert(out, 7), "7");
}

TEST(RunNumberFormat, ProgramPrecisionHoldsUntilTheNextRunStart) {
    std::stringstream out;
    startRunNumberFormat(out);
    insert(out, std::setprecision(4));
    EXPECT_EQ(insert(out, 3.14159), "3.1416");
    EXPECT_EQ(insert(out, 0.5), "0.5000");
    insert(out, std::scientific);
    EXPECT_EQ(insert(out, 1500.0), "1.5000e+03");
    startRunNumberFormat(out);
    EXPECT_EQ(insert(out, 3.14159), "3.14");
    EXPECT_EQ(insert(out, 1500.0), "1500.00");
}

TEST(LineBuffer, OneLineSatisfiesSeveralExtractions) {
    std::stringstream in;
    acceptLine(in, "12 34");
    int a = 0, b = 0, c = 0;
    in >> a;
    EXPECT_FALSE(needsNextLine(in));
    in >> b;
    EXPECT_FALSE(needsNextLine(in)) << "the blank after the line keeps the last value clear of end of data";
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 34);
    in >> c;
    EXPECT_TRUE(needsNextLine(in));
    EXPECT_FALSE(failedWithDataLeft(in)) << "a used-up line waits without a beep";
}

TEST(LineBuffer, TextThatDoesNotFitBeepsAndTheNextLineStartsClean) {
    std::stringstream in;
    acceptLine(in, "3.5x");
    double a = 0, b = 0;
    in >> a;
    EXPECT_DOUBLE_EQ(a, 3.5);
    EXPECT_FALSE(needsNextLine(in));
    in >> b;
    EXPECT_TRUE(needsNextLine(in));
    EXPECT_TRUE(failedWithDataLeft(in));
    // The rest of the failing line is gone once the next line is accepted.
    acceptLine(in, "7");
    in >> b;
    EXPECT_FALSE(needsNextLine(in));
    EXPECT_DOUBLE_EQ(b, 7);
}

TEST(LineBuffer, EmptyOrBlankLinesWaitAgainWithoutBeep) {
    for (const char* line : {"", "   ", "\r\n"}) {
        std::stringstream in;
        acceptLine(in, line);
        int v = 0;
        in >> v;
        EXPECT_TRUE(needsNextLine(in)) << "[" << line << "]";
        EXPECT_FALSE(failedWithDataLeft(in)) << "[" << line << "]";
    }
}

TEST(LineBuffer, WholeLineEndsWithOneBlank) {
    std::stringstream in;
    acceptLine(in, "abc");
    EXPECT_EQ(in.str(), "abc ");
    acceptLine(in, "");
    EXPECT_EQ(in.str(), " ") << "an empty line still counts as a line";
    acceptLine(in, "a b");
    std::string word;
    in >> word;
    EXPECT_EQ(word, "a");
    acceptLine(in, "x");
    EXPECT_EQ(in.str(), "x ") << "accepting replaces what was left";
}

// Applies a sequence of keys ('U' up, 'D' down) and returns what each showed ("-" nothing).
static std::string press(const char* keys, int count, int* index) {
    std::string shown;
    for (const char* k = keys; *k; ++k) {
        const HistoryStep step = *k == 'U' ? historyUp(*index, count) : historyDown(*index, count);
        *index = step.index;
        shown += step.show ? std::to_string(step.index) : std::string("-");
    }
    return shown;
}

TEST(History, UpStopsAtTheFirstAndDownAtTheLastEntry) {
    int index = 2;  // after the lines "1" and "2" were accepted
    EXPECT_EQ(press("UUU", 2, &index), "100");
    EXPECT_EQ(press("DD", 2, &index), "11");
    EXPECT_EQ(press("U", 2, &index), "0");
}

TEST(History, EmptyHistoryAndACursorPastTheEndShowNothing) {
    int index = 0;
    EXPECT_EQ(press("UDUD", 0, &index), "----");
    index = 3;
    EXPECT_EQ(press("D", 3, &index), "-");
    EXPECT_EQ(press("UD", 3, &index), "22") << "the last entry stays on Down";
    index = 1;
    EXPECT_EQ(press("DUDD", 1, &index), "-000") << "a one-entry history";
}
