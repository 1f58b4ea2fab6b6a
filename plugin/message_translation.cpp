// Compiler message translation. This file is compiled with -fexec-charset=GBK: its narrow
// literals become GBK bytes, the same bytes the compiler writes and the panel expects.
#include "message_translation.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "student_source.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Windows of the token copiers, counted from (or back to) their position.
constexpr std::size_t kQuotedAfterWindow = 50;
constexpr std::size_t kQuotedBeforeWindow = 30;
constexpr std::size_t kCalleeWindow = 60;
// The buffer the stray-character rule copies its octal token into.
constexpr std::size_t kStrayTokenSize = 30;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isGbkLeadByte(char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

// Messages with "expected ": the token the compiler stopped at, and what it expected.
void appendExpectedHint(std::string_view text, std::string_view cut, std::size_t message,
                        std::size_t expected, HintLine& line) {
    const std::size_t afterWord = expected + 8;  // the space after "expected"
    const std::size_t before = cut.find("before ", afterWord);
    if (before != npos) {
        copyQuotedAfter(text, before, line);
        line.append("  前面可能缺少 ");
        if (copyQuotedBefore(text, before, line))
            return;
        // No quoted token in front of "before ": name what is missing from the wording.
        if (cut.find("primary-expression before", afterWord) != npos) {
            line.removeLast(1);  // the "?"
            line.append("数值");
        } else if (cut.find("unqualified-id before", afterWord) != npos) {
            line.removeLast(6);  // "缺少 ?"
            line.append("多了 '}'，或其他错误.");
        } else if (cut.find("declaration before", afterWord) != npos) {
            line.removeLast(1);
            line.append("声明，有可能多了 '}',或其他错误.");
        }
        return;
    }
    const std::size_t atEnd = cut.find("at end of input", message);
    if (atEnd != npos) {
        line.append(" 程序缺少 ");
        copyQuotedBefore(text, atEnd, line);
        return;
    }
    // "expected ';' after struct definition": what is missing comes right after the word.
    if (cut.find(" after ", afterWord) != npos) {
        line.append(" 可能缺少 ");
        copyQuotedAfter(text, expected, line);
    }
}

// "no match for 'operator": the quoted operator, its word replaced by the Chinese one.
void appendOperatorHint(std::string_view text, std::size_t phrase, HintLine& line) {
    line.append(" 这个类型没有");
    const std::size_t token = line.position();
    // A found token starts with the 9 bytes "'operator" and ends with an apostrophe, so it
    // is always longer than the replacement; a "?" stays as it is.
    if (copyQuotedAfter(text, phrase, line))
        line.overwrite(token, "运算符: '");
}

// "stray": a byte of a Chinese character in the source. Its octal code names the lead byte,
// the row of the GBK table the character comes from, and so what it probably was.
void appendStrayHint(std::string_view text, std::size_t phrase, HintLine& line) {
    HintLine token(kStrayTokenSize);
    copyQuotedAfter(text, phrase, token);
    const std::string code = token.text();
    if (code.find("241") != std::string::npos)
        line.append(" 这一行有中文字符，可能是：空格、加号等");
    else if (code.find("243") != std::string::npos)
        line.append(" 这一行有中文字符，可能是：分号、逗号、圆括号、数字等");
    else
        line.append(" 这一行有中文字符");
}

}  // namespace

HintLine::HintLine(std::size_t bufferSize)
    : stored_(bufferSize > 0 ? bufferSize - 1 : 0, '\0'), position_(0) {}

void HintLine::append(std::string_view bytes) {
    overwrite(position_, bytes);
    position_ += bytes.size();
}

void HintLine::removeLast(std::size_t count) {
    const std::size_t from = position_ - std::min(count, position_);
    for (std::size_t i = from; i < position_ && i < stored_.size(); ++i)
        stored_[i] = '\0';
    position_ = from;
}

void HintLine::overwrite(std::size_t at, std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size() && at + i < stored_.size(); ++i)
        stored_[at + i] = bytes[i];
}

std::string HintLine::text() const {
    std::size_t length = std::min(position_, stored_.size());
    if (position_ > stored_.size()) {
        // Cut: walk the characters and drop a lead byte whose trail byte was cut off.
        for (std::size_t i = 0; i < length; ++i) {
            if (isGbkLeadByte(stored_[i])) {
                if (i + 1 == length) {
                    length = i;
                    break;
                }
                ++i;
            }
        }
    }
    return stored_.substr(0, length);
}

bool copyQuotedAfter(std::string_view text, std::size_t position, HintLine& line) {
    if (position < text.size()) {
        const std::string_view window = text.substr(position, kQuotedAfterWindow);
        const std::size_t first = window.find('\'');
        const std::size_t second = first == npos ? npos : window.find('\'', first + 1);
        if (second != npos) {
            line.append(window.substr(first, second - first + 1));
            return true;
        }
    }
    line.append("?");
    return false;
}

