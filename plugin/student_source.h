// What the hint rules read in the student's own file (GBK bytes as saved): single lines, the
// brace that lost its partner, where main and a name's declaration are. Pure byte work; code
// inside comments, strings and character literals is skipped where it matters.
#pragma once

#include <string>
#include <string_view>

// A place in the file: 1-based line and byte column; line 0 means none.
struct SourcePlace {
    int line = 0;
    int column = 0;
};

// Line `line` (1-based) without its line end; empty beyond the file.
std::string_view sourceLine(std::string_view source, int line);

// The number of lines of the file.
int sourceLineCount(std::string_view source);

// The brace whose partner is missing, judged by indentation as beginners' programs are laid
// out: a '{' closed by a '}' indented less than the line of the '{' (or never closed) lacks
// its own '}'; a '}' indented more than the line of the '{' it closes, or closing nothing, is
// one too many. `opening` tells which kind was found.
SourcePlace unpairedBrace(std::string_view source, bool& opening);

// The line holding the word main followed by '(' (the first), or 0.
int lineOfMain(std::string_view source);

// Where `name` is declared as a variable or a function (a type word in front of it) on any
// line other than `exceptLine`; line 0 when nowhere.
SourcePlace declarationOf(std::string_view source, std::string_view name, int exceptLine);

// The last byte of code before line `line` (blank lines and // comments skipped): its place,
// and the byte itself in `last` (0 when there is none).
SourcePlace codeEndBefore(std::string_view source, int line, char& last);

// '(' minus ')' of the line, outside strings and character literals.
int parenBalance(std::string_view line);

// The first word of the line's code ("for", "if", ...), empty when it starts otherwise.
std::string_view firstWord(std::string_view line);

// The ';' bytes inside the first pair of parentheses of the line (to its end when unclosed).
int semicolonsInParentheses(std::string_view line);
