// Tests of the compiler message translation. Compiled with -fexec-charset=GBK, so the
// expected narrow literals below are the GBK bytes the panel receives.
#include "message_translation.h"
#include "student_source.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

MessageHint translate(const std::string& output) {
    return composeFirstMessageHint(output.data(), output.size());
}

// The header for line and column, as the translation writes it.
std::string header(int line, int column) {
    return "============在第 " + std::to_string(line) + " 行第 " + std::to_string(column) +
           " 列附近有错误:   ";
}

struct Case {
    const char* output;
    const char* expected;  // the whole panel line
};

// One compiler message per row and the line the panel must show for it.
const Case kWorkedResults[] = {
    {"main.cpp:12:5: error: 'foo' was not declared in this scope",
     "============在第 12 行第 5 列附近有错误:    'foo' 未定义."},
    {"main.cpp:7:1: error: expected ';' before '}' token",
     "============在第 7 行第 1 列附近有错误:   '}'  前面可能缺少  ';'"},
    {"main.cpp:7:9: error: expected primary-expression before ')' token",
     "============在第 7 行第 9 列附近有错误:   ')'  前面可能缺少 数值"},
    {"main.cpp:3:1: error: expected unqualified-id before '{' token",
     "============在第 3 行第 1 列附近有错误:   '{'  前面可能多了 '}'，或其他错误."},
    {"main.cpp:20:1: error: expected '}' at end of input",
     "============在第 20 行第 1 列附近有错误:    程序缺少  '}'"},
    {"main.cpp:5:9: error: 'class Tpen2' has no member named 'fdd'",
     "============在第 5 行第 9 列附近有错误:    没有叫 'fdd' 的命令（函数）或变量 "},
    {"main.cpp:5:12: error: no matching function for call to 'Tpen2::fd(int, int)'",
     "============在第 5 行第 12 列附近有错误:   'fd(int, int)' 的命令(函数)格式不对：参数的个数或类型不对"},
    {"main.cpp:6:9: error: no match for 'operator+' (operand types are 'Tpen2' and 'int')",
     "============在第 6 行第 9 列附近有错误:    这个类型没有运算符: '+'"},
    {"main.cpp:6:7: error: request for member 'fd' in 'a', which is of non-class type 'int'",
     "============在第 6 行第 7 列附近有错误:   'fd' 函数调用不合法, 前面可能是类型 'int'"},
    {"main.cpp:6:1: error: stray '\\243' in program",
     "============在第 6 行第 1 列附近有错误:    这一行有中文字符，可能是：分号、逗号、圆括号、数字等"},
    {"main.cpp:2:1: error: 'pen2' does not name a type",
     "============在第 2 行第 1 列附近有错误:    'pen2' 不是类型名？"},
};

// The header bytes are fixed: twelve equals signs, GBK text, three spaces.
TEST(MessageTranslation, HeaderBytes) {
    const MessageHint hint = translate("a.cpp:12:5: error: something else entirely");
    ASSERT_TRUE(hint.found);
    const std::string expected =
        "============\xD4\xDA\xB5\xDA 12 \xD0\xD0\xB5\xDA 5 "
        "\xC1\xD0\xB8\xBD\xBD\xFC\xD3\xD0\xB4\xED\xCE\xF3:   ";
    EXPECT_EQ(expected, hint.text);
    EXPECT_EQ(header(12, 5), hint.text);
}

// Every worked result, alone and inside the output a real build step captures: the
// function-context line before it, the source excerpt after it and the failure text the
// build driver appends. The surroundings must not change the line.
TEST(MessageTranslation, WorkedResults) {
    for (const Case& c : kWorkedResults) {
        const std::string alone = c.output;
        const std::string captured = "main.cpp: In function 'int work_zq()':\n" + alone +
                                     "\n    5 |     pen.fd(100);\n      |     ^~~\n编译失败...";
        for (const std::string& output : {alone, captured}) {
            const MessageHint hint = translate(output);
            ASSERT_TRUE(hint.found) << output;
            EXPECT_EQ(c.expected, hint.text) << output;
        }
    }
}

TEST(MessageTranslation, WorkedResultsMoveTheCaretToLineAndColumn) {
    const MessageHint hint = translate(kWorkedResults[6].output);
    EXPECT_EQ(5, hint.line);
    EXPECT_EQ(12, hint.column);
    const MessageHint windowsPath = translate("C:\\work\\qiv_01.cpp:123:45: error: x");
    EXPECT_EQ(123, windowsPath.line);
    EXPECT_EQ(45, windowsPath.column);
}