bool copyQuotedBefore(std::string_view text, std::size_t position, HintLine& line) {
    if (!text.empty()) {
        const std::size_t last = std::min(position, text.size() - 1);
        const std::size_t first = last + 1 >= kQuotedBeforeWindow ? last + 1 - kQuotedBeforeWindow : 0;
        const std::string_view window = text.substr(first, last - first + 1);
        const std::size_t later = window.rfind('\'');
        const std::size_t earlier = (later == npos || later == 0) ? npos : window.rfind('\'', later - 1);
        if (earlier != npos) {
            const std::size_t start = first + earlier;
            const std::size_t from = start > 0 ? start - 1 : 0;  // the byte in front of the token
            line.append(text.substr(from, first + later + 1 - from));
            return true;
        }
    }
    line.append("?");
    return false;
}

// The function of "call to 'Class::name(arguments)'": the quoted text from the name on, without
// the class in front (only the part before the parentheses is searched for "::", since the
// arguments' types have colons of their own), up to the closing apostrophe however far.
bool copyCalleeName(std::string_view text, std::size_t position, HintLine& line) {
    const std::size_t open = text.find('\'', position);
    const std::size_t close = open == npos || open - position >= kCalleeWindow ? npos : text.find('\'', open + 1);
    if (close == npos) {
        line.append("?");
        return false;
    }
    const std::string_view quoted = text.substr(open + 1, close - open - 1);
    const std::size_t qualifier = quoted.substr(0, quoted.find('(')).rfind("::");
    line.append("'");
    line.append(quoted.substr(qualifier == npos ? 0 : qualifier + 2));
    line.append("'");
    return true;
}

bool readNumberBackward(std::string_view text, std::size_t& end, int& number) {
    std::size_t i = std::min(end, text.size());
    // Skip back to the last digit; one at the very first byte does not count.
    while (i > 1 && !isDigit(text[i - 1]))
        --i;
    if (i <= 1)
        return false;
    long long value = 0;
    long long scale = 1;
    bool tooLarge = false;
    while (i > 0 && isDigit(text[i - 1])) {
        const int digit = text[i - 1] - '0';
        if (digit != 0) {
            if (scale > INT_MAX || value + digit * scale > INT_MAX)
                tooLarge = true;
            else
                value += digit * scale;
        }
        if (scale <= INT_MAX)
            scale *= 10;
        --i;
    }
    if (tooLarge)
        return false;
    end = i;
    number = static_cast<int>(value);
    return true;
}

void hintForMessage(std::string_view text, std::size_t message, HintLine& line) {
    // Phrases are searched only in the first bytes of the message; the copiers still see
    // the whole text, so a token crossing the cut is copied whole.
    const std::size_t cutEnd =
        message < text.size() ? message + std::min(text.size() - message, kMessageCut) : text.size();
    const std::string_view cut = text.substr(0, cutEnd);
    auto find = [&](std::string_view phrase) { return cut.find(phrase, message); };
    // The first rule whose phrase occurs decides; no rule matching leaves the header alone.
    std::size_t at;

    if ((at = find("was not declared in this scope")) != npos) {
        copyQuotedBefore(text, at, line);
        line.append(" 未定义.");
    } else if ((at = find("expected ")) != npos) {
        appendExpectedHint(text, cut, message, at, line);
    } else if ((at = find("has no member named")) != npos) {
        line.append(" 没有叫 ");
        copyQuotedAfter(text, at, line);
        line.append(" 的命令（函数）或变量 ");
    } else if ((at = find("no matching function for call to")) != npos) {
        copyCalleeName(text, at, line);
        line.append(" 的命令(函数)格式不对 ");
    } else if ((at = find("division by zero")) != npos) {
        line.append(" 不能除 0");
    } else if ((at = find("no match for 'operator")) != npos) {
        appendOperatorHint(text, at, line);
    } else if ((at = find("No such file or directory")) != npos) {
        line.append(" 没有这个文件或目录");
    } else if ((at = find("invalid operands of types")) != npos) {
        line.append(" 运算类型不合法");
    } else if ((at = find("request for member")) != npos) {
        copyQuotedAfter(text, at, line);
        line.append(" 函数调用不合法");
        const std::size_t type = cut.find("which is of non-class type", at);
        if (type != npos) {
            line.append(", 前面可能是类型 ");
            copyQuotedAfter(text, type, line);
        }
    } else if ((at = find("stray")) != npos) {
        appendStrayHint(text, at, line);
    } else if ((at = find("invalid type argument of")) != npos) {
        copyQuotedAfter(text, at, line);
        line.append(" 参数不合法");
    } else if ((at = find("does not name a type")) != npos) {
        copyQuotedBefore(text, at, line);
        line.append(" 不是类型名？");
    } else if ((at = find("use of deleted function")) != npos) {
        copyQuotedAfter(text, at, line);
        line.append(" 是被删除的函数, 不能使用 (这种对象不能复制, 可以用引用 &)");
    } else if ((at = find("too few arguments to function")) != npos) {
        copyQuotedAfter(text, at, line);
        line.append(" 的参数太少");
    } else if ((at = find("too many arguments to function")) != npos) {
        copyQuotedAfter(text, at, line);
        line.append(" 的参数太多");
    } else if ((at = find("'<unresolved overloaded function type>'")) != npos) {
        // A name the student never defined that the library has as a function (size, count,
        // max...): the compiler speaks of types, the student forgot a variable.
        line.append(" 这里的名字是库里的一个函数，不是你的变量：这个变量是不是还没有定义？");
    } else if ((at = find("invalid conversion from")) != npos || (at = find("cannot convert")) != npos) {
        line.append(" 类型不对: ");
        copyQuotedAfter(text, at, line);
        line.append(" 不能自动变成需要的类型");
    } else if ((at = find("lvalue required as left operand")) != npos) {
        line.append(" 等号左边必须是变量 (判断相等要用 ==)");
    } else if ((at = find("without a previous 'if'")) != npos) {
        line.append(" else 前面没有配对的 if (if 的条件后面可能多了 ';' 或少了 { })");
    } else if ((at = find("missing terminating")) != npos) {
        line.append(" 字符串或字符缺少结尾的引号");
    } else if ((at = find("return-statement with a value")) != npos) {
        line.append(" void 函数不能返回值");
    } else if ((at = find("no return statement in function returning non-void")) != npos) {
        line.append(" 函数缺少 return 语句");
    } else if ((at = find("redeclaration of")) != npos) {
        copyQuotedAfter(text, at, line);
        line.append(" 重复定义了");
    }
}

