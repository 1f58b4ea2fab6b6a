// The class-checking tool's pure core: BMP files, the scores of pictures and output texts, and
// the reports. Texts in this file are compiled to GBK, as the tool's are.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>

#include "class_report.h"
#include "picture_score.h"

using namespace qivcheck;

namespace {

const uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0xFF0000;
const int kCanvasWidth = 950, kCanvasHeight = 690;

Picture canvas(uint32_t background, int width = kCanvasWidth, int height = kCanvasHeight) {
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<size_t>(width) * height, background);
    return p;
}

void plot(Picture& p, int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < p.width && y < p.height) p.pixels[static_cast<size_t>(y) * p.width + x] = colour;
}

// A one-pixel line between rounded end points (Bresenham), as a pen of size 1 draws it.
void line(Picture& p, double fx0, double fy0, double fx1, double fy1, uint32_t colour) {
    int x0 = static_cast<int>(std::lround(fx0)), y0 = static_cast<int>(std::lround(fy0));
    const int x1 = static_cast<int>(std::lround(fx1)), y1 = static_cast<int>(std::lround(fy1));
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        plot(p, x0, y0, colour);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * error;
        if (e2 >= dy) { error += dy; x0 += sx; }
        if (e2 <= dx) { error += dx; y0 += sy; }
    }
}

struct Point {
    double x, y;
};

// The turtle's path for `turn` degrees right after each of `sides` sides of `length`, from
// (x, y) heading east, turned by `rotation` degrees about the middle of its corners.
std::vector<Point> turtlePath(double x, double y, int sides, double length, double turn, double rotation = 0) {
    const double kDegree = std::acos(-1.0) / 180;
    std::vector<Point> points{{x, y}};
    double heading = 0;
    for (int i = 0; i < sides; ++i) {
        x += length * std::cos(heading * kDegree);
        y += length * std::sin(heading * kDegree);  // y grows downwards: a right turn is clockwise
        points.push_back({x, y});
        heading += turn;
    }
    Point middle{0, 0};
    for (int i = 0; i < sides; ++i) {
        middle.x += points[i].x / sides;
        middle.y += points[i].y / sides;
    }
    const double c = std::cos(rotation * kDegree), s = std::sin(rotation * kDegree);
    for (Point& p : points) {
        const double ox = p.x - middle.x, oy = p.y - middle.y;
        p = {middle.x + c * ox - s * oy, middle.y + s * ox + c * oy};
    }
    return points;
}

// Draws the path up to `share` of its length.
void drawPath(Picture& p, const std::vector<Point>& path, uint32_t colour, double share = 1) {
    double left = share * (path.size() - 1);
    for (size_t i = 1; i < path.size() && left > 0; ++i, left -= 1) {
        const double part = std::min(left, 1.0);
        line(p, path[i - 1].x, path[i - 1].y, path[i - 1].x + part * (path[i].x - path[i - 1].x),
             path[i - 1].y + part * (path[i].y - path[i - 1].y), colour);
    }
}

// The teacher's five-pointed star of side 100 (pen.fd(100); pen.rt(144) five times).
Picture star(uint32_t background = kWhite, uint32_t pen = kBlack, double dx = 0, double dy = 0,
             double rotation = 0, double share = 1) {
    Picture p = canvas(background);
    drawPath(p, turtlePath(420 + dx, 300 + dy, 5, 100, 144, rotation), pen, share);
    return p;
}

int countOf(const Picture& p, uint32_t colour) {
    return static_cast<int>(std::count(p.pixels.begin(), p.pixels.end(), colour));
}

}  // namespace

