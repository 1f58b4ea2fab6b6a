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

}  // namespace
