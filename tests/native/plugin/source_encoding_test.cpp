// What a build does with the document's encoding: UTF-8 (or UTF-16) documents holding
// non-ASCII text are converted to the ANSI code page, unless a character does not fit it.
// The code page here is GBK, asked of the system's converter.
#include "source_encoding.h"

#include "host_messages.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

bool fitsGbk(char32_t c) {
    iconv_t to = iconv_open("GBK", "UTF-32LE");
    if (to == reinterpret_cast<iconv_t>(-1)) return false;
    char in[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                  static_cast<char>((c >> 16) & 0xFF), static_cast<char>((c >> 24) & 0xFF)};
    char out[8];
    char *inPointer = in;
    char *outPointer = out;
    size_t inLeft = sizeof in;
    size_t outLeft = sizeof out;
    const bool ok = iconv(to, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<size_t>(-1);
    iconv_close(to);
    return ok && inLeft == 0;
}

struct Case {
    const char *what;
    int encoding;
    int heldCodePage;  // the editor's checked character-set item, 0 for none
    std::string text;  // UTF-8
    EncodingDecision::Action action;
    int line;
    std::u32string character;
};

const std::string hello = "cout << \"\xE4\xBD\xA0\xE5\xA5\xBD\xEF\xBC\x8C\xE4\xB8\x96\xE7\x95\x8C\xEF\xBC\x81\";\n";  // 你好，世界！
const std::string smile = "\xF0\x9F\x98\x80";   // U+1F600
const std::string hangul = "\xED\x95\x9C";       // U+D55C

const Case cases[] = {
    {"ANSI document: built as it is", bufferAnsi, 0, hello, EncodingDecision::BuildAsItIs, 0, U""},
    {"seven-bit document", bufferSevenBit, 0, "int x;\n", EncodingDecision::BuildAsItIs, 0, U""},
    {"unknown encoding", -1, 0, hello + smile, EncodingDecision::BuildAsItIs, 0, U""},
    {"UTF-8, ASCII only", bufferUtf8, 0, "int main()\n{\n}\n", EncodingDecision::BuildAsItIs, 0, U""},
    {"UTF-8 with BOM, ASCII only", bufferUtf8Bom, 0, "int x;\n", EncodingDecision::BuildAsItIs, 0, U""},
    {"UTF-8 Chinese text", bufferUtf8, 0, "int main()\n{\n    " + hello + "}\n", EncodingDecision::ConvertToAnsi, 0, U""},
    {"UTF-8 with BOM, Chinese text", bufferUtf8Bom, 0, hello, EncodingDecision::ConvertToAnsi, 0, U""},
    {"UTF-16, ASCII only: the compiler cannot read UTF-16", bufferUtf16LittleEndian, 0, "int x;\n",
     EncodingDecision::ConvertToAnsi, 0, U""},
    {"UTF-16 big endian without BOM", bufferUtf16BigEndianNoBom, 0, hello, EncodingDecision::ConvertToAnsi, 0, U""},
    {"a character GBK lacks, line 3", bufferUtf8, 0, "int main()\n{\n    // " + smile + "\n" + hello,
     EncodingDecision::Refuse, 3, U"\U0001F600"},
    {"the first such character decides", bufferUtf8, 0, hello + hangul + smile, EncodingDecision::Refuse, 2, U"\uD55C"},
    {"CR LF and a lone CR end lines", bufferUtf8, 0, "a\r\nb\rc" + hangul, EncodingDecision::Refuse, 3, U"\uD55C"},
    {"UTF-16 with a character GBK lacks", bufferUtf16LittleEndian, 0, smile, EncodingDecision::Refuse, 1, U"\U0001F600"},
    {"bytes that are not UTF-8", bufferUtf8, 0, "int x;\n\xC4\xE3", EncodingDecision::Refuse, 2, U"\uFFFD"},
    // A GBK file as the editor opens it: held in UTF-8, written back in GBK, built as it is
    // (converting it is not possible and not needed), even where GBK lacks a character.
    {"GBK file held as UTF-8", bufferUtf8, 936, hello, EncodingDecision::BuildAsItIs, 0, U""},
    {"Big5 guess of a GBK file", bufferUtf8, 950, hello + hangul, EncodingDecision::BuildAsItIs, 0, U""},
};

TEST(SourceEncoding, Decisions) {
    for (const Case &c : cases) {
        const EncodingDecision d = decideSourceEncoding(c.encoding, c.heldCodePage, c.text, fitsGbk);
        EXPECT_EQ(c.action, d.action) << c.what;
        if (c.action == EncodingDecision::Refuse) {
            EXPECT_EQ(c.line, d.line) << c.what;
            EXPECT_EQ(c.character, d.character) << c.what;
        }
    }
}

TEST(SourceEncoding, OnlyUnicodeBuffersAreConverted) {
    for (int e = -1; e <= 8; ++e) {
        const bool unicode = e == bufferUtf8 || e == bufferUtf8Bom || e == bufferUtf16BigEndian ||
                             e == bufferUtf16LittleEndian || e == bufferUtf16BigEndianNoBom ||
                             e == bufferUtf16LittleEndianNoBom;
        EXPECT_EQ(unicode, isUnicodeBuffer(e)) << e;
    }
}

TEST(SourceEncoding, CharacterSetMenuItems) {
    // The editor's items GB2312 and Big5, the first and last item, and the gaps.
    EXPECT_EQ(936, encodingMenuCodePage(IDM_FORMAT_GB2312 - IDM_FORMAT_ENCODE));
    EXPECT_EQ(950, encodingMenuCodePage(IDM_FORMAT_BIG5 - IDM_FORMAT_ENCODE));
    EXPECT_EQ(1250, encodingMenuCodePage(0));
    EXPECT_EQ(20866, encodingMenuCodePage(IDM_FORMAT_ENCODE_COUNT - 1));
    EXPECT_EQ(0, encodingMenuCodePage(18));
    EXPECT_EQ(0, encodingMenuCodePage(IDM_FORMAT_ENCODE_COUNT));
    EXPECT_EQ(0, encodingMenuCodePage(-1));
    EXPECT_TRUE(isDoubleByteCodePage(936));
    EXPECT_FALSE(isDoubleByteCodePage(1252));
}

}  // namespace