namespace {

// Where a compiler message is: the file as named in front of its line and column.
struct Location {
    std::string_view file;  // without folder
    int line = 0;
    int column = 0;
};

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? a[i] - 'A' + 'a' : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? b[i] - 'A' + 'a' : b[i];
        if (x != y)
            return false;
    }
    return true;
}

// Reads "path:line:column: " ending at `end` (the start of "error:", "warning:", "note:"
// or "required from"), within the line starting at `lineStart`.
bool readLocation(std::string_view text, std::size_t lineStart, std::size_t end, Location& where) {
    std::size_t p = end;
    if (p >= lineStart + 6 && text.substr(p - 6, 6) == "fatal ")
        p -= 6;
    while (p > lineStart && text[p - 1] == ' ')
        --p;
    if (p <= lineStart || text[p - 1] != ':')
        return false;
    --p;
    std::size_t numberEnd = p;
    int column = 0;
    if (!readNumberBackward(text.substr(0, numberEnd), numberEnd, column) || numberEnd + 1 > p ||
        text.substr(numberEnd, p - numberEnd).find_first_not_of("0123456789") != npos)
        return false;
    p = numberEnd;
    if (p <= lineStart || text[p - 1] != ':')
        return false;
    --p;
    numberEnd = p;
    int line = 0;
    if (!readNumberBackward(text.substr(0, numberEnd), numberEnd, line) ||
        text.substr(numberEnd, p - numberEnd).find_first_not_of("0123456789") != npos || numberEnd <= lineStart ||
        text[numberEnd - 1] != ':')
        return false;
    const std::string_view path = text.substr(lineStart, numberEnd - 1 - lineStart);
    const std::size_t slash = path.find_last_of("\\/");
    where.file = slash == npos ? path : path.substr(slash + 1);
    where.line = line;
    where.column = column;
    return line >= 1 && column >= 1;
}

std::size_t lineStartOf(std::string_view text, std::size_t at) {
    const std::size_t newline = at == 0 ? npos : text.rfind('\n', at - 1);
    return newline == npos ? 0 : newline + 1;
}

bool isStudentsFile(std::string_view file, const StudentFile& student) {
    if (!student.name.empty() || file.empty())
        return sameNameIgnoringCase(file, student.name);
    // Without the name: headers (logo.h, the library's) are not the student's.
    const std::size_t dot = file.rfind('.');
    return dot != npos && file.substr(dot) != ".h" && file.substr(dot) != ".hpp";
}

// The student's place that led to a message located elsewhere: the "required from here" of
// the student's file closest before the message, else the first place of the student's file
// the output names.
bool studentPlaceInOutput(std::string_view text, std::size_t message, const StudentFile& student, Location& where) {
    bool found = false;
    for (std::size_t at = text.find("required from here"); at != npos && at < message;
         at = text.find("required from here", at + 1)) {
        Location candidate;
        if (readLocation(text, lineStartOf(text, at), at, candidate) && isStudentsFile(candidate.file, student)) {
            where = candidate;
            found = true;
        }
    }
    if (found)
        return true;
    for (std::size_t lineStart = 0; lineStart < text.size();) {
        std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == npos)
            lineEnd = text.size();
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        for (std::string_view kind : {"error:", "warning:", "note:"}) {
            const std::size_t k = line.find(kind);
            Location candidate;
            if (k != npos && readLocation(text, lineStart, lineStart + k, candidate) &&
                isStudentsFile(candidate.file, student)) {
                where = candidate;
                return true;
            }
        }
        lineStart = lineEnd + 1;
    }
    return false;
}