TEST(PictureScore, ScoresStudentDrawingsAgainstTheTargetStar) {
    const Picture target = star();
    Picture square = canvas(kWhite);
    drawPath(square, turtlePath(420, 300, 4, 100, 90), kBlack);
    Picture smallCanvas = canvas(kWhite, 600, 420);
    drawPath(smallCanvas, turtlePath(420, 300, 5, 100, 144), kBlack);
    // Drawn where the target has no canvas (below the star, were the rows 950 wide): matches
    // nothing, so precision is the star's share of the student's pixels, recall 1, and the
    // score the smaller of the two.
    Picture beyondTarget = canvas(kWhite, 1500, 690);
    drawPath(beyondTarget, turtlePath(420, 300, 5, 100, 144), kBlack);
    line(beyondTarget, 1400, 150, 1400, 400, kBlack);
    const double starShare = countOf(target, kBlack) / (countOf(target, kBlack) + 251.0);
    const int beyondShape = static_cast<int>(std::lround(100 * starShare));

    const struct {
        const char* name;
        Picture student;
        int tolerance, minShape, maxShape, minColour, maxColour;
    } rows[] = {
        {"the same picture", target, 3, 100, 100, 100, 100},
        {"moved by 1 px", star(kWhite, kBlack, 1, 1), 3, 90, 100, 100, 100},
        {"moved by 2 px", star(kWhite, kBlack, 2, -2), 3, 90, 100, 100, 100},
        {"moved by 2 px, no tolerance", star(kWhite, kBlack, 2, -2), 0, 0, 30, 0, 100},
        {"moved by 2 px, tolerance 2", star(kWhite, kBlack, 2, -2), 2, 100, 100, 100, 100},
        {"turned by 1 degree", star(kWhite, kBlack, 0, 0, 1), 3, 80, 100, 100, 100},
        {"half the star", star(kWhite, kBlack, 0, 0, 0, 0.5), 3, 60, 79, 100, 100},  // not "matching" (80)
        {"a square instead", square, 3, 0, 39, 0, 100},
        {"white on black", star(kBlack, kWhite), 3, 100, 100, 0, 0},
        {"another pen colour", star(kWhite, kRed), 3, 100, 100, 0, 0},
        {"an empty canvas", canvas(kWhite), 3, 0, 0, 0, 0},
        {"the star on a smaller canvas", smallCanvas, 3, 100, 100, 100, 100},
        {"a line beyond the target's canvas", beyondTarget, 3, beyondShape, beyondShape, 100, 100},
    };
    for (const auto& r : rows) {
        const PictureScore score = comparePictures(r.student, target, r.tolerance);
        EXPECT_GE(score.shape, r.minShape) << r.name;
        EXPECT_LE(score.shape, r.maxShape) << r.name;
        EXPECT_GE(score.colour, r.minColour) << r.name;
        EXPECT_LE(score.colour, r.maxColour) << r.name;
        EXPECT_EQ(score.targetDrawn, countOf(target, kBlack)) << r.name;
        const uint32_t background = r.name == std::string("white on black") ? kBlack : kWhite;
        EXPECT_EQ(score.studentDrawn, static_cast<int>(r.student.pixels.size()) - countOf(r.student, background))
            << r.name;
    }
    EXPECT_GT(countOf(target, kBlack), 400);  // the star is really drawn: five sides of 100
    const PictureScore bothEmpty = comparePictures(canvas(kWhite), canvas(kWhite));
    EXPECT_EQ(bothEmpty.shape, 0);
    EXPECT_EQ(bothEmpty.colour, 0);
}

TEST(PictureScore, DrawnMeansMoreThan24OnSomeChannel) {
    Picture target = canvas(kWhite, 40, 40), student = canvas(kWhite, 40, 40);
    line(target, 5, 20, 35, 20, kBlack);
    const struct {
        uint32_t colour;
        bool drawn;
    } rows[] = {{0xE7E7E7, false}, {0xFFFFE7, false}, {0xE6FFFF, true}, {0xFFE6FF, true}, {0x808080, true}};
    for (const auto& r : rows) {
        EXPECT_EQ(isDrawn(r.colour, kWhite), r.drawn) << std::hex << r.colour;
        line(student, 5, 20, 35, 20, r.colour);
        EXPECT_EQ(comparePictures(student, target).shape, r.drawn ? 100 : 0) << std::hex << r.colour;
    }
    // Colour: a grey 64 away from black is still the target's colour, 65 away is not.
    line(student, 5, 20, 35, 20, 0x404040);
    EXPECT_EQ(comparePictures(student, target).colour, 100);
    line(student, 5, 20, 35, 20, 0x410000);
    EXPECT_EQ(comparePictures(student, target).colour, 0);
}

