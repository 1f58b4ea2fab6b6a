#include "caret_column.h"

#include <cstdint>

namespace {

constexpr int tabStop = 8;

struct Range {
    std::uint32_t first, last;
};

// Characters the compiler shows two columns wide (East Asian wide and full-width forms).
constexpr Range wideCharacters[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},
    {0x2728, 0x2728},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},
    {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},   {0x2E80, 0x303E},
    {0x3041, 0x3247},   {0x3250, 0x4DBF},   {0x4E00, 0xA4CF},   {0xA960, 0xA97F},
    {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},
    {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4}, {0x17000, 0x18CFF},
    {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF}, {0x1F18E, 0x1F18E},
    {0x1F191, 0x1F19A}, {0x1F200, 0x1F251}, {0x1F300, 0x1F320}, {0x1F32D, 0x1F335},
    {0x1F337, 0x1F37C}, {0x1F37E, 0x1F393}, {0x1F3A0, 0x1F3CA}, {0x1F3CF, 0x1F3D3},
    {0x1F3E0, 0x1F3F0}, {0x1F3F4, 0x1F3F4}, {0x1F3F8, 0x1F43E}, {0x1F440, 0x1F440},
    {0x1F442, 0x1F4FC}, {0x1F4FF, 0x1F53D}, {0x1F54B, 0x1F54E}, {0x1F550, 0x1F567},
    {0x1F57A, 0x1F57A}, {0x1F595, 0x1F596}, {0x1F5A4, 0x1F5A4}, {0x1F5FB, 0x1F64F},
    {0x1F680, 0x1F6C5}, {0x1F6CC, 0x1F6CC}, {0x1F6D0, 0x1F6D2}, {0x1F6D5, 0x1F6D7},
    {0x1F6EB, 0x1F6EC}, {0x1F6F4, 0x1F6FC}, {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F93A},
    {0x1F93C, 0x1F945}, {0x1F947, 0x1F9FF}, {0x1FA70, 0x1FAFF}, {0x20000, 0x2FFFD},
    {0x30000, 0x3FFFD},
};

// Characters the compiler counts no column for: combining marks, format characters and
// the Hangul medial vowels and final consonants.
constexpr Range zeroWidthCharacters[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
    {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0600, 0x0605}, {0x0610, 0x061A}, {0x061C, 0x061C},
    {0x064B, 0x065F}, {0x0670, 0x0670}, {0x06D6, 0x06DD}, {0x06DF, 0x06E4}, {0x06E7, 0x06E8},
    {0x06EA, 0x06ED}, {0x070F, 0x0711}, {0x0730, 0x074A}, {0x07A6, 0x07B0}, {0x07EB, 0x07F3},
    {0x07FD, 0x07FD}, {0x0816, 0x0819}, {0x081B, 0x0823}, {0x0825, 0x0827}, {0x0829, 0x082D},
    {0x0859, 0x085B}, {0x0890, 0x089F}, {0x08CA, 0x0902}, {0x093A, 0x093A}, {0x093C, 0x093C},
    {0x0941, 0x0948}, {0x094D, 0x094D}, {0x0951, 0x0957}, {0x0962, 0x0963}, {0x0981, 0x0981},
    {0x09BC, 0x09BC}, {0x09C1, 0x09C4}, {0x09CD, 0x09CD}, {0x09E2, 0x09E3}, {0x0A01, 0x0A02},
    {0x0A3C, 0x0A51}, {0x0A70, 0x0A71}, {0x0A75, 0x0A75}, {0x0A81, 0x0A82}, {0x0ABC, 0x0ABC},
    {0x0AC1, 0x0AC8}, {0x0ACD, 0x0ACD}, {0x0B01, 0x0B01}, {0x0B3C, 0x0B3C}, {0x0B41, 0x0B44},
    {0x0B4D, 0x0B4D}, {0x0BC0, 0x0BC0}, {0x0BCD, 0x0BCD}, {0x0C3E, 0x0C40}, {0x0C46, 0x0C56},
    {0x0CBC, 0x0CBC}, {0x0CCC, 0x0CCD}, {0x0D41, 0x0D44}, {0x0D4D, 0x0D4D}, {0x0DCA, 0x0DCA},
    {0x0DD2, 0x0DD6}, {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x0EB1, 0x0EB1},
    {0x0EB4, 0x0EBC}, {0x0EC8, 0x0ECD}, {0x0F18, 0x0F19}, {0x0F35, 0x0F39}, {0x0F71, 0x0F84},
    {0x0F86, 0x0F87}, {0x0F8D, 0x0FBC}, {0x102D, 0x1037}, {0x1039, 0x103A}, {0x1160, 0x11FF},
    {0x135D, 0x135F}, {0x1712, 0x1714}, {0x17B4, 0x17B5}, {0x17B7, 0x17BD}, {0x17C6, 0x17D3},
    {0x180B, 0x180F}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x200B, 0x200F}, {0x202A, 0x202E},
    {0x2060, 0x2064}, {0x2066, 0x206F}, {0x20D0, 0x20F0}, {0x302A, 0x302D}, {0x3099, 0x309A},
    {0xA66F, 0xA672}, {0xA674, 0xA67D}, {0xA69E, 0xA69F}, {0xA6F0, 0xA6F1}, {0xFB1E, 0xFB1E},
    {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF}, {0xFFF9, 0xFFFB}, {0x1D167, 0x1D169},
    {0x1D173, 0x1D182}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F}, {0xE0100, 0xE01EF},
};

