// Compiler message translation. This file is compiled with -fexec-charset=GBK: its narrow
// literals become GBK bytes, the same bytes the compiler writes and the panel expects.
#include "message_translation.h"

#include <algorithm>
#include <climits>
#include <cstdio>

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

bool copyCalleeName(std::string_view text, std::size_t position, HintLine& line) {
    const std::size_t end =
        position < text.size() ? position + std::min(text.size() - position, kCalleeWindow) : position;
    int marks = 0;
    std::size_t third = npos;
    for (std::size_t i = position; i < end && marks < 4; ++i) {
        if (text[i] == '\'' || text[i] == ':') {
            if (++marks == 3)
                third = i;
        }
    }
    if (marks == 4) {
        const std::size_t closing = text.find('\'', third + 1);
        if (closing != npos) {
            line.append("'");
            line.append(text.substr(third + 1, closing - third));
            return true;
        }
    }
    line.append("?");
    return false;
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

MessageHint composeFirstMessageHint(const char* output, std::size_t size) {
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

    std::size_t end = message;
    int column = 0;
    int lineNumber = 0;
    if (!readNumberBackward(text, end, column) || !readNumberBackward(text, end, lineNumber))
        return result;
    if (lineNumber < 1 || column < 1)
        return result;

    char header[96];
    std::snprintf(header, sizeof header, "============在第 %d 行第 %d 列附近有错误:   ",
                  lineNumber, column);
    HintLine line;
    line.append(header);
    hintForMessage(text, message, line);

    result.found = true;
    result.line = lineNumber;
    result.column = column;
    result.text = line.text();
    return result;
}
