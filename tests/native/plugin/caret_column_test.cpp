// The caret lands on the compiler's column: GCC 12 counts a tab to the next multiple of 8 and
// the bytes of a GBK file (a GBK pair that happens to be valid UTF-8 as that character),
// the caret moves by characters. The columns below are what GCC 12 reported for these
// lines (i686-w64-mingw32-g++ 12, messages such as "'x1' was not declared in this scope").
#include "caret_column.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ColumnCase {
    const char *what;
    std::string line;  // the file's bytes
    SourceEncoding encoding;
    int compilerColumn;
    int expectedMoves;  // characters in front of the named token
};

// GBK bytes of the characters used below.
const std::string ni = "\xC4\xE3";     // 你
const std::string hao = "\xBA\xC3";    // 好
const std::string shuo = "\xCB\xB5";   // 说: also valid UTF-8 (U+02F5, one column)
const std::string lu = "\xCC\x81";     // 虂: also valid UTF-8 (U+0301, a combining mark: no column)

const ColumnCase columnCases[] = {
    {"tab, then the name", "\tfoo = a;", SourceEncoding::Gbk, 9, 1},
    {"tab, then a later name", "\tfoo = a;", SourceEncoding::Gbk, 15, 7},
    {"spaces then two tabs", "  \t\tint v = x4;", SourceEncoding::Gbk, 25, 12},
    {"GBK text counts bytes", "    cout << \"" + ni + hao + "\" << x1;", SourceEncoding::Gbk, 23, 20},
    {"GBK text, longer line", "    const char*s = \"" + ni + hao + "\"; int y = x1;", SourceEncoding::Gbk, 36, 33},
    {"tab and GBK text", "\tcout << \"" + ni + hao + "\" << x1;", SourceEncoding::Gbk, 27, 17},
    {"tab, GBK, tab", "\t" + ni + "\t= x5;", SourceEncoding::Gbk, 17, 3},
    {"tab, GBK, tab, later", "\t" + ni + "\t= x5;", SourceEncoding::Gbk, 19, 5},
    {"stray lead byte", "\t" + ni + "\t= x5;", SourceEncoding::Gbk, 9, 1},
    {"stray trail byte: the caret stays before the character", "\t" + ni + "\t= x5;", SourceEncoding::Gbk, 10, 1},
    {"GBK pair that is valid UTF-8", "    const char*u = \"" + shuo + "\"; int w = x3;", SourceEncoding::Gbk, 33, 32},
    {"tab and two such pairs", "\tconst char*t=\"" + shuo + shuo + "\";\tint z = x2;", SourceEncoding::Gbk, 41, 28},
    {"GBK pair that is a combining mark", "    const char*a = \"" + lu + "\"; int v = x1;", SourceEncoding::Gbk, 32, 32},
    {"GBK bytes forming a wide UTF-8 character", "    const char*b = \"\xE4\xB8\xA3\xAC\"; int v = x2;",
     SourceEncoding::Gbk, 35, 33},
    {"UTF-8 Chinese is two columns wide", "\tconst char*s = \"\xE4\xBD\xA0\xE5\xA5\xBD\"; int v = x1;",
     SourceEncoding::Utf8, 40, 30},
    {"single-byte code page", "\tx\xE9 = y;", SourceEncoding::SingleByte, 14, 6},
    {"column 1", "\tfoo;", SourceEncoding::Gbk, 1, 0},
    {"column below 1", "foo;", SourceEncoding::Gbk, 0, 0},
    {"beyond the end of the line", "a" + ni, SourceEncoding::Gbk, 40, 2},
    {"empty line", "", SourceEncoding::Gbk, 5, 0},
};

TEST(CaretColumn, MovesToTheCompilersColumn) {
    for (const ColumnCase &c : columnCases)
        EXPECT_EQ(c.expectedMoves, caretMovesForColumn(c.line, c.encoding, c.compilerColumn)) << c.what;
}

TEST(CaretColumn, TabsAdvanceToTheNextMultipleOfEight) {
    for (int column = 0; column < 20; ++column)
        EXPECT_EQ(8 - column % 8, compilerDisplayStep("\t", column).width) << column;
}

struct LineCase {
    const char *what;
    std::string file;
    int line;
    std::string expected;
};

const LineCase lineCases[] = {
    {"LF", "a\nbb\nccc", 2, "bb"},
    {"CR LF", "a\r\nbb\r\nccc", 2, "bb"},
    {"lone CR", "a\rbb\rccc", 3, "ccc"},
    {"mixed", "a\r\n\rb\nc", 3, "b"},
    {"last line without break", "a\nlast", 2, "last"},
    {"byte order mark is not text", "\xEF\xBB\xBF\tx;\ny", 1, "\tx;"},
    {"beyond the last line", "a\nb", 3, ""},
    {"line 0", "a\nb", 0, ""},
};

TEST(CaretColumn, LineOfFile) {
    for (const LineCase &c : lineCases)
        EXPECT_EQ(c.expected, std::string(lineOfFile(c.file, c.line))) << c.what;
}

}  // namespace