// Which message is translated, and when nothing is.
TEST(MessageTranslation, ChoosesTheFirstErrorElseTheFirstWarning) {
    const std::string warningsThenErrors =
        "main.cpp:3:9: warning: division by zero [-Wdiv-by-zero]\n"
        "main.cpp:4:5: warning: unused variable 'k' [-Wunused-variable]\n"
        "main.cpp:8:3: error: 'zz' was not declared in this scope\n"
        "main.cpp:9:3: error: 'yy' was not declared in this scope\n";
    MessageHint hint = translate(warningsThenErrors);
    ASSERT_TRUE(hint.found);
    EXPECT_EQ(8, hint.line);
    EXPECT_EQ(3, hint.column);
    EXPECT_EQ(header(8, 3) + " 'zz' 未定义.", hint.text);

    hint = translate("main.cpp:3:9: warning: division by zero [-Wdiv-by-zero]\n"
                     "main.cpp:4:5: warning: unused variable 'k'\n");
    ASSERT_TRUE(hint.found);
    EXPECT_EQ(3, hint.line);
    EXPECT_EQ(9, hint.column);
    EXPECT_EQ(header(3, 9) + " 不能除 0", hint.text);

    hint = translate("main.cpp:1:10: fatal error: x.h: No such file or directory\n"
                     "compilation terminated.\n");
    ASSERT_TRUE(hint.found);
    EXPECT_EQ(1, hint.line);
    EXPECT_EQ(10, hint.column);
    EXPECT_EQ(header(1, 10) + " 没有这个文件或目录", hint.text);
}

TEST(MessageTranslation, NothingWithoutAUsablePosition) {
    const char* const outputs[] = {
        "",
        "collect2.exe: ld returned 1 exit status",            // neither error: nor warning:
        "main.cpp: error: 'x' was not declared in this scope",  // no digits at all
        "main.cpp:12: error: 'x' was not declared",             // one number only
        "error: 'x' was not declared in this scope",            // message at the first byte
        "5: error: x",                                          // the only digit is the first byte
        "main.cpp:0:5: error: x",                               // line below 1
        "main.cpp:7:0: error: x",                               // column below 1
        "main.cpp:7:00: warning: x",
        "main.cpp:99999999999:5: error: x",                     // does not fit an int
        "main.cpp:7:2147483648: error: x",
    };
    for (const char* output : outputs) {
        const MessageHint hint = translate(output);
        EXPECT_FALSE(hint.found) << output;
        EXPECT_TRUE(hint.text.empty()) << output;
    }
    // The largest int still counts; leading zeros do not make a number too large.
    MessageHint hint = translate("m.cpp:2147483647:0000000000001: error: x");
    EXPECT_TRUE(hint.found);
    EXPECT_EQ(2147483647, hint.line);
    EXPECT_EQ(1, hint.column);
    // The run of digits may reach the first byte, as long as it was found after it.
    hint = translate("12:5: error: x");
    EXPECT_TRUE(hint.found);
    EXPECT_EQ(12, hint.line);
    EXPECT_FALSE(translate("9:5: error: x").found);
}

TEST(MessageTranslation, TextEndsAtTerminatorOrSize) {
    const std::string withZero = "main.cpp:4:2: error: x\0 'a' was not declared in this scope"s;
    EXPECT_EQ(header(4, 2), translate(withZero).text);
    // Only `size` bytes are read: the rule phrase beyond them does not count.
    const std::string full = "main.cpp:4:2: error: division by zero";
    EXPECT_EQ(header(4, 2), composeFirstMessageHint(full.data(), full.size() - 1).text);
    EXPECT_FALSE(composeFirstMessageHint(full.data(), 18).found);  // "error:" cut off
    EXPECT_FALSE(composeFirstMessageHint(nullptr, 10).found);
}

