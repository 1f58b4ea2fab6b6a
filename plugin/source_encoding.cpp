#include "source_encoding.h"

#include <algorithm>

namespace {

constexpr char32_t notACharacter = 0xFFFD;

bool isUtf16(int encoding) {
    return encoding == bufferUtf16BigEndian || encoding == bufferUtf16LittleEndian ||
           encoding == bufferUtf16BigEndianNoBom || encoding == bufferUtf16LittleEndianNoBom;
}

bool isUtf8(int encoding) { return encoding == bufferUtf8 || encoding == bufferUtf8Bom; }

// The character at `at` (advanced past it); an invalid sequence gives U+FFFD for one byte.
char32_t nextCharacter(std::string_view text, std::size_t &at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    int length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return notACharacter;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return notACharacter;
        }
        c = (c << 6) | (next & 0x3F);
    }
    static const char32_t smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    at += length;
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return notACharacter;
    return c;
}

}  // namespace

int encodingMenuCodePage(int index) {
    // In the editor's menu order; 0 marks the places of items it does not offer.
    static const int codePages[] = {
        1250,  1251,  1252,  1253,  1254,  1255, 1256, 1257, 1258,              // Windows
        28591, 28592, 28593, 28594, 28595, 28596, 28597, 28598, 28599, 0, 0,  // ISO 8859-1..11
        28603, 28604, 28605, 0,                                                // ISO 8859-13..16
        437,   720,   737,   775,   850,   852,  855,  857,  858,  860,  861,  // DOS
        862,   863,   865,   866,   869,
        950,   936,   932,   949,   51949,                                     // East Asian
        874,   10007, 21866, 20866};
    const int count = static_cast<int>(sizeof codePages / sizeof codePages[0]);
    return index >= 0 && index < count ? codePages[index] : 0;
}

bool isDoubleByteCodePage(int codePage) {
    return codePage == 936 || codePage == 950 || codePage == 932 || codePage == 949 || codePage == 51949;
}

bool isUnicodeBuffer(int bufferEncoding) { return isUtf8(bufferEncoding) || isUtf16(bufferEncoding); }

std::wstring bufferEncodingName(int bufferEncoding) {
    if (isUtf8(bufferEncoding)) return L"UTF-8";
    if (isUtf16(bufferEncoding)) return L"UTF-16";
    return L"ANSI";
}

EncodingDecision decideSourceEncoding(int bufferEncoding, int heldCodePage, std::string_view utf8Text,
                                      const std::function<bool(char32_t)> &fitsAnsi) {
    EncodingDecision decision;
    if (heldCodePage != 0 || !isUnicodeBuffer(bufferEncoding)) return decision;
    const bool onlyAscii = std::none_of(utf8Text.begin(), utf8Text.end(),
                                        [](char b) { return static_cast<unsigned char>(b) >= 0x80; });
    if (onlyAscii && !isUtf16(bufferEncoding)) return decision;

    int line = 1;
    std::size_t at = 0;
    while (at < utf8Text.size()) {
        const char32_t c = nextCharacter(utf8Text, at);
        // LF, CR LF and a lone CR each end a line, as in the editor.
        if (c == U'\n' || (c == U'\r' && (at >= utf8Text.size() || utf8Text[at] != '\n'))) ++line;
        if (c < 0x80) continue;
        if (c == notACharacter || !fitsAnsi(c)) {
            decision.action = EncodingDecision::Refuse;
            decision.line = line;
            decision.character = std::u32string(1, c);
            return decision;
        }
    }
    decision.action = EncodingDecision::ConvertToAnsi;
    return decision;
}
