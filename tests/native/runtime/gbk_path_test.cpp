// GBK paths cut only between characters, and temporary names as long as their file's path.
#include <gtest/gtest.h>

#include <string>

#include "core/bmp_layout.h"
#include "core/gbk_path.h"
#include "core/window_layout.h"

using namespace qiv;

namespace {
const std::string kTrail5C = "\xD5\x5C";  // a Chinese character whose second byte is '\'
const std::string kGong = "\xB9\xA6";      // an ordinary Chinese character
}  // namespace

TEST(GbkPath, BackslashesInsideCharactersAreNotSeparators) {
    const struct {
        std::string path;
        std::string folder, title;
    } rows[] = {
        {"C:\\work\\qiv_01.exe", "C:\\work", "qiv_01"},
        {"C:\\" + kTrail5C + "\\a.exe", "C:\\" + kTrail5C, "a"},
        {"C:\\dir\\" + kTrail5C + ".exe", "C:\\dir", kTrail5C},
        {"C:\\dir\\" + kGong + kTrail5C + kTrail5C + ".exe", "C:\\dir", kGong + kTrail5C + kTrail5C},
        {kTrail5C + ".exe", "", kTrail5C},
        {"C:\\x\\" + kTrail5C, "C:\\x", kTrail5C},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(programFolder(r.path), r.folder) << r.path;
        EXPECT_EQ(programTitle(r.path), r.title) << r.path;
    }
    EXPECT_EQ(pictureFileName("C:\\dir\\" + kTrail5C + ".exe"), "C:\\dir\\" + kTrail5C + ".bmp");
    EXPECT_EQ(pictureFileName("C:\\a.b\\" + kTrail5C), "C:\\a.b\\" + kTrail5C + ".bmp");
    EXPECT_EQ(lastSeparator("a/b\\c", "\\/"), 3u);
    EXPECT_EQ(lastSeparator(kTrail5C, "\\"), std::string::npos);
}

TEST(GbkPath, LongTitlesAreCutBetweenCharacters) {
    std::string name = "a";
    for (int i = 0; i < 60; ++i) name += kGong;  // 121 bytes: byte 100 is a lead byte
    const std::string title = programTitle("C:\\" + name + ".exe");
    EXPECT_EQ(title.size(), 99u);
    EXPECT_EQ(gbkPrefix(name, 100), title);
    EXPECT_EQ(gbkPrefix("ab", 5), "ab");
    EXPECT_EQ(gbkPrefix(kGong, 1), "");
}

TEST(GbkPath, TemporaryNamesAreAsLongAsThePathAndDistinct) {
    const struct {
        std::string path, first, second;
    } rows[] = {
        {"C:\\d\\pic.bmp", "C:\\d\\pic.bm~", "C:\\d\\pic.bm0"},
        {"C:\\d\\" + kTrail5C, "C:\\d\\~~", "C:\\d\\~0"},
        {"C:\\" + kTrail5C + "\\x", "C:\\" + kTrail5C + "\\~", "C:\\" + kTrail5C + "\\0"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(temporaryBeside(r.path, 0), r.first);
        EXPECT_EQ(temporaryBeside(r.path, 1), r.second);
    }
    EXPECT_EQ(temporaryBeside("C:\\d\\", 0), "");
    EXPECT_EQ(temporaryBeside("C:\\d\\a", 37), "");
    for (int i = 0; i < 37; ++i) {
        const std::string t = temporaryBeside("C:\\d\\name.bmp", i);
        EXPECT_EQ(t.size(), std::string("C:\\d\\name.bmp").size());
        for (int j = 0; j < i; ++j) EXPECT_NE(t, temporaryBeside("C:\\d\\name.bmp", j));
    }
}