// Messages of each rule beyond the worked results, with their exact hints.
TEST(MessageTranslation, RuleHints) {
    const Case cases[] = {
        // A function of no class, alone or with notes after it, and one whose arguments'
        // types hold colons: the name as it was called, never a '?' or a note's words.
        {"main.cpp:5:3: error: no matching function for call to 'foo(int)'",
         "'foo(int)' 的命令(函数)格式不对：参数的个数或类型不对"},
        {"main.cpp:5:3: error: no matching function for call to 'foo(int)'\n"
         "main.cpp:2:6: note: candidate: 'void foo()'",
         "'foo(int)' 的命令(函数)格式不对：参数的个数或类型不对"},
        {"main.cpp:3:12: error: no matching function for call to 'star(std::string&, int)'",
         "'star(std::string&, int)' 的命令(函数)格式不对：参数的个数或类型不对"},
        {"main.cpp:4:7: error: expected initializer before 'x'", "'x'  前面可能缺少 ?"},
        {"main.cpp:9:1: error: expected declaration before '}' token",
         "'}'  前面可能缺少 声明，有可能多了 '}',或其他错误."},
        {"main.cpp:9:1: error: expected ')' before ';' token", "';'  前面可能缺少  ')'"},
        {"main.cpp:9:1: error: expected unqualified-id at end of input", " 程序缺少 ?"},
        {"main.cpp:9:1: error: expected something", ""},
        {"main.cpp:6:1: error: stray '\\302' in program", " 这一行有中文字符"},
        {"main.cpp:6:1: error: stray '\\241' in program",
         " 这一行有中文字符，可能是：空格、加号等"},
        {"main.cpp:6:1: error: stray", " 这一行有中文字符"},
        {"main.cpp:6:7: error: request for member 'fd' in 'a'", "'fd' 函数调用不合法"},
        {"main.cpp:3:9: error: invalid operands of types 'int' and 'const char [3]' to "
         "binary 'operator+'",
         " 运算类型不合法"},
        {"main.cpp:3:9: error: invalid type argument of unary '*' (have 'int')",
         "'*' 参数不合法"},
        {"main.cpp:3:9: error: no match for 'operator<<' (operand types are 'std::ostream')",
         " 这个类型没有运算符: '<<'"},
        {"main.cpp:3:9: error: no match for 'operator==                                    x",
         " 这个类型没有?"},
        {"main.cpp:3:9: error: 'x' has no member named", " 没有叫 ? 的命令（函数）或变量 "},
        {"main.cpp:3:9: error: redefinition of 'int a'", "'int a' 重复定义了"},
        // Rule order: the first rule whose phrase occurs decides.
        {"main.cpp:3:9: error: expected 'x' before 'y' was not declared in this scope",
         " 'y' 未定义."},
        {"main.cpp:3:9: error: stray 'x' does not name a type", " 这一行有中文字符"},
    };
    for (const Case& c : cases) {
        const MessageHint hint = translate(c.output);
        ASSERT_TRUE(hint.found) << c.output;
        const std::string prefix = hint.text.substr(0, hint.text.find(":   ") + 4);
        EXPECT_EQ(c.expected, hint.text.substr(prefix.size())) << c.output;
    }
}