// The quoted token after `phrase` on the message's own line, e.g. GCC's "did you mean 'x'?".
std::string quotedAfterOnLine(std::string_view text, std::size_t from, std::string_view phrase) {
    std::size_t end = text.find('\n', from);
    if (end == npos)
        end = text.size();
    const std::string_view line = text.substr(from, end - from);
    const std::size_t at = line.find(phrase);
    if (at == npos)
        return std::string();
    const std::size_t open = line.find('\'', at + phrase.size() - 1);
    const std::size_t close = open == npos ? npos : line.find('\'', open + 1);
    if (close == npos || close - open > 40)
        return std::string();
    return std::string(line.substr(open, close - open + 1));
}

std::string quotedWord(std::string_view text, std::size_t from) {
    const std::size_t open = text.find('\'', from);
    const std::size_t close = open == npos ? npos : text.find('\'', open + 1);
    if (close == npos || close - open > 40)
        return std::string();
    return std::string(text.substr(open + 1, close - open - 1));
}

// Chinese punctuation and full-width characters: the GBK code, what it is called and what to
// type instead.
struct WideCharacter {
    unsigned char lead, trail;
    const char* name;   // 分号, 逗号, ...
    const char* ascii;  // the character to type instead
};

const WideCharacter kWideCharacters[] = {
    {0xA3, 0xBB, "分号", ";"},   {0xA3, 0xAC, "逗号", ","},   {0xA3, 0xA8, "左括号", "("},
    {0xA3, 0xA9, "右括号", ")"}, {0xA1, 0xB0, "双引号", "\""}, {0xA1, 0xB1, "双引号", "\""},
    {0xA1, 0xAE, "单引号", "'"}, {0xA1, 0xAF, "单引号", "'"}, {0xA1, 0xA3, "句号", "."},
    {0xA3, 0xAE, "句点", "."},   {0xA3, 0xBD, "等号", "="},   {0xA3, 0xBC, "小于号", "<"},
    {0xA3, 0xBE, "大于号", ">"}, {0xA3, 0xBA, "冒号", ":"},   {0xA3, 0xA1, "感叹号", "!"},
    {0xA3, 0xAB, "加号", "+"},   {0xA3, 0xAD, "减号", "-"},   {0xA3, 0xAA, "星号", "*"},
    {0xA3, 0xAF, "斜杠", "/"},   {0xA3, 0xA5, "百分号", "%"}, {0xA3, 0xDB, "方括号", "["},
    {0xA3, 0xDD, "方括号", "]"}, {0xA3, 0xFB, "大括号", "{"}, {0xA3, 0xFD, "大括号", "}"},
    {0xA1, 0xA2, "顿号", ","},   {0xA3, 0xA2, "双引号", "\""}, {0xA3, 0xA7, "单引号", "'"},
    {0xA3, 0xA6, "与号", "&"},   {0xA3, 0xFC, "竖线", "|"},   {0xA1, 0xAB, "波浪号", "~"},
};

// The two bytes at the message's column of the student's line, else the first two stray
// codes of the output (the compiler reports each byte of the character, in octal).
bool strayBytes(std::string_view studentLine, int column, std::string_view text, std::size_t message,
                unsigned char& lead, unsigned char& trail) {
    const std::size_t at = static_cast<std::size_t>(column > 0 ? column - 1 : 0);
    if (at + 1 < studentLine.size() && static_cast<unsigned char>(studentLine[at]) >= 0x81) {
        lead = static_cast<unsigned char>(studentLine[at]);
        trail = static_cast<unsigned char>(studentLine[at + 1]);
        return true;
    }
    int codes[2];
    int found = 0;
    for (std::size_t p = text.find("stray '\\", message); p != npos && found < 2;
         p = text.find("stray '\\", p + 1)) {
        int value = 0;
        std::size_t d = p + 8;
        while (d < text.size() && text[d] >= '0' && text[d] <= '7' && d < p + 11)
            value = value * 8 + (text[d++] - '0');
        codes[found++] = value;
    }
    if (found < 2 || codes[0] < 0x81)
        return false;
    lead = static_cast<unsigned char>(codes[0]);
    trail = static_cast<unsigned char>(codes[1]);
    return true;
}