template <std::size_t N>
bool inRanges(const Range (&ranges)[N], std::uint32_t c) {
    for (const Range &r : ranges)
        if (c >= r.first && c <= r.last) return true;
    return false;
}

int displayWidth(std::uint32_t c) {
    if (inRanges(zeroWidthCharacters, c)) return 0;
    if (inRanges(wideCharacters, c)) return 2;
    return 1;
}

// Decodes one UTF-8 sequence at the start of `bytes` as the compiler does (forms of up to
// six bytes, no overlong forms, no surrogates). Returns its length, or 0 when the bytes do
// not begin a valid sequence.
int utf8Sequence(std::string_view bytes, std::uint32_t &c) {
    const unsigned char lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    static const unsigned char masks[6] = {0x7F, 0x1F, 0x0F, 0x07, 0x03, 0x01};
    static const unsigned char patterns[6] = {0x00, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
    static const std::uint32_t smallest[6] = {0, 0x80, 0x800, 0x10000, 0x200000, 0x4000000};
    int length = 0;
    for (int n = 2; n <= 6; ++n) {
        if ((lead & static_cast<unsigned char>(~masks[n - 1])) == patterns[n - 1]) {
            length = n;
            break;
        }
    }
    if (length == 0 || bytes.size() < static_cast<std::size_t>(length)) return 0;
    std::uint32_t value = lead & masks[length - 1];
    for (int i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest[length - 1] || value > 0x7FFFFFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    c = value;
    return length;
}

// Bytes of the editor's character starting at `bytes[0]`.
int characterLength(std::string_view bytes, SourceEncoding encoding) {
    const unsigned char lead = static_cast<unsigned char>(bytes[0]);
    switch (encoding) {
    case SourceEncoding::Gbk:
        return lead >= 0x81 && lead <= 0xFE && bytes.size() >= 2 ? 2 : 1;
    case SourceEncoding::Utf8: {
        std::uint32_t c = 0;
        const int length = utf8Sequence(bytes, c);
        return length > 0 && length <= 4 && c <= 0x10FFFF ? length : 1;
    }
    case SourceEncoding::SingleByte:
        break;
    }
    return 1;
}

}  // namespace

std::string_view lineOfFile(std::string_view file, int line) {
    if (line < 1) return {};
    if (file.substr(0, 3) == "\xEF\xBB\xBF") file.remove_prefix(3);
    std::size_t start = 0;
    for (int n = 1; n < line; ++n) {
        const std::size_t end = file.find_first_of("\r\n", start);
        if (end == std::string_view::npos) return {};
        start = end + (file.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    const std::size_t end = file.find_first_of("\r\n", start);
    return file.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

DisplayStep compilerDisplayStep(std::string_view bytes, int column) {
    if (bytes[0] == '\t') return {tabStop - column % tabStop, 1};
    std::uint32_t c = 0;
    const int length = utf8Sequence(bytes, c);
    if (length == 0) return {1, 1};
    return {displayWidth(c), length};
}

int caretMovesForColumn(std::string_view lineBytes, SourceEncoding encoding, int compilerColumn) {
    // The byte the compiler names: the first one whose display span reaches the column.
    const int target = compilerColumn - 1;
    std::size_t named = 0;
    int column = 0;
    while (named < lineBytes.size()) {
        const DisplayStep step = compilerDisplayStep(lineBytes.substr(named), column);
        if (column + step.width > target) break;
        column += step.width;
        named += static_cast<std::size_t>(step.length);
    }
    // The editor's characters that end at or before that byte.
    int moves = 0;
    std::size_t at = 0;
    while (at < lineBytes.size()) {
        const std::size_t next = at + static_cast<std::size_t>(characterLength(lineBytes.substr(at), encoding));
        if (next > named) break;
        at = next;
        ++moves;
    }
    return moves;
}