// Messages as GCC 12 (i686-w64-mingw32-g++ 12) writes them for the programs named in the
// comments, first line and CR LF as the build step captures them, and the hint each gives.
// Every rule is here with a real message of its kind, and so is each common beginner's
// mistake that has a rule of its own.
TEST(MessageTranslation, RealCompilerMessages) {
    const Case cases[] = {
        // foo = 3;
        {"C:\\work\\qiv_01.cpp:6:5: error: 'foo' was not declared in this scope\r\n", " 'foo' 未定义."},
        // int a = 1 }
        {"C:\\work\\qiv_01.cpp:1:23: error: expected ',' or ';' before '}' token\r\n", "'}'  前面可能缺少  ';'"},
        // int a = 1 <line break> return 0;
        {"C:\\work\\qiv_01.cpp:2:2: error: expected ',' or ';' before 'return'\r\n",
         "'return'  前面可能缺少  ';'"},
        // if (1 { }
        {"C:\\work\\qiv_01.cpp:1:18: error: expected ')' before '{' token\r\n", "'{'  前面可能缺少  ')'"},
        // int b = f(1 + );
        {"C:\\work\\qiv_01.cpp:1:39: error: expected primary-expression before ')' token\r\n",
         "')'  前面可能缺少 数值"},
        // int main() ; { }
        {"C:\\work\\qiv_01.cpp:1:14: error: expected unqualified-id before '{' token\r\n",
         "'{'  前面可能多了 '}'，或其他错误."},
        // } at the start of the file
        {"C:\\work\\qiv_01.cpp:1:1: error: expected declaration before '}' token\r\n",
         "'}'  前面可能缺少 声明，有可能多了 '}',或其他错误."},
        // if (1) {   and the file ends
        {"C:\\work\\qiv_01.cpp:1:21: error: expected '}' at end of input\r\n", " 程序缺少  '}'"},
        // struct T { int a; }   without ';'
        {"C:\\work\\qiv_01.cpp:1:20: error: expected ';' after struct definition\r\n", " 可能缺少 ';'"},
        // std::string s; s.fdd();
        {"C:\\work\\qiv_01.cpp:2:30: error: 'std::string' {aka 'class std::__cxx11::basic_string<char>'} "
         "has no member named 'fdd'\r\n",
         " 没有叫 'fdd' 的命令（函数）或变量 "},
        // t.fd(1, 2); with void fd(int)
        {"C:\\work\\qiv_01.cpp:1:50: error: no matching function for call to 'T::fd(int, int)'\r\n",
         "'fd(int, int)' 的命令(函数)格式不对：参数的个数或类型不对"},
        // int a = 1 / 0;
        {"C:\\work\\qiv_01.cpp:1:23: warning: division by zero [-Wdiv-by-zero]\r\n", " 不能除 0"},
        // t + 1; with struct T {}
        {"C:\\work\\qiv_01.cpp:1:32: error: no match for 'operator+' (operand types are 'T' and 'int')\r\n",
         " 这个类型没有运算符: '+'"},
        // #include "missing.h"
        {"C:\\work\\qiv_01.cpp:1:10: fatal error: missing.h: No such file or directory\r\n", " 没有这个文件或目录"},
        // int a = 1 + "x" * 2;
        {"C:\\work\\qiv_01.cpp:1:29: error: invalid operands of types 'const char [2]' and 'int' to binary "
         "'operator*'\r\n",
         " 运算类型不合法"},
        // int a = 0; a.fd(1);
        {"C:\\work\\qiv_01.cpp:1:26: error: request for member 'fd' in 'a', which is of non-class type 'int'\r\n",
         "'fd' 函数调用不合法, 前面可能是类型 'int'"},
        // int a = 1；   (a full-width semicolon, GBK A3 BB)
        {"C:\\work\\qiv_01.cpp:1:22: error: stray '\\243' in program\r\n",
         " 这一行有中文字符，可能是：分号、逗号、圆括号、数字等"},
        // int b = *a; with int a
        {"C:\\work\\qiv_01.cpp:1:32: error: invalid type argument of unary '*' (have 'int')\r\n", "'*' 参数不合法"},
        // pen2 q;
        {"C:\\work\\qiv_01.cpp:1:1: error: 'pen2' does not name a type\r\n", " 'pen2' 不是类型名？"},
        // T b = a; with T(const T&) = delete
        {"C:\\work\\qiv_01.cpp:1:65: error: use of deleted function 'T::T(const T&)'\r\n",
         "'T::T(const T&)' 是被删除的函数, 不能使用 (这种对象不能复制, 可以用引用 &)"},
        // std::ostream o = std::cout;   (the function's name is longer than the copier's window)
        {"C:\\work\\qiv_01.cpp:2:35: error: use of deleted function 'std::basic_ostream<_CharT, "
         "_Traits>::basic_ostream(const std::basic_ostream<_CharT, _Traits>&) [with _CharT = char; "
         "_Traits = std::char_traits<char>]'\r\n",
         "? 是被删除的函数, 不能使用 (这种对象不能复制, 可以用引用 &)"},
        // f(); with void f(int)
        {"C:\\work\\qiv_01.cpp:1:27: error: too few arguments to function 'void f(int)'\r\n",
         "'void f(int)' 的参数太少"},
        // f(1, 2); with void f(int)
        {"C:\\work\\qiv_01.cpp:1:27: error: too many arguments to function 'void f(int)'\r\n",
         "'void f(int)' 的参数太多"},
        // int a = "x";
        {"C:\\work\\qiv_01.cpp:1:21: error: invalid conversion from 'const char*' to 'int' [-fpermissive]\r\n",
         " 类型不对: 'const char*' 不能自动变成需要的类型"},
        // std::string s; int a = s;
        {"C:\\work\\qiv_01.cpp:2:36: error: cannot convert 'std::string' {aka "
         "'std::__cxx11::basic_string<char>'} to 'int' in initialization\r\n",
         " 类型不对: 'std::string' 不能自动变成需要的类型"},
        // 1 = a;
        {"C:\\work\\qiv_01.cpp:1:20: error: lvalue required as left operand of assignment\r\n",
         " 等号左边必须是变量 (判断相等要用 ==)"},
        // else a = 1;  without if
        {"C:\\work\\qiv_01.cpp:1:20: error: 'else' without a previous 'if'\r\n",
         " else 前面没有配对的 if (if 的条件后面可能多了 ';' 或少了 { })"},
        // const char*s = "abc;
        {"C:\\work\\qiv_01.cpp:1:28: error: missing terminating \" character\r\n", " 字符串或字符缺少结尾的引号"},
        // void f(){ return 1; }
        {"C:\\work\\qiv_01.cpp:1:18: error: return-statement with a value, in function returning 'void' "
         "[-fpermissive]\r\n",
         " void 函数不能返回值"},
        // int f(){ }
        {"C:\\work\\qiv_01.cpp:1:10: warning: no return statement in function returning non-void "
         "[-Wreturn-type]\r\n",
         " 函数缺少 return 语句"},
        // int a; int a;
        {"C:\\work\\qiv_01.cpp:1:24: error: redeclaration of 'int a'\r\n", "'int a' 重复定义了"},
    };
    for (const Case& c : cases) {
        const MessageHint hint = translate(c.output);
        ASSERT_TRUE(hint.found) << c.output;
        const std::string prefix = hint.text.substr(0, hint.text.find(":   ") + 4);
        EXPECT_EQ(c.expected, hint.text.substr(prefix.size())) << c.output;
        EXPECT_LT(hint.text.size(), kHintLineSize) << c.output;
    }
}

