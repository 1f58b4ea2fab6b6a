// The two kinds of new program: their template text, file names and caret position, and
// the search for the first free file name in a folder. Pure logic, no Windows calls.
#ifndef QIV_PLUGIN_NEW_PROGRAM_H
#define QIV_PLUGIN_NEW_PROGRAM_H

#include <functional>
#include <optional>
#include <string>

enum class ProgramKind { Qiv, Cpp };

// What distinguishes "新建Qiv程序" from "C++新程序".
struct ProgramKindInfo {
    const char *templateText;  // ANSI (GBK) bytes, '\n' line ends, no final line end
    const wchar_t *fileStem;   // L"qiv_" or L"c++_"; the number and ".cpp" follow
    int caretLine;             // caret placed with gotoLineColumn(caretLine, caretColumn)
    int caretColumn;
};

const ProgramKindInfo &programKindInfo(ProgramKind kind);

// The numbers tried for a new file, in order: 1..9, 11..19, ..., 91..99 (a units digit of
// 0 is never used): ten tens digits times nine units digits.
constexpr int programNumberCount = 90;

// File name of program number n (1..99), e.g. L"qiv_06.cpp".
std::wstring programFileName(ProgramKind kind, int number);

// Joins a folder and a name with one backslash between them.
std::wstring joinPath(const std::wstring &folder, const std::wstring &name);

// The first path folder\stem_NN.cpp for which exists() is false, trying the numbers in the
// order above. Returns nothing when every name is taken: the caller must not save.
std::optional<std::wstring> findFreeProgramPath(
    const std::wstring &folder, ProgramKind kind,
    const std::function<bool(const std::wstring &)> &exists);

#endif