TEST(PictureScore, TimingOnACanvas) {
    const Picture target = star(), student = star(kWhite, kBlack, 1, 2, 1);
    const int kRounds = 10;
    const auto start = std::chrono::steady_clock::now();
    int shape = 0;
    for (int i = 0; i < kRounds; ++i) shape += comparePictures(student, target).shape;
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / kRounds;
    std::printf("comparePictures, %dx%d star against star: %.2f ms\n", kCanvasWidth, kCanvasHeight, ms);
    EXPECT_GT(shape, 0);
}

// The report shows where the class drew: the boxes of the drawings, their union with a margin
// and a least size, kept on the canvas, and that part cut out.
TEST(Thumbnail, ShowsThePartOfTheCanvasWhereTheClassDrew) {
    Picture p = canvas(kWhite);
    EXPECT_TRUE(drawnBox(p).empty());
    line(p, 400, 300, 500, 300, kBlack);
    plot(p, 450, 360, kRed);
    const Box b = drawnBox(p);
    EXPECT_EQ((std::vector<int>{b.left, b.top, b.right, b.bottom}), (std::vector<int>{400, 300, 501, 361}));

    struct Case {
        std::vector<Box> boxes;
        Box expected;
    };
    const Case cases[] = {
        {{}, {0, 0, 950, 690}},                                          // nothing drawn: all
        {{Box()}, {0, 0, 950, 690}},
        {{{100, 100, 400, 300}, Box()}, {80, 80, 420, 320}},             // margin of 20
        {{{400, 300, 501, 361}}, {351, 261, 551, 401}},                  // then grown to 200 x 140
        {{{400, 300, 410, 310}}, {305, 235, 505, 375}},
        {{{0, 0, 10, 10}}, {0, 0, 200, 140}},                            // moved onto the canvas
        {{{940, 680, 950, 690}}, {750, 550, 950, 690}},
        {{{100, 100, 200, 200}, {700, 500, 800, 600}}, {80, 80, 820, 620}},  // the union
        {{{0, 0, 950, 690}}, {0, 0, 950, 690}},                          // cut to the canvas
    };
    for (const Case& c : cases) {
        const Box got = shownPart(c.boxes, 950, 690, 20, 200, 140);
        EXPECT_EQ((std::vector<int>{c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}),
                  (std::vector<int>{got.left, got.top, got.right, got.bottom}))
            << c.boxes.size() << " boxes";
    }

    const Picture part = cropped(p, Box{380, 280, 521, 381});
    ASSERT_EQ(part.width, 141);
    ASSERT_EQ(part.height, 101);
    EXPECT_EQ(countOf(part, kBlack), 101);
    EXPECT_EQ(part.pixels[static_cast<size_t>(80) * 141 + 70], kRed);
    EXPECT_EQ(cropped(p, Box{900, 600, 1200, 900}).width, 50);  // cut to the picture
    EXPECT_EQ(cropped(p, Box{960, 0, 990, 10}).pixels.size(), 0u);
}

