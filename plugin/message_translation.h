// Compiler message translation: turns the captured output of a failed build step into
// one Chinese hint line for beginners, plus the line and column to move the caret to.
//
// Pure byte work on narrow GBK text, no Windows headers. The plug-in's translateFirstMessage
// calls composeFirstMessageHint with the student's file and, when a hint was found, moves
// the caret with gotoLineColumn(line, column) (only when there is a line) and then appends
// the text, and the suggestion when there is one, (converted to UTF-16 with the ANSI code
// page) with appendLine.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Size of the hint line buffer, terminator included: the text is at most 179 bytes.
constexpr std::size_t kHintLineSize = 180;

// Phrase searches of the hint rules see only this many bytes of the message.
constexpr std::size_t kMessageCut = 100;

// Result of translating one build step's output.
struct MessageHint {
    bool found = false;  // false: no caret move and no panel line
    int line = 0;        // 1-based line in the student's file; 0: the caret stays (a link error)
    int column = 0;      // 1-based column
    std::string text;    // header and hint, GBK, at most kHintLineSize - 1 bytes
    std::string suggestion;  // a second line ("你是不是想写 'X'？"), empty when there is none
};

// The student's file: its name as the build gives it to the compiler (without folder) and
// its bytes as saved (GBK). Either may be empty; the hint then guesses less.
struct StudentFile {
    std::string_view name;
    std::string_view source;
};

// Finds the first "error:" (else the first "warning:") in the captured output, reads its
// column and line, and composes the header and the hint. `output` need not be terminated:
// at most `size` bytes are read, and a zero byte ends the text early as it ends a C string.
// A message located in another file (logo.h, a library header) is placed on the student's
// line that caused it; a link error (no line) gets a hint of its own and no caret move.
MessageHint composeFirstMessageHint(const char* output, std::size_t size, const StudentFile& student = {});

// A fixed-size text under construction. The write position advances with every append even
// past the end; bytes that would land beyond the last byte before the terminator are dropped,
// so the buffer is never written past.
class HintLine {
public:
    explicit HintLine(std::size_t bufferSize = kHintLineSize);

    void append(std::string_view bytes);
    // Moves the write position back by `count` bytes and zeroes what was there.
    void removeLast(std::size_t count);
    // Replaces bytes already written, starting at `at`, without moving the write position.
    void overwrite(std::size_t at, std::string_view bytes);

    std::size_t position() const { return position_; }
    // The stored bytes. When the line was cut, a GBK lead byte left alone at the end is
    // dropped so the cut never produces half a character.
    std::string text() const;

private:
    std::string stored_;     // capacity bytes, zero where nothing was written
    std::size_t position_;   // logical write position
};

// The building blocks of the hint, exposed for tests. `text` is the whole captured output;
// positions are byte offsets into it. Each copier appends either a token or "?" and returns
// whether it found a token. No scan goes past the end of `text`.

// First two apostrophes among the 50 bytes from `position`: copies them and what lies between.
bool copyQuotedAfter(std::string_view text, std::size_t position, HintLine& line);

// Last two apostrophes among the 30 bytes ending at `position` (inclusive): copies from the
// byte before the earlier apostrophe through the later one.
bool copyQuotedBefore(std::string_view text, std::size_t position, HintLine& line);

// Apostrophes and colons among the 60 bytes from `position`: with exactly four of them, writes
// an apostrophe and copies from just after the third through the next apostrophe, so
// 'Class::name(arguments)' gives 'name(arguments)'.
bool copyCalleeName(std::string_view text, std::size_t position, HintLine& line);

// Reads a decimal number backwards from the bytes before `end`: skips non-digits, then reads
// the run of digits. Fails when the first digit found is the first byte of the text, when
// there is none, or when the number does not fit an int. On success `end` becomes the offset
// of the number's first digit.
bool readNumberBackward(std::string_view text, std::size_t& end, int& number);

// Appends the hint for the message starting at `message` (its "error:" or "warning:").
void hintForMessage(std::string_view text, std::size_t message, HintLine& line);
