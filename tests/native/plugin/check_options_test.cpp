// The class check's command line, the files it takes for programs, and what it reads back
// from a capture run.
#include <gtest/gtest.h>

#include "check_options.h"

using namespace qivcheck;

TEST(CheckOptions, CommandLines) {
    struct Case {
        std::vector<std::wstring> arguments;
        std::wstring folder, target, input;
        int seconds, jobs;
        bool wrong;
    };
    const Case cases[] = {
        {{}, L"", L"", L"", 10, 2, false},  // no folder: the tool asks for one
        {{L"D:\\班级"}, L"D:\\班级", L"", L"", 10, 2, false},
        {{L"--target", L"t.cpp", L"c", L"--input", L"in.txt", L"--seconds", L"30", L"--jobs", L"1"},
         L"c", L"t.cpp", L"in.txt", 30, 1, false},
        {{L"c", L"--seconds"}, L"c", L"", L"", 10, 2, true},      // a value missing
        {{L"c", L"--seconds", L"0"}, L"c", L"", L"", 0, 2, true},  // out of range
        {{L"c", L"--seconds", L"601"}, L"c", L"", L"", 0, 2, true},
        {{L"c", L"--seconds", L"1.5"}, L"c", L"", L"", 0, 2, true},
        {{L"c", L"--jobs", L"9"}, L"c", L"", L"", 10, 0, true},
        {{L"c", L"--colour"}, L"c", L"", L"", 10, 2, true},      // unknown option
        {{L"a", L"b"}, L"a", L"", L"", 10, 2, true},             // two folders
        {{L"c", L"--target", L"star.txt"}, L"c", L"star.txt", L"", 10, 2, true},
    };
    for (const Case& c : cases) {
        const CheckOptions o = parseCheckOptions(c.arguments);
        const std::string label = c.arguments.empty() ? "(none)" : std::to_string(c.arguments.size()) + " arguments";
        EXPECT_EQ(c.wrong, !o.error.empty()) << label;
        if (c.wrong) continue;
        EXPECT_EQ(c.folder, o.folder) << label;
        EXPECT_EQ(c.target, o.target) << label;
        EXPECT_EQ(c.input, o.input) << label;
        EXPECT_EQ(c.seconds, o.seconds) << label;
        EXPECT_EQ(c.jobs, o.jobs) << label;
    }
}

TEST(CheckOptions, StudentProgramsAndCaptureReports) {
    EXPECT_TRUE(isStudentProgram(L"张三.cpp", L""));
    EXPECT_TRUE(isStudentProgram(L"A.CPP", L"target.cpp"));
    EXPECT_FALSE(isStudentProgram(L"Target.CPP", L"target.cpp"));  // the teacher's own
    EXPECT_FALSE(isStudentProgram(L".cpp", L""));
    EXPECT_FALSE(isStudentProgram(L"a.cpp.bak", L""));
    EXPECT_FALSE(isStudentProgram(L"a.c", L""));

    const CaptureReport ended = parseCaptureReport("status=ended\r\nmilliseconds=1234\r\nboxes=2\r\n");
    EXPECT_TRUE(ended.complete);
    EXPECT_EQ(StudentResult::Ended, ended.run);
    EXPECT_EQ(1234, ended.milliseconds);
    EXPECT_EQ(2, ended.boxes);
    EXPECT_EQ(StudentResult::Timeout, parseCaptureReport("boxes=0\nstatus=timeout").run);
    EXPECT_EQ(StudentResult::Crashed, parseCaptureReport("status=crashed\n").run);
    // Nothing usable: an empty or cut file, an unknown status, numbers that are not.
    EXPECT_FALSE(parseCaptureReport("").complete);
    EXPECT_FALSE(parseCaptureReport("stat").complete);
    EXPECT_FALSE(parseCaptureReport("status=maybe\n").complete);
    const CaptureReport odd = parseCaptureReport("status=ended\nmilliseconds=-5\nboxes=9999999999\n");
    EXPECT_EQ(0, odd.milliseconds);
    EXPECT_EQ(0, odd.boxes);

    EXPECT_EQ("在第 3 行有错误", reportHint("============在第 3 行有错误", ""));
    EXPECT_EQ("x 你是不是想写 'pen'？", reportHint("==x", "你是不是想写 'pen'？"));
}