TEST(Thumbnail, KeepsThinLinesAndTheAspect) {
    Picture p = canvas(kWhite);
    line(p, 10, 345, 940, 345, kBlack);  // one pixel high across the canvas
    plot(p, 949, 689, kRed);             // one pixel in the last corner
    const Picture small = thumbnail(p, 160);
    ASSERT_EQ(small.width, 160);
    EXPECT_EQ(small.height, 116);  // 690 * 160 / 950, rounded
    ASSERT_EQ(small.pixels.size(), 160u * 116u);
    const int lineRow = 345 * 116 / 690;
    for (int x = 2; x < 158; ++x) EXPECT_EQ(small.pixels[lineRow * 160 + x], kBlack) << x;
    EXPECT_EQ(small.pixels.back(), kRed);
    EXPECT_EQ(countOf(small, kWhite), 160 * 116 - countOf(small, kBlack) - 1);
    // A picture that fits is kept as it is; no width gives nothing.
    EXPECT_EQ(thumbnail(small, 160).pixels, small.pixels);
    EXPECT_EQ(thumbnail(small, 0).pixels.size(), 0u);
}

namespace {

// A BMP written here independently of writeBmp, in any of the kinds readBmp takes.
std::string bmpOf(const Picture& p, int bits, bool topDown, uint32_t compression = 0) {
    auto put = [](std::string& b, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) b += static_cast<char>(i < 4 ? (v >> (8 * i)) & 0xFF : 0);
    };
    const bool masks = compression == 3;
    const uint32_t stride = (p.width * bits / 8 + 3) / 4 * 4, offset = 54 + (masks ? 12 : 0);
    std::string b = "BM";
    put(b, offset + stride * p.height, 4);
    put(b, 0, 4);
    put(b, offset, 4);
    put(b, 40, 4);
    put(b, p.width, 4);
    put(b, topDown ? -p.height : p.height, 4);
    put(b, 1, 2);
    put(b, bits, 2);
    put(b, compression, 4);
    put(b, stride * p.height, 4);
    put(b, 0, 16);
    if (masks) {
        put(b, 0xFF0000, 4);
        put(b, 0xFF00, 4);
        put(b, 0xFF, 4);
    }
    for (int r = 0; r < p.height; ++r) {
        const int y = topDown ? r : p.height - 1 - r;
        for (int x = 0; x < p.width; ++x) put(b, p.pixels[y * p.width + x] | (bits == 32 ? 0xFF000000 : 0), bits / 8);
        b.append(stride - p.width * bits / 8, '\0');
    }
    return b;
}

Picture pattern(int width, int height) {
    Picture p = canvas(0, width, height);
    for (size_t i = 0; i < p.pixels.size(); ++i) p.pixels[i] = static_cast<uint32_t>(i * 0x1F3A5B + 0x10203) & 0xFFFFFF;
    return p;
}