std::string wideCharacterHint(unsigned char lead, unsigned char trail, std::string_view studentLine, int column) {
    const std::string character{static_cast<char>(lead), static_cast<char>(trail)};
    if (lead == 0xA1 && trail == 0xA1)
        return " 这里用了中文空格（全角空格），请改成英文空格或删掉";
    for (const WideCharacter& w : kWideCharacters) {
        if (w.lead == lead && w.trail == trail)
            return std::string(" 这里用了中文") + w.name + " '" + character + "'，请改成英文" + w.name + " '" +
                   w.ascii + "'";
    }
    if (lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9)
        return " 这里用了全角数字 '" + character + "'，请改成 '" + std::string(1, char('0' + trail - 0xB0)) + "'";
    if (lead == 0xA3 && ((trail >= 0xC1 && trail <= 0xDA) || (trail >= 0xE1 && trail <= 0xFA)))
        return " 这里用了全角字母 '" + character + "'，请改成 '" +
               std::string(1, char(trail >= 0xE1 ? 'a' + trail - 0xE1 : 'A' + trail - 0xC1)) + "'";
    if (lead >= 0xB0) {
        // Chinese characters outside a string: a name written in Chinese.
        std::size_t at = static_cast<std::size_t>(column - 1);
        std::size_t end = at;
        while (end + 1 < studentLine.size() && static_cast<unsigned char>(studentLine[end]) >= 0xB0 && end - at < 8)
            end += 2;
        const std::string word = end > at ? std::string(studentLine.substr(at, end - at)) : character;
        return " 中文 '" + word + "' 不能做名字，变量名只能用英文字母、数字和 _（文字要放在双引号里）";
    }
    return " 这一行有中文字符，请改成英文字符";
}

struct Rule {
    std::string_view text;    // the whole output
    std::size_t message;      // its "error:" or "warning:"
    std::string_view cut;     // the output up to 100 bytes after the message
    std::string_view source;  // the student's file, may be empty
    int line;                 // the caret, in the student's file
    int column;
    std::string suggestion;
    bool has(std::string_view phrase) const { return cut.find(phrase, message) != npos; }
    std::string_view studentLine() const { return sourceLine(source, line); }
};

// The next token of the student's line from the caret column, and the byte before the caret.
std::string_view tokenAt(std::string_view line, int column) {
    std::size_t at = static_cast<std::size_t>(column > 0 ? column - 1 : 0);
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    if (at >= line.size())
        return {};
    std::size_t end = at;
    auto word = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; };
    while (end < line.size() && word(line[end]))
        ++end;
    return line.substr(at, end == at ? 1 : end - at);
}

char byteBefore(std::string_view line, int column) {
    std::size_t at = std::min(static_cast<std::size_t>(column > 1 ? column - 1 : 0), line.size());
    while (at > 0 && (line[at - 1] == ' ' || line[at - 1] == '\t'))
        --at;
    return at > 0 ? line[at - 1] : '\0';
}

bool isWordStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isValueStart(char c) { return isWordStart(c) || isDigit(c) || c == '"' || c == '\'' || c == '('; }

// The word ending right before the caret (spaces skipped), e.g. the command in "pen.fd 100".
std::string wordBefore(std::string_view line, int column) {
    std::size_t end = std::min(static_cast<std::size_t>(column > 1 ? column - 1 : 0), line.size());
    while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t'))
        --end;
    std::size_t start = end;
    while (start > 0 && (isWordStart(line[start - 1]) || isDigit(line[start - 1])))
        --start;
    return std::string(line.substr(start, end - start));
}

// Messages about braces: the brace whose partner is missing, by the layout of the file.
bool braceHint(Rule& r, HintLine& out) {
    bool opening = false;
    const SourcePlace place = unpairedBrace(r.source, opening);
    if (place.line == 0)
        return false;
    r.line = place.line;
    r.column = place.column;
    out.append(opening ? " 这个 '{' 缺少配对的 '}'" : " 这个 '}' 多了，或者它前面缺少 '{'");
    return true;
}