// Phrases are looked for only in the first 100 bytes of the message; tokens are not cut.
TEST(MessageTranslation, HundredByteCut) {
    const std::string head = "main.cpp:5:9: ";
    // "error: 'class " (14) + 60-byte name + "' " puts the phrase at offset 76 of the message.
    const std::string name(60, 'N');
    const std::string member = "'memberCrossingTheCut'";
    std::string output = head + "error: 'class " + name + "' has no member named " + member;
    ASSERT_LT(output.find("named") - head.size(), 100u);
    ASSERT_GT(output.find(member) + member.size() - head.size(), 100u);
    EXPECT_EQ(header(5, 9) + " 没有叫 " + member + " 的命令（函数）或变量 ", translate(output).text);

    // A phrase that ends on the 100th byte counts, one that needs the 101st does not.
    const std::string phrase = "was not declared in this scope";
    for (std::size_t pad : {0, 1}) {
        const std::string filler(100 - phrase.size() - 6 - 6 + pad, 'z');
        output = head + "error:" + filler + " 'ab' " + phrase;
        const std::string hint = translate(output).text.substr(header(5, 9).size());
        EXPECT_EQ(pad == 0 ? " 'ab' 未定义." : "", hint) << pad;
    }
}

// The copiers' windows, at their exact edges and at the end of the text.
TEST(MessageTranslation, CopierWindows) {
    struct Probe {
        std::string text;
        std::size_t position;
        bool (*copier)(std::string_view, std::size_t, HintLine&);
        std::string expected;
    };
    const std::string gap48(48, '.');
    const std::string gap28(28, '.');
    const std::string gap55(55, '.');
    const Probe probes[] = {
        {"'" + gap48 + "'", 0, copyQuotedAfter, "'" + gap48 + "'"}, // closing at byte 49: in
        {"x'" + gap48 + "'", 0, copyQuotedAfter, "?"},             // closing at byte 50: out
        {"'ab", 0, copyQuotedAfter, "?"},                          // text ends first
        {"xx'ab'", 2, copyQuotedAfter, "'ab'"},
        {" '" + gap28 + "'", 30, copyQuotedBefore, " '" + gap28 + "'"},  // earlier at position - 29
        {"'" + gap28 + "'x", 30, copyQuotedBefore, "?"},           // earlier at position - 30
        {"'ab'", 3, copyQuotedBefore, "'ab'"},                     // no byte before the token
        {"x 'ab' y", 7, copyQuotedBefore, " 'ab'"},
        {"x 'ab' y", 99, copyQuotedBefore, " 'ab'"},               // position past the end
        {"'A::b(int)'", 0, copyCalleeName, "'b(int)'"},
        {"'a'", 0, copyCalleeName, "'a'"},
        {"'A::B::c(std::string)'", 0, copyCalleeName, "'c(std::string)'"},  // the class goes, not the types
        {gap55 + "....'x:y'", 0, copyCalleeName, "'x:y'"},        // opening apostrophe at byte 59
        {gap55 + ".....'x'", 0, copyCalleeName, "?"},             // opening apostrophe at byte 60: out
        {"a::b::c", 0, copyCalleeName, "?"},                       // no closing apostrophe
    };
    for (const Probe& p : probes) {
        HintLine line;
        const bool copied = p.copier(p.text, p.position, line);
        EXPECT_EQ(p.expected, line.text()) << p.text;
        EXPECT_EQ(p.expected != "?", copied) << p.text;
    }
}

