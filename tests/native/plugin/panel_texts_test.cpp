// Failure lines written into the output panel name what the user needs to act on.
#include "panel_texts.h"

#include <gtest/gtest.h>

namespace {

bool contains(const std::wstring &text, const std::wstring &part) {
    return text.find(part) != std::wstring::npos;
}

TEST(PanelTexts, NoFreeNameLineNamesTheFolderAndTheKindsPattern) {
    const std::wstring qiv = noFreeNameLine(ProgramKind::Qiv, L"D:\\lessons");
    EXPECT_TRUE(contains(qiv, L"D:\\lessons"));
    EXPECT_TRUE(contains(qiv, L"qiv_NN.cpp"));
    EXPECT_FALSE(contains(qiv, L"c++_"));
    const std::wstring cpp = noFreeNameLine(ProgramKind::Cpp, L"D:\\lessons");
    EXPECT_TRUE(contains(cpp, L"c++_NN.cpp"));
    EXPECT_FALSE(contains(cpp, L"qiv_"));
    // One panel line: no line break inside.
    EXPECT_FALSE(contains(qiv, L"\n"));
    EXPECT_FALSE(contains(cpp, L"\r"));
}

TEST(PanelTexts, PathFailuresNameThePath) {
    EXPECT_TRUE(contains(saveFailedLine(L"C:\\a\\qiv_01.cpp"), L"C:\\a\\qiv_01.cpp"));
    EXPECT_TRUE(contains(sampleFolderFailedLine(L"C:\\npp\\Qiv\\Help\\demo"), L"C:\\npp\\Qiv\\Help\\demo"));
    EXPECT_TRUE(contains(helpFileFailedLine(L"C:\\x\\index.html"), L"C:\\x\\index.html"));
}

// The build's and the run's reports: one line each, naming what the student must do.
TEST(PanelTexts, BuildAndRunReportsAreOneLineEach) {
    const std::wstring lines[] = {
        unsavedDocumentLine(),
        noProgramToRunLine(L""),
        noProgramToRunLine(L"C:\\work\\qiv_01.exe"),
        programStartFailedLine(L"C:\\work\\qiv_01.exe"),
        convertedToAnsiLine(L"UTF-8"),
        notConvertibleLine(12, U"\U0001F600"),
        conversionFailedLine(),
    };
    for (const std::wstring &line : lines) {
        EXPECT_FALSE(line.empty());
        EXPECT_FALSE(contains(line, L"\n"));
        EXPECT_FALSE(contains(line, L"\r"));
    }
    EXPECT_TRUE(contains(noProgramToRunLine(L"C:\\work\\qiv_01.exe"), L"C:\\work\\qiv_01.exe"));
    EXPECT_TRUE(contains(programStartFailedLine(L"C:\\w\\a b.exe"), L"C:\\w\\a b.exe"));
    EXPECT_TRUE(contains(convertedToAnsiLine(L"UTF-16"), L"UTF-16"));
}

// The line that refuses a conversion names the line and the character itself.
TEST(PanelTexts, NotConvertibleLineNamesLineAndCharacter) {
    const std::wstring line = notConvertibleLine(12, U"\U0001F600");
    EXPECT_TRUE(contains(line, L"第 12 行"));
    const std::wstring smile = sizeof(wchar_t) == 2 ? std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}
                                                    : std::wstring(1, wchar_t(0x1F600));
    EXPECT_TRUE(contains(line, smile));
    EXPECT_TRUE(contains(notConvertibleLine(3, U"\uD55C"), std::wstring(1, wchar_t(0xD55C))));
}

}  // namespace
