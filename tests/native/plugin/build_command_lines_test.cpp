// The build driver's command lines and panel texts, character for character: the tools and
// the students' habits depend on every space and quote.
#include "build_command_lines.h"

#include <gtest/gtest.h>

namespace {

const BuildNames lesson{L"C:\\npp", L"C:\\work", L"qiv_01.cpp", L"qiv_01"};

TEST(BuildCommandLines, DialectCompileAndLink) {
    EXPECT_EQ(std::wstring(L"\"C:\\npp\\MinGw\\bin\\g++.exe\"  -pipe -xc++  -c  "
                           L"\"C:\\work\\qiv_01.cpp\" -o \"C:\\work\\qiv_01.o\"  "
                           L"-include\"C:\\npp\\Qiv\\logo.h\"  -I\"C:\\npp\\MinGW\\include\" "),
              compileCommand(lesson));
    // Three spaces after the program's name; ends with -g3, no trailing space.
    EXPECT_EQ(std::wstring(L"\"C:\\npp\\MinGw\\bin\\g++.exe\"  -pipe \"C:\\work\\qiv_01.o\" "
                           L"\"C:\\npp\\Qiv\\Qiv_private.res\" -o \"C:\\work\\qiv_01.exe\"   "
                           L"-static-libstdc++  -static-libgcc  -mwindows "
                           L"\"C:\\npp\\Qiv\\logoLib.a\" -loleaut32 -luuid -g3"),
              linkCommand(lesson));
}

TEST(BuildCommandLines, CppOneStep) {
    const BuildNames cpp{L"C:\\npp", L"C:\\work", L"c++_01.cpp", L"c++_01"};
    EXPECT_EQ(std::wstring(L"\"C:\\npp\\MinGw\\bin\\g++.exe\"  -pipe -xc++   "
                           L"\"C:\\work\\c++_01.cpp\" -o \"C:\\work\\c++_01.exe\"  "
                           L"-I\"C:\\npp\\MinGW\\include\"  -static-libstdc++ -static-libgcc "),
              cppCommand(cpp));
    EXPECT_EQ(std::wstring(L"C:\\npp\\Qiv\\tools\\runPause.bat"), runPauseFile(cpp));
    EXPECT_EQ(std::wstring(L"\"C:\\work\\c++_01.exe\" pause"), runPauseParameters(cpp));
}

TEST(BuildCommandLines, StoppingAndDeletingTheOldBuild) {
    EXPECT_EQ(std::wstring(L"\"C:\\npp\\Qiv\\tools\\killprocess.exe\""), killToolFile(lesson));
    EXPECT_EQ(std::wstring(L" as.exe cc1plus.exe qiv_01.exe "), killToolParameters(lesson));
    // The build looks for exactly the programs the tool would end.
    EXPECT_EQ((std::vector<std::wstring>{L"as.exe", L"cc1plus.exe", L"qiv_01.exe"}), stopToolImages(lesson));
    EXPECT_EQ(std::wstring(L"C:\\work\\qiv_01.exe"), besideSource(lesson, L".exe"));
    EXPECT_EQ(std::wstring(L"\"C:\\npp\\MinGW\\bin\\rm.exe\" -f \"C:\\work\\qiv_01.o\" "
                           L"\"C:\\work\\qiv_01.exe\" "),
              deleteCommand(lesson));
}

TEST(BuildCommandLines, NamesWithSpacesAndChineseAreInsertedAsTheyAre) {
    const BuildNames odd{L"D:\\Program Files\\npp", L"D:\\我的 程序", L"画图.cpp", L"画图"};
    EXPECT_EQ(std::wstring(L"\"D:\\Program Files\\npp\\MinGw\\bin\\g++.exe\"  -pipe -xc++  -c  "
                           L"\"D:\\我的 程序\\画图.cpp\" -o \"D:\\我的 程序\\画图.o\"  "
                           L"-include\"D:\\Program Files\\npp\\Qiv\\logo.h\"  "
                           L"-I\"D:\\Program Files\\npp\\MinGW\\include\" "),
              compileCommand(odd));
    EXPECT_EQ(std::wstring(L"D:\\我的 程序\\画图.exe  "), programStartFile(odd));
    EXPECT_EQ(std::wstring(L"D:\\我的 程序"), programStartDirectory(odd));
}

TEST(BuildCommandLines, EnvironmentBlocks) {
    const std::string block = compilerEnvironment("C:\\npp\\MinGW\\bin");
    const char expected[] = "path=C:\\npp\\MinGW\\bin\0";  // the literal adds the last zero
    EXPECT_EQ(std::string(expected, sizeof expected), block);
    EXPECT_EQ(std::string(2, '\0'), emptyEnvironment());
}

TEST(BuildPanelTexts, DeletionFailure) {
    EXPECT_TRUE(reportsPermissionDenied("rm: cannot remove 'C:\\work\\qiv_01.exe': Permission denied\n"));
    EXPECT_FALSE(reportsPermissionDenied("rm: cannot remove 'x': Read-only file system\n"));
    EXPECT_FALSE(reportsPermissionDenied("permission denied"));
    EXPECT_EQ(std::wstring(L"删除旧文件时出错！ \r\n可能是程序正在运行。"),
              deleteFailureText(true, deleteCommand(lesson)));
    EXPECT_EQ(deleteCommand(lesson) + L"删除旧文件时出错！ ....",
              deleteFailureText(false, deleteCommand(lesson)));
}

TEST(BuildPanelTexts, ElapsedTimeAndRunLines) {
    EXPECT_EQ(std::wstring(L"==========================\r\n 编译用时：1.50 秒"), elapsedTimeText(1500));
    EXPECT_EQ(std::wstring(26, L'='), elapsedTimeText(0).substr(0, 26));
    EXPECT_EQ(std::wstring(L" 编译用时：0.00 秒"), elapsedTimeText(0).substr(28));
    EXPECT_EQ(std::wstring(L" 编译用时：1.23 秒"), elapsedTimeText(1234).substr(28));
    EXPECT_EQ(std::wstring(L" 编译用时：125.01 秒"), elapsedTimeText(125006).substr(28));
    EXPECT_EQ(std::wstring(L"======第 1 次运行结束======"), runLine(1));
    EXPECT_EQ(std::wstring(L"======第 3 次运行结束======"), runLine(3));
    EXPECT_EQ(std::wstring(L"======第 2147483647 次运行结束======"), runLine(2147483647));
}

TEST(BuildPanelTexts, ToolFailuresCarryTheErrorCode) {
    EXPECT_EQ(std::wstring(L"管道创建失败!(0X5)\n"), pipeFailureText(5));
    EXPECT_EQ(std::wstring(L"创建进程失败! (0x2)\n"), startFailureText(2));
    EXPECT_EQ(std::wstring(L"创建进程失败! (0xc1)\n"), startFailureText(0xC1));
}

// The failure line always starts a line of its own, also when the kept part of a long
// report ends inside a line.
TEST(BuildPanelTexts, CompileFailureLineStartsALine) {
    const struct {
        std::string output;
        std::wstring suffix;
    } cases[] = {
        {"x.cpp:6:5: error: 'foo' was not declared in this scope\r\n", L"编译失败..."},
        {"x.cpp:6:5: error: 'foo' was not\n", L"编译失败..."},
        {"x.cpp:6:5: error: 'foo' was not decl", L"\r\n编译失败..."},
        {"x.cpp:6:5: error: 'foo' was not\r", L"\r\n编译失败..."},
    };
    for (const auto &c : cases) EXPECT_EQ(c.suffix, compileFailureSuffix(c.output)) << c.output;
    EXPECT_EQ(std::wstring(L"\r\n编译失败..."), linkFailureSuffix());
}

// Names of a document never saved ("new 1", no folder) are no file of the document's own.
TEST(BuildCommandLines, OnlyASavedDocumentNamesFiles) {
    EXPECT_TRUE(namesASavedDocument(lesson));
    EXPECT_FALSE(namesASavedDocument(BuildNames{L"C:\\npp", L"", L"new 1", L"new 1"}));
    EXPECT_FALSE(namesASavedDocument(BuildNames{L"C:\\npp", L"C:\\work", L"", L""}));
}

// A report cut after 1,090 bytes may end inside a GBK character: that half is dropped.
TEST(BuildPanelTexts, CutReportEndsOnAWholeCharacter) {
    const struct {
        std::string report;
        std::string kept;
    } cases[] = {
        {"ab", "ab"},
        {"a\xC4\xE3", "a\xC4\xE3"},            // 你 whole
        {"a\xC4\xE3\xBA", "a\xC4\xE3"},       // 好 cut after its first byte
        {"\xC4", ""},
        {"\xC4\xE3\xC4\xE3", "\xC4\xE3\xC4\xE3"},
        {"x\xA3\xBB\x81", "x\xA3\xBB"},      // a trail byte above 0x80 is not a lead
        {"x\xE3\xC4", "x\xE3\xC4"},           // pairs are counted from the start
        {"", ""},
    };
    for (const auto &c : cases) EXPECT_EQ(c.kept, withoutCutCharacter(c.report)) << c.report;
}

}  // namespace