// The hint line keeps at most 179 bytes and a terminator, drops what does not fit, never
// ends in half a GBK character, and still tracks the write position.
TEST(MessageTranslation, HintLineBounds) {
    HintLine line(10);
    line.append("abcdefg");
    line.append("中");  // 2 bytes: exactly fills the 9 usable bytes
    EXPECT_EQ("abcdefg中", line.text());
    line.append("x");
    EXPECT_EQ(10u, line.position());
    EXPECT_EQ("abcdefg中", line.text());
    line.removeLast(4);
    EXPECT_EQ("abcdef", line.text());
    line.append("ab中文");  // the cut falls inside 中
    EXPECT_EQ("abcdefab", line.text());
    line.overwrite(0, "XY");
    EXPECT_EQ("XYcdefab", line.text());

    HintLine empty(1);
    empty.append("abc");
    empty.removeLast(10);
    EXPECT_EQ(0u, empty.position());
    EXPECT_EQ("", empty.text());
}

TEST(MessageTranslation, LongTokensAreCutAtTheEndOfTheLine) {
    // The callee copier copies up to the next apostrophe, however far: here almost the
    // whole 1,090-byte output. The line must stop at 179 bytes.
    std::string output = "main.cpp:1234:5678: error: no matching function for call to 'A::B:";
    output += std::string(1090 - output.size() - 1, 'q') + "'";
    ASSERT_EQ(1090u, output.size());
    MessageHint hint = translate(output);
    ASSERT_TRUE(hint.found);
    EXPECT_EQ(kHintLineSize - 1, hint.text.size());
    EXPECT_EQ((header(1234, 5678) + "'B:" + std::string(200, 'q')).substr(0, 179), hint.text);

    // The same with Chinese text: the cut falls inside a character, which is left out.
    output = "main.cpp:1:5678: error: no matching function for call to 'A::B:";
    while (output.size() < 1088)
        output += "中";
    output += "'";
    hint = translate(output);
    ASSERT_TRUE(hint.found);
    EXPECT_EQ(header(1, 5678).size() + 3, 48u);
    EXPECT_EQ(kHintLineSize - 2, hint.text.size());
    std::string chinese;
    while (chinese.size() < 130)
        chinese += "中";
    EXPECT_EQ(header(1, 5678) + "'B:" + chinese, hint.text);

    // The other rules' copies are bounded by their windows, which include the phrase:
    // their longest hints fit even with ten-digit numbers, and one byte more gives "?".
    for (std::size_t extra : {0, 1}) {
        const std::string first = "'" + std::string(29 + extra, 't') + "'";
        const std::string second = "'" + std::string(21 + extra, 'u') + "'";
        output = "m.cpp:2147483647:2147483647: error: request for member " + first +
                 ", which is of non-class type " + second;
        hint = translate(output);
        const std::string expected =
            header(2147483647, 2147483647) + (extra ? "?" : first) + " 函数调用不合法" +
            ", 前面可能是类型 " + (extra ? "?" : second);
        EXPECT_EQ(expected, hint.text);
        EXPECT_LE(hint.text.size(), kHintLineSize - 1);
    }
}

// Outputs of 1,090 bytes stitched from the phrases, quotes, colons and digits the rules react
// to, with long tokens: whatever the rule, the line stays within its buffer and begins with
// the header of the line and column found.
TEST(MessageTranslation, RandomOutputsStayWithinTheLine) {
    const std::vector<std::string> pieces = {
        "main.cpp:9999:9999: ", "error: ", "warning: ", "'", "::", ":", " ", "\n",
        "was not declared in this scope", "expected ", "before ", "primary-expression before",
        "unqualified-id before", "declaration before", "at end of input",
        "has no member named", "no matching function for call to", "no match for 'operator",
        "request for member", "which is of non-class type", "stray", "'\\241'",
        "invalid type argument of", "does not name a type", "中文", "\xA1", "\xFE",
        std::string(40, 'L'), std::string(70, 'M'), "7"};
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    int found = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string output;
        while (output.size() < 1090)
            output += pieces[pick(random)];
        output.resize(1090);
        const MessageHint hint = translate(output);
        ASSERT_LE(hint.text.size(), kHintLineSize - 1) << output;
        if (hint.found) {
            ++found;
            ASSERT_GE(hint.line, 1);
            ASSERT_GE(hint.column, 1);
            ASSERT_EQ(0u, hint.text.rfind(header(hint.line, hint.column), 0));
        }
    }
    EXPECT_GT(found, 10000);
}

