// The student's file as the hint rules read it. ASCII only: GBK characters are two bytes
// of 0x81..0xFE and never look like code.
#include "student_source.h"

#include <algorithm>

#include <vector>

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool isWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

int indentOf(std::string_view line) {
    int indent = 0;
    for (char c : line) {
        if (c == ' ')
            ++indent;
        else if (c == '\t')
            indent = (indent / 8 + 1) * 8;
        else
            break;
    }
    return indent;
}

// Visits every byte of code (outside comments, strings and character literals) with its
// line and column.
template <typename Visit>
void forEachCodeByte(std::string_view source, Visit visit) {
    int line = 1;
    int column = 1;
    char quote = 0;
    bool lineComment = false;
    bool blockComment = false;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        const char next = i + 1 < source.size() ? source[i + 1] : '\0';
        if (c == '\n') {
            ++line;
            column = 1;
            lineComment = false;
            quote = 0;  // an unclosed literal ends with its line
            continue;
        }
        if (static_cast<unsigned char>(c) >= 0x81 && next != '\n' && next != '\0') {
            // A GBK character: its second byte may look like a backslash or a quote.
            ++i;
            column += 2;
            continue;
        }
        if (lineComment) {
        } else if (blockComment) {
            if (c == '*' && next == '/') {
                blockComment = false;
                ++i;
                ++column;
            }
        } else if (quote != 0) {
            if (c == '\\')
                ++i, ++column;
            else if (c == quote)
                quote = 0;
        } else if (c == '/' && next == '/') {
            lineComment = true;
        } else if (c == '/' && next == '*') {
            blockComment = true;
            ++i;
            ++column;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (!visit(c, line, column)) {
            return;
        }
        ++column;
    }
}

}  // namespace

std::string_view sourceLine(std::string_view source, int line) {
    if (line < 1)
        return {};
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) {
        const std::size_t end = source.find('\n', start);
        if (end == std::string_view::npos)
            return {};
        start = end + 1;
    }
    std::size_t end = source.find('\n', start);
    std::string_view text = source.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    return text;
}

int sourceLineCount(std::string_view source) {
    int lines = 1;
    for (char c : source)
        lines += c == '\n';
    return lines;
}

SourcePlace unpairedBrace(std::string_view source, bool& opening) {
    struct Open {
        SourcePlace place;
        int indent;
    };
    std::vector<Open> open;
    SourcePlace found;
    forEachCodeByte(source, [&](char c, int line, int column) {
        if (c == '{') {
            open.push_back({{line, column}, indentOf(sourceLine(source, line))});
        } else if (c == '}') {
            const std::string_view text = sourceLine(source, line);
            const int indent = indentOf(text);
            if (open.empty()) {
                found = {line, column};
                opening = false;
                return false;
            }
            const Open partner = open.back();
            open.pop_back();
            // Only a '}' starting its line says something by its indentation.
            if (static_cast<int>(text.find_first_not_of(" \t")) + 1 != column || indent == partner.indent)
                return true;
            opening = indent < partner.indent;
            found = opening ? partner.place : SourcePlace{line, column};
            return false;
        }
        return true;
    });
    if (found.line == 0 && !open.empty()) {
        found = open.front().place;
        opening = true;
    }
    return found;
}

int lineOfMain(std::string_view source) {
    int result = 0;
    forEachCodeByte(source, [&](char c, int line, int column) {
        if (c != 'm')
            return true;
        const std::string_view text = sourceLine(source, line);
        const std::size_t at = static_cast<std::size_t>(column - 1);
        if (text.substr(at, 4) != "main" || (at > 0 && isWordByte(text[at - 1])))
            return true;
        std::size_t after = at + 4;
        while (after < text.size() && isSpace(text[after]))
            ++after;
        if (after < text.size() && text[after] == '(') {
            result = line;
            return false;
        }
        return true;
    });
    return result;
}

SourcePlace declarationOf(std::string_view source, std::string_view name, int exceptLine) {
    static const std::string_view types[] = {"int",  "double", "float", "char", "bool",
                                             "long", "string", "void",  "auto"};
    SourcePlace found;
    if (name.empty())
        return found;
    const int lines = sourceLineCount(source);
    for (int line = 1; line <= lines && found.line == 0; ++line) {
        if (line == exceptLine)
            continue;
        const std::string_view text = sourceLine(source, line);
        for (std::size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
            const std::size_t end = at + name.size();
            if ((at > 0 && isWordByte(text[at - 1])) || (end < text.size() && isWordByte(text[end])))
                continue;
            // The word in front, after spaces (and a '*' or '&').
            std::size_t before = at;
            while (before > 0 && (isSpace(text[before - 1]) || text[before - 1] == '*' || text[before - 1] == '&'))
                --before;
            std::size_t wordStart = before;
            while (wordStart > 0 && isWordByte(text[wordStart - 1]))
                --wordStart;
            const std::string_view word = text.substr(wordStart, before - wordStart);
            for (std::string_view type : types) {
                if (word == type && before < at) {
                    found = {line, static_cast<int>(at) + 1};
                    break;
                }
            }
            if (found.line != 0)
                break;
        }
    }
    return found;
}

SourcePlace codeEndBefore(std::string_view source, int line, char& last) {
    last = '\0';
    // Lines past the end of the file are empty: a line number of the compiler's beyond it
    // (or a damaged one of hundreds of millions) starts the search at the last line.
    for (int l = std::min(line - 1, sourceLineCount(source)); l >= 1; --l) {
        std::string_view text = sourceLine(source, l);
        const std::size_t comment = text.find("//");
        if (comment != std::string_view::npos)
            text = text.substr(0, comment);
        const std::size_t end = text.find_last_not_of(" \t\r");
        if (end != std::string_view::npos) {
            last = text[end];
            return {l, static_cast<int>(end) + 1};
        }
    }
    return {};
}

int parenBalance(std::string_view line) {
    int balance = 0;
    forEachCodeByte(line, [&](char c, int, int) {
        balance += c == '(' ? 1 : c == ')' ? -1 : 0;
        return true;
    });
    return balance;
}

std::string_view firstWord(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return {};
    std::size_t end = start;
    while (end < line.size() && isWordByte(line[end]))
        ++end;
    return line.substr(start, end - start);
}

int semicolonsInParentheses(std::string_view line) {
    int depth = 0;
    int count = 0;
    bool seen = false;
    forEachCodeByte(line, [&](char c, int, int) {
        if (c == '(') {
            ++depth;
            seen = true;
        } else if (c == ')') {
            if (--depth == 0 && seen)
                return false;
        } else if (c == ';' && depth > 0) {
            ++count;
        }
        return true;
    });
    return count;
}