void set32(std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

TEST(Bmp, ReadsEveryKindAndWritesWhatItReads) {
    for (int width = 1; width <= 5; ++width) {
        const Picture p = pattern(width, 3);
        const std::string written = writeBmp(p);
        EXPECT_EQ(written.size(), 54u + 3 * ((width * 3 + 3) / 4 * 4)) << width;
        std::string expected = bmpOf(p, 24, false);
        expected.replace(38, 8, written.substr(38, 8));  // any resolution
        EXPECT_EQ(written, expected) << "a 24-bit bottom-up file, width " << width;
        Picture back;
        ASSERT_TRUE(readBmp(written, &back)) << width;
        EXPECT_EQ(back.width, width);
        EXPECT_EQ(back.height, 3);
        EXPECT_EQ(back.pixels, p.pixels) << width;
        const struct {
            int bits;
            bool topDown;
            uint32_t compression;
        } kinds[] = {{24, false, 0}, {24, true, 0}, {32, false, 0}, {32, true, 0}, {32, false, 3}};
        for (const auto& k : kinds) {
            Picture read;
            ASSERT_TRUE(readBmp(bmpOf(p, k.bits, k.topDown, k.compression), &read))
                << k.bits << " bits, top-down " << k.topDown << ", width " << width;
            EXPECT_EQ(read.pixels, p.pixels) << k.bits << " bits, top-down " << k.topDown << ", width " << width;
        }
    }
}

TEST(Bmp, RefusesWhatItCannotRead) {
    const std::string good = bmpOf(pattern(3, 4), 24, false);  // rows of 9 bytes and 3 of padding
    auto with32 = [&](size_t at, uint32_t v) {
        std::string b = good;
        set32(b, at, v);
        return b;
    };
    auto with16 = [&](size_t at, uint16_t v) {
        std::string b = good;
        b[at] = static_cast<char>(v & 0xFF);
        b[at + 1] = static_cast<char>(v >> 8);
        return b;
    };
    std::string notBm = good;
    notBm[0] = 'X';
    const struct {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"nothing", ""},
        {"a header cut short", good.substr(0, 40)},
        {"the last row cut short", good.substr(0, good.size() - 4)},
        {"a taller picture than its bytes", with32(22, 5)},
        {"a top-down taller picture than its bytes", with32(22, static_cast<uint32_t>(-5))},
        {"a wider picture than its bytes", with32(18, 5)},
        {"sizes whose product overflows 32 bits", with32(22, 0x40000001)},
        {"the largest sizes", with32(18, 0x7FFFFFFF).replace(22, 4, "\xFF\xFF\xFF\x7F", 4)},
        {"no width", with32(18, 0)},
        {"a negative width", with32(18, static_cast<uint32_t>(-3))},
        {"no height", with32(22, 0)},
        {"the most negative height", with32(22, 0x80000000)},
        {"pixels beyond the file", with32(10, 0xFFFFFFF0)},
        {"pixels inside the header", with32(10, 20)},
        {"a header longer than the file", with32(14, 4000)},
        {"an old 12-byte header", with32(14, 12)},
        {"16 bits a pixel", with16(28, 16)},
        {"8 bits a pixel", with16(28, 8)},
        {"two planes", with16(26, 2)},
        {"run-length compressed", with32(30, 1)},
        {"bit fields of 24 bits", with32(30, 3)},
        {"bit fields in another order", bmpOf(pattern(3, 4), 32, false, 3).replace(54, 4, "\xFF\0\0\0", 4)},
        {"not a BMP", notBm},
    };
    Picture untouched = pattern(2, 2);
    const std::vector<uint32_t> before = untouched.pixels;
    for (const auto& r : rows) {
        EXPECT_FALSE(readBmp(r.bytes, &untouched)) << r.name;
        EXPECT_EQ(untouched.pixels, before) << r.name;
    }
    Picture read;
    EXPECT_TRUE(readBmp(good, &read));  // the file every refused one was made from
    EXPECT_TRUE(readBmp(good.substr(0, good.size() - 3), &read)) << "the last row without its padding";
}

TEST(TextScore, ComparesOutputsAsTextsInGbk) {
    const struct {
        const char* name;
        std::string student, target;
        bool exact, ignoringSpaces;
    } rows[] = {
        {"CRLF against LF", "a\r\nb\r\n", "a\nb\n", true, true},
        {"a lone CR", "a\rb", "a\nb", true, true},
        {"whitespace at the end", "12 \n\n\t", "12", true, true},
        {"nothing against line ends", "", "\r\n \r\n", true, true},
        {"a space inside a line", "a \nb", "a\nb", false, true},
        {"spaces between numbers", "1 2 3\n", "123", false, true},
        {"a space at the start", " 12", "12", false, true},
        {"a full-width space", "你好\xA1\xA1世界", "你好世界", false, true},
        {"a mark whose first byte is that of the full-width space", "1、2", "12", false, false},
        {"A1 A1 across two characters", "\xB0\xA1\xA1\xA2", "\xB0\xA2", false, false},
        {"a second byte that is the letter A", "\x81\x41 A", "\x81\x41\x41", false, true},
        {"a character against its second byte", "\x81\x41", "A", false, false},
        {"a line ending early", "a\nb", "a\nbc", false, false},
        {"other words", "面积是 12", "周长是 12", false, false},
    };
    for (const auto& r : rows) {
        const TextScore score = compareTexts(r.student, r.target);
        EXPECT_EQ(score.exact, r.exact) << r.name;
        EXPECT_EQ(score.ignoringSpaces, r.ignoringSpaces) << r.name;
    }
}