// "expected ..." where the student's line tells more than the compiler's words.
bool expectedHint(Rule& r, HintLine& out) {
    const std::string_view line = r.studentLine();
    const std::string_view token = tokenAt(line, r.column);
    const char before = byteBefore(line, r.column);
    if (firstWord(line) == "for" && (r.has("expected ';'") || r.has("expected ')'"))) {
        const int semicolons = semicolonsInParentheses(line);
        if (semicolons < 2) {
            out.append(" for 的括号里要有两个 ';' 分开三部分，例如 for (int i = 0; i < 4; i++)");
            return true;
        }
        if (semicolons > 2) {
            out.append(" for 的括号里多了 ';'，只能有两个 ';'");
            return true;
        }
    }
    if (token == ")" && parenBalance(line) < 0) {
        out.append(" 这里多了一个 ')'");
        return true;
    }
    if (r.has("expected ';'") && !token.empty()) {
        if (parenBalance(line) > 0) {
            out.append(" 这一行缺少 ')'");
            return true;
        }
        const std::string t(token);
        if (isWordStart(token[0]) && (isWordStart(before) || isDigit(before) || before == ')' || before == '"')) {
            const bool output = line.find("<<") != npos, input = line.find(">>") != npos;
            if (output || input)
                out.append(" '" + t + "' 前面缺少 '" + (output ? "<<" : ">>") + "'");
            else
                out.append(" '" + t + "' 前面缺少 '.'（或者 ';'）");
            return true;
        }
        if ((isDigit(token[0]) || token[0] == '"') && isWordStart(before)) {
            const std::string command = wordBefore(line, r.column);
            out.append(" 命令 '" + command + "' 后面的数值要放在圆括号里，例如 " + command + "(100)");
            return true;
        }
    }
    if (r.has("expected ')'") && !token.empty() && isValueStart(token[0]) &&
        (isWordStart(before) || isDigit(before) || before == ')' || before == '"')) {
        out.append(" '" + std::string(token) + "' 前面缺少 ','");
        return true;
    }
    // At the first token of a line: the line above is not finished.
    const std::size_t indent = line.find_first_not_of(" \t");
    if (indent != npos && static_cast<int>(indent) + 1 == r.column &&
        (r.has("expected ';'") || r.has("expected ',' or ';'") || r.has("expected initializer"))) {
        char last = 0;
        const SourcePlace end = codeEndBefore(r.source, r.line, last);
        if (last == ')' && r.has("expected initializer")) {
            out.append(" 上一行的函数头后面缺少 '{'");
            return true;
        }
        if (end.line != 0 && last != ';' && last != '{' && last != '}') {
            r.line = end.line;
            r.column = end.column + 1;
            out.append(" 这一行的末尾缺少 ';'");
            return true;
        }
    }
    if (r.has("expected unqualified-id before '{'")) {
        char last = 0;
        const SourcePlace end = codeEndBefore(r.source, r.line, last);
        if (last == ';') {
            r.line = end.line;
            r.column = end.column;
            out.append(" 函数头后面多了 ';'，请删掉它");
            return true;
        }
    }
    if (r.has("at end of input") || r.has("expected declaration before") || r.has("expected unqualified-id"))
        return braceHint(r, out);
    return false;
}

const char* const kPenCommands[] = {"fd", "bk", "rt", "lt", "move", "line", "o", "oo", "e", "ee", "r", "rr",
                                    "up", "down", "color", "c", "speed", "show", "hide", "size", "cls"};
const char* const kStudentWords[] = {"int", "double", "return", "cout", "cin", "pen", "endl", "string",
                                     "for", "while", "if", "else", "void", "char", "bool", "main"};

// One letter wrong, missing, extra or two swapped, or only the case differs.
bool looksLike(std::string_view typed, std::string_view word) {
    if (typed == word || typed.size() < 2)
        return false;
    if (sameNameIgnoringCase(typed, word))
        return true;
    if (typed.size() == word.size()) {
        std::size_t first = 0;
        while (typed[first] == word[first])
            ++first;
        std::size_t last = typed.size() - 1;
        while (typed[last] == word[last])
            --last;
        return first == last || (last == first + 1 && typed[first] == word[last] && typed[last] == word[first]);
    }
    const std::string_view longer = typed.size() > word.size() ? typed : word;
    const std::string_view shorter = typed.size() > word.size() ? word : typed;
    if (longer.size() != shorter.size() + 1)
        return false;
    std::size_t i = 0;
    while (i < shorter.size() && longer[i] == shorter[i])
        ++i;
    return longer.substr(i + 1) == shorter.substr(i);
}

bool undeclaredHint(Rule& r, HintLine& out) {
    const std::size_t phrase = r.cut.find("was not declared in this scope", r.message);
    const std::string name = quotedWord(r.text, r.message);
    if (name.empty())
        return false;
    const std::size_t forget = r.text.find("did you forget to '#include <", r.message);
    if (forget != npos) {
        const std::size_t close = r.text.find('>', forget);
        if (close != npos && close - forget < 60) {
            out.append(" '" + name + "' 要在程序开头加上 " + std::string(r.text.substr(forget + 19, close - forget - 18)));
            return true;
        }
    }
    for (const char* command : kPenCommands) {
        if (name == command) {
            out.append(" '" + name + "' 是画笔的命令，要写成 pen." + name + "(...)");
            return true;
        }
    }
    const SourcePlace declared = declarationOf(r.source, name, r.line);
    if (declared.line != 0) {
        const std::string_view after = sourceLine(r.source, declared.line).substr(declared.column - 1 + name.size());
        const bool function = after.find_first_not_of(" \t") != npos && after[after.find_first_not_of(" \t")] == '(';
        if (function && declared.line > r.line) {
            out.append(" 函数 '" + name + "' 写在了后面：要把它移到 main 的前面，或者先在前面声明");
            return true;
        }
        if (!function && declared.line < r.line) {
            out.append(" '" + name + "' 只在定义它的循环或 { } 里面有效，这里已经在外面了");
            return true;
        }
    }
    copyQuotedBefore(r.text, phrase, out);
    out.append(" 未定义.");
    std::string guess = quotedAfterOnLine(r.text, r.message, "did you mean '");
    if (guess.empty()) {
        for (const char* word : kStudentWords)
            if (looksLike(name, word))
                guess = std::string("'") + word + "'";
    }
    if (!guess.empty())
        r.suggestion = "你是不是想写 " + guess + "？";
    return true;
}

