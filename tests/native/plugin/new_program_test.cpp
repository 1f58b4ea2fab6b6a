// New-program templates (exact GBK bytes) and the free-name search over a simulated folder.
#include "new_program.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The templates as GBK bytes, written out independently of the compiler's charset options.
const std::string qivTemplateBytes =
    "//\xb3\xcc\xd0\xf2\xc3\xfb:\xd0\xc2\xb5\xc4Qiv\xb3\xcc\xd0\xf2\n"  // //程序名:新的Qiv程序
    "//\xd7\xf7\xd5\xdf: \n"                                             // //作者:
    "\n"
    "int main()\n"
    "{\n"
    "     \n"
    "\n"
    "    return 0;\n"
    "}";

const std::string cppTemplateBytes =
    "//\xb3\xcc\xd0\xf2\xc3\xfb:\xd0\xc2\xb5\xc4" "C++\xb3\xcc\xd0\xf2\n"  // //程序名:新的C++程序
    "//\xd7\xf7\xd5\xdf: \n"
    "\n"
    "#include<iostream>\n"
    "#include<fstream>\n"
    "#include<algorithm>\n"
    "\n"
    "using namespace std;\n"
    "int main()\n"
    "{\n"
    "     \n"
    "\n"
    "    return 0;\n"
    "}";

TEST(NewProgramTemplate, QivTemplateIsTheExact66GbkBytes) {
    const std::string text = programKindInfo(ProgramKind::Qiv).templateText;
    EXPECT_EQ(66u, text.size());
    EXPECT_EQ(qivTemplateBytes, text);
}

TEST(NewProgramTemplate, CppTemplateIsTheExact145GbkBytes) {
    const std::string text = programKindInfo(ProgramKind::Cpp).templateText;
    EXPECT_EQ(145u, text.size());
    EXPECT_EQ(cppTemplateBytes, text);
}

TEST(NewProgramTemplate, CaretPositionsAndStems) {
    const ProgramKindInfo &qiv = programKindInfo(ProgramKind::Qiv);
    const ProgramKindInfo &cpp = programKindInfo(ProgramKind::Cpp);
    EXPECT_EQ(5, qiv.caretLine);
    EXPECT_EQ(5, qiv.caretColumn);
    EXPECT_EQ(10, cpp.caretLine);
    EXPECT_EQ(5, cpp.caretColumn);
    EXPECT_EQ(std::wstring(L"qiv_06.cpp"), programFileName(ProgramKind::Qiv, 6));
    EXPECT_EQ(std::wstring(L"c++_91.cpp"), programFileName(ProgramKind::Cpp, 91));
}

// A folder of existing files; records every name the search asked about.
struct SimulatedFolder {
    std::set<std::wstring> files;
    std::vector<std::wstring> asked;

    void add(ProgramKind kind, int from, int to) {
        for (int n = from; n <= to; ++n) files.insert(L"C:\\work\\" + programFileName(kind, n));
    }
    std::optional<std::wstring> search(ProgramKind kind, const std::wstring &folder = L"C:\\work") {
        return findFreeProgramPath(folder, kind, [this](const std::wstring &path) {
            asked.push_back(path);
            return files.count(path) != 0;
        });
    }
};

TEST(FreeNameSearch, EmptyFolderGivesNumberOne) {
    SimulatedFolder folder;
    EXPECT_EQ(std::optional<std::wstring>(L"C:\\work\\qiv_01.cpp"), folder.search(ProgramKind::Qiv));
    EXPECT_EQ(1u, folder.asked.size());
}

TEST(FreeNameSearch, FirstGapAfterOneToFive) {
    SimulatedFolder folder;
    folder.add(ProgramKind::Qiv, 1, 5);
    EXPECT_EQ(std::optional<std::wstring>(L"C:\\work\\qiv_06.cpp"), folder.search(ProgramKind::Qiv));
}

TEST(FreeNameSearch, TenIsSkippedAfterOneToNine) {
    SimulatedFolder folder;
    folder.add(ProgramKind::Qiv, 1, 9);
    folder.files.insert(L"C:\\work\\c++_11.cpp");  // other kind does not count
    EXPECT_EQ(std::optional<std::wstring>(L"C:\\work\\qiv_11.cpp"), folder.search(ProgramKind::Qiv));
    EXPECT_EQ(10u, folder.asked.size());
}

TEST(FreeNameSearch, GapInTheMiddleIsFound) {
    SimulatedFolder folder;
    folder.add(ProgramKind::Cpp, 1, 99);
    folder.files.erase(L"C:\\work\\c++_47.cpp");
    EXPECT_EQ(std::optional<std::wstring>(L"C:\\work\\c++_47.cpp"), folder.search(ProgramKind::Cpp));
}

TEST(FreeNameSearch, EightyOneTakenLeavesTheNineties) {
    SimulatedFolder folder;
    folder.add(ProgramKind::Qiv, 1, 89);  // 01..09, 11..19, ..., 81..89: 81 names
    EXPECT_EQ(std::optional<std::wstring>(L"C:\\work\\qiv_91.cpp"), folder.search(ProgramKind::Qiv));
}

TEST(FreeNameSearch, EveryNameTakenGivesNoName) {
    SimulatedFolder folder;
    folder.add(ProgramKind::Qiv, 1, 99);
    EXPECT_EQ(std::nullopt, folder.search(ProgramKind::Qiv));
    // Every name tried once, in order, none ending in 0.
    ASSERT_EQ(static_cast<size_t>(programNumberCount), folder.asked.size());
    EXPECT_EQ(std::wstring(L"C:\\work\\qiv_01.cpp"), folder.asked.front());
    EXPECT_EQ(std::wstring(L"C:\\work\\qiv_11.cpp"), folder.asked[9]);
    EXPECT_EQ(std::wstring(L"C:\\work\\qiv_99.cpp"), folder.asked.back());
    for (const std::wstring &path : folder.asked) {
        EXPECT_NE(L'0', path[path.size() - 5]) << std::string(path.begin(), path.end());
    }
}

TEST(FreeNameSearch, FolderWithTrailingBackslashGetsOneSeparator) {
    SimulatedFolder folder;
    EXPECT_EQ(std::optional<std::wstring>(L"C:\\qiv_01.cpp"), folder.search(ProgramKind::Qiv, L"C:\\"));
    EXPECT_EQ(std::wstring(L"D:\\a\\b"), joinPath(L"D:\\a", L"b"));
}

}  // namespace