namespace {

StudentResult student(const std::string& file, bool built, int shape, StudentResult::Run run = StudentResult::Ended) {
    StudentResult s;
    s.file = file;
    s.built = built;
    s.run = built ? run : StudentResult::NotRun;
    s.picture.shape = shape;
    s.picture.colour = shape / 2;
    return s;
}

size_t countIn(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

}  // namespace

TEST(ClassReport, SortsByShapeThenNameWithFailedBuildsLast) {
    const std::vector<StudentResult> sorted = sortedForReport({student("b.cpp", true, 70), student("c.cpp", false, 0),
                                                               student("d.cpp", true, 95), student("0.cpp", false, 99),
                                                               student("a.cpp", true, 70), student("e.cpp", true, 0)});
    std::string order;
    for (const StudentResult& s : sorted) order += s.file + " ";
    EXPECT_EQ(order, "d.cpp a.cpp b.cpp e.cpp 0.cpp c.cpp ");
}

TEST(ClassReport, PageCountsFlagsAndEscapes) {
    ClassReport report;
    report.folder = "D:\\三班\\作业<1>";
    report.hasTarget = true;
    report.targetFile = "目标.cpp";
    report.target = student("目标.cpp", true, 0);
    report.target.thumbnailBmp = writeBmp(thumbnail(star(), 40));
    StudentResult hostile = student("<script>alert('x')&\"</script>.cpp", false, 0);
    hostile.buildHint = "第 5 行：<b>缺少 ; 号</b>";
    StudentResult late = student("late.cpp", true, 70, StudentResult::Timeout);
    late.boxes = 2;
    StudentResult drawn = student("\x81\x5C\x81\x7C.cpp", true, 95);  // second bytes '\' and '|'
    drawn.thumbnailBmp = writeBmp(thumbnail(star(kWhite, kRed), 40));
    drawn.pictureLink = "pictures/a&b.bmp";
    report.students = {hostile, late, student("good.cpp", true, 85), student("poor.cpp", true, 40),
                       drawn, student("crash.cpp", true, 20, StudentResult::Crashed)};

    const std::string html = reportHtml(report);
    EXPECT_NE(html.find("<meta charset=\"gbk\">"), std::string::npos);
    EXPECT_NE(html.find("画图作业检查"), std::string::npos);
    EXPECT_NE(html.find("D:\\三班\\作业&lt;1&gt;"), std::string::npos);
    EXPECT_NE(html.find("共 6 个程序：5 个编译成功，3 个运行结束，2 个图形相符（80 分以上），"
                        "1 个没有结束（超时），1 个程序崩溃。"),
              std::string::npos);
    // Nothing of a student's text becomes markup.
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(&#39;x&#39;)&amp;&quot;&lt;/script&gt;.cpp"), std::string::npos);
    EXPECT_NE(html.find("第 5 行：&lt;b&gt;缺少 ; 号&lt;/b&gt;"), std::string::npos);
    EXPECT_EQ(htmlEscaped("\x81\x5C<\x81\x7C\x81\x41"), "\x81\x5C&lt;\x81\x7C\x81\x41");
    // Rows in the order of sortedForReport, each once, with its flags and score band.
    const char* order[] = {"\x81\x5C\x81\x7C.cpp", "good.cpp", "late.cpp", "poor.cpp", "crash.cpp", "&lt;script"};
    size_t last = 0;
    for (const char* file : order) {
        const size_t at = html.find(file, html.find("<table>"));
        ASSERT_NE(at, std::string::npos) << file;
        EXPECT_GT(at, last) << file;
        last = at;
    }
    EXPECT_EQ(countIn(html, "没有结束（超时）"), 2u);  // the overview and late.cpp
    EXPECT_EQ(countIn(html, "答复了 2 个消息框"), 1u);
    EXPECT_EQ(countIn(html, "<td class=\"failed\">编译失败"), 1u);
    EXPECT_EQ(countIn(html, "<td class=\"built\">编译成功"), 5u);
    EXPECT_EQ(countIn(html, "class=\"score good\""), 2u);
    EXPECT_EQ(countIn(html, "class=\"score fair\""), 1u);
    EXPECT_EQ(countIn(html, "class=\"score poor\""), 2u);
    // Thumbnails embedded, the student's linked to its picture, the target's beside each row.
    EXPECT_NE(html.find("<a href=\"pictures/a&amp;b.bmp\"><img class=\"own\" width=\"40\" height=\"29\""),
              std::string::npos);
    EXPECT_EQ(countIn(html, "data:image/bmp;base64," + base64(drawn.thumbnailBmp) + "\""), 1u);
    EXPECT_EQ(countIn(html, "data:image/bmp;base64," + base64(report.target.thumbnailBmp) + ")"), 1u);
    EXPECT_NE(html.find("width:40px;height:29px;background:url(data:image/bmp;base64,"), std::string::npos);
    EXPECT_EQ(countIn(html, "<span class=\"aim\""), 7u);  // the top and each of the six rows

    // Without a target: no scores, and the page says why; build and run results stay.
    report.hasTarget = false;
    const std::string untargeted = reportHtml(report);
    EXPECT_NE(untargeted.find("共 6 个程序：5 个编译成功，3 个运行结束，1 个没有结束（超时），1 个程序崩溃。"),
              std::string::npos);
    EXPECT_NE(untargeted.find("没有给出目标程序"), std::string::npos);
    EXPECT_EQ(untargeted.find("class=\"score good"), std::string::npos);
    EXPECT_EQ(untargeted.find(base64(report.target.thumbnailBmp)), std::string::npos);
    // A target that did not build gives no scores either, and its hint is shown.
    report.hasTarget = true;
    report.target.built = false;
    report.target.buildHint = "第 2 行：少了 }";
    const std::string unbuilt = reportHtml(report);
    EXPECT_NE(unbuilt.find("目标程序 目标.cpp 编译失败（第 2 行：少了 }）"), std::string::npos);
    EXPECT_EQ(unbuilt.find("图形相符"), std::string::npos);
}

TEST(ClassReport, CsvQuotesAndGuardsFields) {
    const struct {
        std::string text, field;
    } rows[] = {
        {"plain.cpp", "plain.cpp"},
        {"", ""},
        {"a,b.cpp", "\"a,b.cpp\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1", "'+1"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"a=b", "a=b"},
        {"\x81\x5C,\x81\x7C", "\"\x81\x5C,\x81\x7C\""},
    };
    for (const auto& r : rows) EXPECT_EQ(csvField(r.text), r.field) << r.text;

    ClassReport report;
    report.hasTarget = true;
    report.target = student("t.cpp", true, 0);
    StudentResult failed = student("=cmd|' /C calc'!A0.cpp", false, 0);
    failed.buildHint = "第 5 行：缺少 \"；\"";
    StudentResult ran = student("星星,1.cpp", true, 88, StudentResult::Timeout);
    ran.picture.colour = 0;
    ran.text = {false, true};
    ran.runSeconds = 10.04;
    ran.boxes = 1;
    report.students = {failed, ran};
    EXPECT_EQ(reportCsv(report),
              "文件,编译,提示,运行,图形分,颜色分,输出,用时(秒),消息框\r\n"
              "\"星星,1.cpp\",成功,,超时,88,0,忽略空格后相同,10.0,1\r\n"
              "'=cmd|' /C calc'!A0.cpp,失败,\"第 5 行：缺少 \"\"；\"\"\",,,,,,\r\n");
}

TEST(ClassReport, Base64) {
    const struct {
        std::string bytes, text;
    } rows[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},
                {"foo", "Zm9v"},  {"foobar", "Zm9vYmFy"}, {std::string("\xFF\xFE\0", 3), "//4A"}};
    for (const auto& r : rows) EXPECT_EQ(base64(r.bytes), r.text) << r.text;
}