// Rules that need more than the message's phrase: the student's line, the message's place
// or the rest of the output. False: the hint table decides.
bool refinedHint(Rule& r, HintLine& out) {
    if (r.has("ambiguating new declaration of 'void work_zq()'") || r.has("'::main' must return 'int'")) {
        out.append(" main 必须写成 int main()");
        return true;
    }
    if (r.has("no return statement in function returning non-void")) {
        const std::size_t in = r.text.rfind("In function '", r.message);
        const std::string function = in == npos ? std::string() : quotedWord(r.text, in);
        if (function.find("work_zq") != std::string::npos) {
            out.append(" main 函数的最后缺少 return 0;（加在最后的 '}' 前面）");
            return true;
        }
        const std::size_t open = function.find('(');
        const std::size_t space = function.rfind(' ', open);
        const std::string name = function.substr(space == std::string::npos ? 0 : space + 1, open - space - 1);
        for (int l = 1; !name.empty() && l <= sourceLineCount(r.source); ++l) {
            if (firstWord(sourceLine(r.source, l)) == name) {
                r.line = l;
                r.column = 1;
                out.append(" 函数 '" + name + "' 前面缺少类型，例如 void " + name + "()");
                return true;
            }
        }
        return false;
    }
    if (r.has("stray")) {
        unsigned char lead = 0, trail = 0;
        if (!strayBytes(r.studentLine(), r.column, r.text, r.message, lead, trail))
            return false;
        out.append(wideCharacterHint(lead, trail, r.studentLine(), r.column));
        return true;
    }
    if (r.has("character constant too long") || r.has("multi-character character constant")) {
        out.append(" 字符串要用双引号 \"...\"，单引号里只能放一个字符");
        return true;
    }
    if (r.has("was not declared in this scope"))
        return undeclaredHint(r, out);
    if (r.has("expected ") && expectedHint(r, out))
        return true;
    if (r.has("a function-definition is not allowed here"))
        return braceHint(r, out);
    if (r.text.rfind("In instantiation of 'Twin& Twin::operator>>", r.message) != npos) {
        out.append(" cin >> 后面只能写变量；要显示的文字请用 cout << 输出");
        return true;
    }
    if (r.has("no match for 'operator<<' (operand types are 'Twin'")) {
        out.append(" cin 要用 >> 读入，例如 cin >> n");
        return true;
    }
    if (r.has("no match for 'operator>>' (operand types are 'Twout'")) {
        out.append(" cout 要用 << 输出，例如 cout << n");
        return true;
    }
    if (r.has("has no member named")) {
        // "pen.fd100)": a command and its number run together.
        const std::string member = quotedWord(r.text, r.cut.find("has no member named", r.message));
        for (const char* command : kPenCommands) {
            const std::string c = command;
            if (member.size() > c.size() && member.compare(0, c.size(), c) == 0 && isDigit(member[c.size()])) {
                out.append(" 命令 '" + c + "' 后面缺少 '('");
                return true;
            }
        }
        out.append(" 没有叫 ");
        copyQuotedAfter(r.text, r.cut.find("has no member named", r.message), out);
        out.append(" 的命令（函数）或变量 ");
        const std::string guess = quotedAfterOnLine(r.text, r.message, "did you mean '");
        if (!guess.empty())
            r.suggestion = "你是不是想写 " + guess + "？";
        return true;
    }
    if (r.has("no matching function for call to 'getline(Twin&")) {
        out.append(" 读入一整行要写成 cin.getline(变量)，例如 cin.getline(s)");
        return true;
    }
    if (r.has("no matching function for call to")) {
        const std::size_t callee = out.position();
        copyCalleeName(r.text, r.cut.find("no matching function for call to", r.message), out);
        const std::string written = out.text().substr(callee);
        if (written.size() > 3 && written.compare(written.size() - 3, 3, "()'") == 0)
            out.append(" 的括号里缺少数值（参数）");
        else
            out.append(" 的命令(函数)格式不对：参数的个数或类型不对");
        return true;
    }
    if (r.has("conflicting declaration") || r.has("redefinition of")) {
        copyQuotedAfter(r.text, r.message, out);
        out.append(" 重复定义了");
        return true;
    }
    if (r.has("conversion from") && r.has("to non-scalar type")) {
        out.append(" 类型不对: ");
        copyQuotedAfter(r.text, r.cut.find("conversion from", r.message), out);
        out.append(" 不能自动变成需要的类型");
        return true;
    }
    if (r.has("statement cannot resolve address of overloaded function") ||
        r.has("invalid use of non-static member function")) {
        out.append(" 命令后面要加圆括号，例如 pen.show()");
        return true;
    }
    if (r.has("does not name a type")) {
        const std::string name = quotedWord(r.text, r.message);
        if (name == "pen" || name == "cout" || name == "cin") {
            out.append(" 语句要写在 main 函数的 { } 里面");
            return true;
        }
    }
    if (r.has("without a previous 'if'")) {
        // The caret goes to the ';' that ended the if.
        for (int l = r.line - 1; l >= 1; --l) {
            const std::string_view text = sourceLine(r.source, l);
            const std::size_t end = text.find_last_not_of(" \t");
            if (firstWord(text) == "if" && end != npos && text[end] == ';') {
                r.line = l;
                r.column = static_cast<int>(end) + 1;
                out.append(" if 的条件后面多了 ';'，所以 else 前面没有配对的 if");
                return true;
            }
        }
    }
    return false;
}