// Rules that read the student's file (GBK bytes) or the message's place: one row each, the
// output as GCC 12 wrote it, the file, and the caret and text the hint must give.
struct SourceCase {
    const char* output;
    const char* source;
    int line, column;      // the caret; line 0: no caret move
    const char* expected;  // what follows the header
    const char* suggestion;
};

const char kLogo[] = "C:\\Program Files\\Notepad++\\Qiv\\logo.h";

TEST(MessageTranslation, RulesThatReadTheStudentsFile) {
    const std::string logo = kLogo;
    const std::string voidMain = "In file included from <command-line>:\n" + logo +
                                 ":372:14: error: ambiguating new declaration of 'void work_zq()'\n";
    const std::string cinText = "In file included from <command-line>:\n" + logo +
                                ": In instantiation of 'Twin& Twin::operator>>(T&) [with T = const char [5]]':\n"
                                "C:\\d\\a.cpp:7:12:   required from here\n" +
                                logo + ":170:14: error: no match for 'operator>>' (operand types are 'std::stringstream'";
    const SourceCase cases[] = {
        // The exact character, from the bytes of the line (a full-width semicolon, A3 BB).
        {"C:\\d\\a.cpp:2:16: error: stray '\\243' in program", "int main()\n    pen.fd(100)\xA3\xBB\n", 2, 16,
         " 这里用了中文分号 '；'，请改成英文分号 ';'", ""},
        // Full-width space and digit; a Chinese name.
        {"C:\\d\\a.cpp:1:8: error: stray '\\241' in program", "    int\xA1\xA1n = 5;", 1, 8,
         " 这里用了中文空格（全角空格），请改成英文空格或删掉", ""},
        {"C:\\d\\a.cpp:1:12: error: stray '\\243' in program", "    pen.fd(\xA3\xB1);", 1, 12,
         " 这里用了全角数字 '１'，请改成 '1'", ""},
        {"C:\\d\\a.cpp:1:9: error: stray '\\263' in program", "    int \xB3\xA4\xB6\xC8 = 1;", 1, 9,
         " 中文 '长度' 不能做名字，变量名只能用英文字母、数字和 _（文字要放在双引号里）", ""},
        // Located in logo.h: the student's main, and the line that was "required from here".
        {voidMain.c_str(), "//x\nvoid main()\n{\n}\n", 2, 1, " main 必须写成 int main()", ""},
        {cinText.c_str(), "", 7, 12, " cin >> 后面只能写变量；要显示的文字请用 cout << 输出", ""},
        // getline as the standard library writes it: the dialect reads a line with cin.getline.
        {"C:\\d\\a.cpp:3:12: error: no matching function for call to 'getline(Twin&, std::string&)'",
         "string s;\n\n    getline(cin, s);", 3, 12, " 读入一整行要写成 cin.getline(变量)，例如 cin.getline(s)", ""},
        // Linker messages name no line.
        {"ld.exe: logoLib.a(run_control.cpp.obj):(.text+0xe07): undefined reference to `work_zq()'\n"
         "collect2.exe: error: ld returned 1 exit status", "int mian() {}", 0, 0,
         " 没有 main 函数（是不是写成了 mian 或 Main？）", ""},
        {"ld.exe: a.o:a.cpp:(.text+0x16): undefined reference to `star(int, int)'\n"
         "collect2.exe: error: ld returned 1 exit status", "", 0, 0, " 函数 'star' 只有声明没有定义", ""},
        {"ld.exe: cannot open output file C:\\d\\a.exe: Permission denied\n"
         "collect2.exe: error: ld returned 1 exit status", "", 0, 0,
         " 程序还在运行，不能写入新的 .exe 文件：请先关掉正在运行的程序", ""},
        // The warning about work_zq is a missing return 0;.
        {"C:\\d\\a.cpp: In function 'int work_zq()':\nC:\\d\\a.cpp:3:1: warning: no return statement in "
         "function returning non-void [-Wreturn-type]", "int main()\n{\n}\n", 3, 1,
         " main 函数的最后缺少 return 0;（加在最后的 '}' 前面）", ""},
        // "expected ';'" that is really a missing '.', '<<', ')' or a for with commas.
        {"C:\\d\\a.cpp:1:16: error: expected ';' before 'rt'", "    pen.fd(100)rt(90);", 1, 16,
         " 'rt' 前面缺少 '.'（或者 ';'）", ""},
        {"C:\\d\\a.cpp:1:17: error: expected ';' before 'n'", "    cout << \"n=\" n;", 1, 17,
         " 'n' 前面缺少 '<<'", ""},
        {"C:\\d\\a.cpp:1:16: error: expected ';' before ')' token", "    pen.fd(100));", 1, 16, " 这里多了一个 ')'", ""},
        {"C:\\d\\a.cpp:1:22: error: expected ';' before '<' token", "    for (int i = 0, i < 4, i++)", 1, 22,
         " for 的括号里要有两个 ';' 分开三部分，例如 for (int i = 0; i < 4; i++)", ""},
        // The semicolon GCC misses at the start of the next line goes at the end of this one.
        {"C:\\d\\a.cpp:2:5: error: expected ',' or ';' before 'int'", "    int n = 5\n    int m;", 1, 14,
         " 这一行的末尾缺少 ';'", ""},
        // A brace without its partner, by indentation.
        {"C:\\d\\a.cpp:6:1: error: expected '}' at end of input",
         "int main()\n{\n    if (1)\n    {\n        pen.fd(1);\n}\n", 4, 5, " 这个 '{' 缺少配对的 '}'", ""},
        // Not declared: GCC's suggestion, a variable of a loop, a function below main.
        {"C:\\d\\a.cpp:2:5: error: 'Pen' was not declared in this scope; did you mean 'pen'?", "\n    Pen.fd(1);", 2, 5,
         " 'Pen' 未定义.", "你是不是想写 'pen'？"},
        {"C:\\d\\a.cpp:2:13: error: 'i' was not declared in this scope", "for (int i = 0; i < 4; i++) {}\ncout << i;",
         2, 13, " 'i' 只在定义它的循环或 { } 里面有效，这里已经在外面了", ""},
        {"C:\\d\\a.cpp:1:5: error: 'square' was not declared in this scope", "    square();\nvoid square() {}", 1, 5,
         " 函数 'square' 写在了后面：要把它移到 main 的前面，或者先在前面声明", ""},
    };
    for (const SourceCase& c : cases) {
        const std::string output = c.output;
        const MessageHint hint = composeFirstMessageHint(output.data(), output.size(), StudentFile{"a.cpp", c.source});
        ASSERT_TRUE(hint.found) << c.output;
        EXPECT_EQ(c.line, hint.line) << c.output;
        const std::string head = c.line > 0 ? header(c.line, c.column)
                                            : std::string("============连接时出错:   ");
        EXPECT_EQ(head + c.expected, hint.text) << c.output;
        EXPECT_EQ(c.suggestion, hint.suggestion) << c.output;
        EXPECT_EQ(std::string::npos, hint.text.find('?')) << c.output;
    }
}

