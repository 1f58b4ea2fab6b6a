// Capture mode's pure parts: the time limit read from the environment, the input file's
// lines, the result file, the line of an answered message box, and the capture folder's paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/capture_rules.h"

using namespace qiv;

TEST(CaptureSeconds, UsableNumbersAreTakenAndAnythingElseGivesTen) {
    struct Row {
        const char* text;  // NULL: the variable is unset
        double seconds;
    };
    const Row rows[] = {
        {NULL, 10},      {"2", 2},        {"2.5", 2.5},     {" 3 ", 3},     {"0.5", 0.5},    {".5", 0.5},
        {"7.", 7},       {"86400", 86400}, {"\t4\r\n", 4},  {"", 10},       {"   ", 10},     {"0", 10},
        {"0.000", 10},   {"-2", 10},      {"+2", 10},       {"2s", 10},     {"abc", 10},     {"1e3", 10},
        {"inf", 10},     {"nan", 10},     {"0x10", 10},     {"2 3", 10},    {"2,5", 10},     {".", 10},
        {"86400.5", 10}, {"99999999999999999999999", 10},
    };
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(captureSeconds(row.text), row.seconds) << "[" << (row.text ? row.text : "(unset)") << "]";
    EXPECT_EQ(captureMilliseconds(2), 2000UL);
    EXPECT_EQ(captureMilliseconds(0.0001), 1UL);
    EXPECT_EQ(captureMilliseconds(2.0005), 2001UL) << "rounded up, never short of the limit";
}

TEST(CaptureInputLines, SplitAsTypedLinesWhateverTheLineBreaks) {
    struct Row {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"", {}},
        {"12\r\nabc\r\n", {"12", "abc"}},
        {"12\nabc\n", {"12", "abc"}},
        {"12\r\nabc", {"12", "abc"}},  // no final line break
        {"a\n\nb\n", {"a", "", "b"}},   // an empty line in between counts
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"a\r\r\nb", {"a\r", "b"}},  // only the CR of the line break goes
        {"x\ry\n", {"x\ry"}},
        {"\xb5\xda\xb6\xfe\xd0\xd0 \xd6\xd0\r\nend", {"\xb5\xda\xb6\xfe\xd0\xd0 \xd6\xd0", "end"}},  // GBK bytes
        {"mixed\r\nlf\nlast", {"mixed", "lf", "last"}},
    };
    for (const Row& row : rows) EXPECT_EQ(captureInputLines(row.bytes), row.lines) << "[" << row.bytes << "]";
}

TEST(CaptureFiles, ResultBoxLineAndPaths) {
    EXPECT_EQ(captureResultText(kCaptureEnded, 1234, 0), "status=ended\nmilliseconds=1234\nboxes=0\n");
    EXPECT_EQ(captureResultText(kCaptureTimeout, 2003, 2), "status=timeout\nmilliseconds=2003\nboxes=2\n");
    EXPECT_EQ(captureResultText(kCaptureCrashed, 0, 11), "status=crashed\nmilliseconds=0\nboxes=11\n");
    EXPECT_EQ(captureExitCode(kCaptureEnded), 0);
    EXPECT_EQ(captureExitCode(kCaptureTimeout), 0);
    EXPECT_EQ(captureExitCode(kCaptureCrashed), 3);

    const std::string tag = "[\xcf\xfb\xcf\xa2\xbf\xf2] ";  // "[消息框] " in GBK
    EXPECT_EQ(captureBoxLine("\xb3\xf6\xb4\xed", "\xb5\xf7\xcd\xbc"), tag + "\xb3\xf6\xb4\xed: \xb5\xf7\xcd\xbc\r\n");
    EXPECT_EQ(captureBoxLine("T", "one\r\ntwo\nthree\rfour"), tag + "T: one two three four\r\n");
    EXPECT_EQ(captureBoxLine("", ""), tag + ": \r\n");

    EXPECT_EQ(captureFilePath("C:\\out", "result.txt"), "C:\\out\\result.txt");
    EXPECT_EQ(captureFilePath("C:\\out\\", "result.txt"), "C:\\out\\result.txt");
    EXPECT_EQ(captureFilePath("Z:/tmp/out/", "canvas.bmp"), "Z:/tmp/out/canvas.bmp");
    // A folder ending in a GBK character whose second byte is the byte of '\'.
    EXPECT_EQ(captureFilePath("C:\\\xb9\xa6", "output.txt"), "C:\\\xb9\xa6\\output.txt");
}