// A message with no line: the linker's. What it says decides the hint.
bool linkHint(std::string_view text, HintLine& out) {
    if (text.find("undefined reference to `work_zq()'") != npos || text.find("undefined reference to `WinMain") != npos) {
        out.append(" 没有 main 函数（是不是写成了 mian 或 Main？）");
        return true;
    }
    const std::size_t undefined = text.find("undefined reference to `");
    if (undefined != npos) {
        const std::size_t start = undefined + 24;
        const std::size_t end = text.find_first_of("('\r\n", start);
        if (end != npos && end > start && end - start < 60) {
            out.append(" 函数 '" + std::string(text.substr(start, end - start)) + "' 只有声明没有定义");
            return true;
        }
    }
    if (text.find("cannot open output file") != npos) {
        out.append(" 程序还在运行，不能写入新的 .exe 文件：请先关掉正在运行的程序");
        return true;
    }
    if (text.find("ld returned") != npos) {
        out.append(" 连接程序时出错");
        return true;
    }
    return false;
}

}  // namespace

MessageHint composeFirstMessageHint(const char* output, std::size_t size, const StudentFile& student) {
    MessageHint result;
    if (output == nullptr)
        return result;
    // The text ends at its terminator, or after `size` bytes when it has none.
    const std::string_view text(output, static_cast<std::size_t>(
        std::find(output, output + size, '\0') - output));

    std::size_t message = text.find("error:");
    if (message == npos)
        message = text.find("warning:");
    if (message == npos)
        return result;

    Location where;
    HintLine body;
    if (!readLocation(text, lineStartOf(text, message), message, where)) {
        if (linkHint(text, body)) {
            // The linker names no line: the caret stays.
            HintLine line;
            line.append("============连接时出错:   ");
            line.append(body.text());
            result.found = true;
            result.text = line.text();
            return result;
        }
        // Otherwise the two numbers in front of the message, whatever stands between them,
        // taken as a place in the student's file.
        std::size_t end = message;
        if (!readNumberBackward(text, end, where.column) || !readNumberBackward(text, end, where.line) ||
            where.line < 1 || where.column < 1)
            return result;
        where.file = student.name;
    }

    Rule rule{text, message, std::string_view(), student.source, where.line, where.column, std::string()};
    const std::size_t cutEnd =
        message < text.size() ? message + std::min(text.size() - message, kMessageCut) : text.size();
    rule.cut = text.substr(0, cutEnd);
    if (!isStudentsFile(where.file, student)) {
        // Located in logo.h or a library header: the student's line that led there.
        Location own;
        if (studentPlaceInOutput(text, message, student, own)) {
            rule.line = own.line;
            rule.column = own.column;
        } else {
            rule.line = lineOfMain(student.source);
            rule.column = 1;
            if (rule.line != 0) {
                const std::string_view mainLine = sourceLine(student.source, rule.line);
                rule.column = static_cast<int>(std::min(mainLine.find_first_not_of(" \t"), mainLine.size())) + 1;
            }
        }
    }
    if (!refinedHint(rule, body)) {
        body = HintLine();
        hintForMessage(text, message, body);
    }

    if (rule.line < 1) {
        HintLine line;
        line.append("============编译出错:   ");
        line.append(body.text());
        result.found = true;
        result.text = line.text();
        result.suggestion = rule.suggestion;
        return result;
    }
    char header[96];
    std::snprintf(header, sizeof header, "============在第 %d 行第 %d 列附近有错误:   ", rule.line,
                  std::max(rule.column, 1));
    HintLine line;
    line.append(header);
    line.append(body.text());
    result.found = true;
    result.line = rule.line;
    result.column = std::max(rule.column, 1);
    result.text = line.text();
    result.suggestion = rule.suggestion;
    return result;
}