// Without the student's file nothing is guessed from it, and a message in a header that
// names no place of the student's moves no caret.
TEST(MessageTranslation, HeaderMessagesWithoutTheFileMoveNoCaret) {
    const std::string output = std::string(kLogo) + ":372:14: error: ambiguating new declaration of 'void work_zq()'";
    const MessageHint hint = composeFirstMessageHint(output.data(), output.size(), StudentFile{"a.cpp", ""});
    ASSERT_TRUE(hint.found);
    EXPECT_EQ(0, hint.line);
    EXPECT_EQ("============编译出错:    main 必须写成 int main()", hint.text);
}

// A line number far past the end of the student's file (a damaged report) is answered at
// once: the search for the code before it starts at the file's last line. It took seconds
// per message when it counted down from the number given.
TEST(MessageTranslation, LineNumbersPastTheFileAreAnsweredAtOnce) {
    const std::string output = "C:\\d\\a.cpp:2147483647:1: error: expected ';' before '}' token";
    const auto start = std::chrono::steady_clock::now();
    const MessageHint hint =
        composeFirstMessageHint(output.data(), output.size(), StudentFile{"a.cpp", "int main()\n{\n    pen.fd(1)\n}\n"});
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(hint.found);
    EXPECT_LT(seconds, 1.0);
    char last = 0;
    const SourcePlace place = codeEndBefore("a\nb;\n\n", 2147483647, last);
    EXPECT_EQ(2, place.line);
    EXPECT_EQ(';', last);
}

}  // namespace
