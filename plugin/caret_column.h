// Where the caret goes for a compiler message: the compiler names a column in its display
// units, the editor's caret moves by characters. Pure logic, no Windows calls.
//
// The compiler (GCC 12) counts columns of the line's bytes as it read them: a tab advances
// to the next multiple of 8, a byte sequence that is valid UTF-8 counts its display width
// (2 for a wide character such as a CJK ideograph, 0 for a combining mark, 1 otherwise), and
// every other byte counts 1. A GBK file is not UTF-8, so its Chinese characters mostly count
// one column per byte, but a GBK pair that happens to form valid UTF-8 counts as that
// character. The editor moves one character at a time: a tab is one character, a GBK
// character (two bytes) is one, a UTF-8 character is one.
#ifndef QIV_PLUGIN_CARET_COLUMN_H
#define QIV_PLUGIN_CARET_COLUMN_H

#include <string_view>

// How the editor reads the file's bytes as characters.
enum class SourceEncoding {
    Gbk,         // the ANSI code page 936: a byte 0x81..0xFE and the byte after it are one character
    Utf8,        // one character per UTF-8 sequence (a byte that begins none is one character)
    SingleByte,  // one character per byte
};

// Line `line` (1-based) of a file's bytes without its line break (LF, CR LF or a lone CR end
// a line); a UTF-8 byte order mark in front of the first line is not part of it. Empty when
// the file has fewer lines.
std::string_view lineOfFile(std::string_view file, int line);

// The compiler's display width of the character starting at `bytes[0]` at display column
// `column` (0-based), and how many bytes it takes. `bytes` must not be empty.
struct DisplayStep {
    int width;
    int length;
};
DisplayStep compilerDisplayStep(std::string_view bytes, int column);

// How many characters the caret moves right from the start of `lineBytes` to stand on the
// compiler's 1-based `compilerColumn`: the character holding that column (the one before a
// tab's remaining columns, the whole of a two-byte character whose second byte is named).
// A column beyond the line's end gives the number of characters of the line; a column
// below 1 gives 0.
int caretMovesForColumn(std::string_view lineBytes, SourceEncoding encoding, int compilerColumn);

#endif
