// Text and pictures written at the pen on a real canvas: numbers start at the pen, strings
// are centred on it (flat and turned), manipulators draw nothing, the head stays on top;
// BMP and PNG files of the program's folder drawn at natural size, at scale 2 and at a given
// size; a missing, unreadable or too long file name raises the warning box and draws nothing.
#include <qiv_check.h>

#include <psapi.h>

#include <vector>

static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

static HDC canvas() { return pen.getHdc(); }
static COLORREF at(int x, int y) { return GetPixel(canvas(), x, y); }

static void whiten(int left, int top, int right, int bottom) {
    RECT rc = {left, top, right, bottom};
    FillRect(canvas(), &rc, (HBRUSH)GetStockObject(WHITE_BRUSH));
}

// The canvas pixels of a square of side 2 * half around (cx, cy).
static std::vector<COLORREF> around(int cx, int cy, int half) {
    std::vector<COLORREF> v;
    for (int y = cy - half; y < cy + half; ++y)
        for (int x = cx - half; x < cx + half; ++x) v.push_back(at(x, y));
    return v;
}

static int differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
    return n + (int)(a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

// What the device draws for `text` at (x, y) in the current style, on white, around (cx, cy).
// A reference without ink would let a comparison pass whatever the pen drew: it fails here.
static std::vector<COLORREF> reference(int cx, int cy, int half, int x, int y, const char* text) {
    whiten(cx - half, cy - half, cx + half, cy + half);
    TextOutA(canvas(), x, y, text, (int)strlen(text));
    std::vector<COLORREF> v = around(cx, cy, half);
    whiten(cx - half, cy - half, cx + half, cy + half);
    int inked = 0;
    for (COLORREF c : v) inked += c != kWhite;
    ok(inked > 0, "the reference drawing of [%s] is empty: no font drew it", text);
    return v;
}

// Bounding box of the non-white pixels around (cx, cy).
static RECT inkBox(int cx, int cy, int half) {
    RECT r = {cx + half, cy + half, cx - half, cy - half};
    for (int y = cy - half; y < cy + half; ++y)
        for (int x = cx - half; x < cx + half; ++x)
            if (at(x, y) != kWhite) {
                r.left = x < r.left ? x : r.left;
                r.right = x > r.right ? x : r.right;
                r.top = y < r.top ? y : r.top;
                r.bottom = y > r.bottom ? y : r.bottom;
            }
    return r;
}

static bool penAt(double x, double y, double heading) {
    return pen.x() == x && pen.y() == y && pen.getAngle() == heading;
}

// --- pen text ------------------------------------------------------------------------------
static void checkValuesStartAtThePen() {
    text.size(20, 10).color(1).angle(0);
    pen.hide().angle(30).move(-120, 80);
    const int px = xScn(-120), py = yScn(80);

    std::vector<COLORREF> expected = reference(px, py, 60, px, py, "5");
    pen << 5;
    ok(differences(around(px, py, 60), expected) == 0, "pen << 5: %d pixels differ from \"5\" at the pen",
       differences(around(px, py, 60), expected));
    ok(penAt(-120, 80, 30), "pen << 5 moved the pen to (%g, %g) heading %g", pen.x(), pen.y(), pen.getAngle());

    // Doubles are drawn with two decimals after the run's setup; the format persists.
    expected = reference(px, py, 60, px, py, "3.14");
    whiten(px - 60, py - 60, px + 60, py + 60);
    pen << 3.14159;
    ok(differences(around(px, py, 60), expected) == 0, "pen << 3.14159 is not drawn as 3.14");

    // A manipulator draws nothing and changes the later values only.
    whiten(px - 60, py - 60, px + 60, py + 60);
    pen << fixed << setprecision(4);
    ok(inkBox(px, py, 60).left > inkBox(px, py, 60).right, "a manipulator drew something");
    expected = reference(px, py, 60, px, py, "3.1416");
    pen << 3.14159;
    ok(differences(around(px, py, 60), expected) == 0, "setprecision(4) then 3.14159 is not drawn as 3.1416");
    pen << setprecision(2);

    // string objects and characters are values too: their text starts at the pen.
    expected = reference(px, py, 60, px, py, "ok");
    whiten(px - 60, py - 60, px + 60, py + 60);
    pen << string("ok");
    ok(differences(around(px, py, 60), expected) == 0, "a string object is not drawn from the pen");
    whiten(px - 60, py - 60, px + 60, py + 60);
}

static void checkStringsAreCentred() {
    text.size(20, 10).color(2).angle(0);
    pen.hide().move(100, 50);
    const int px = xScn(100), py = yScn(50);
    // "abc" with its line feed: three nominal widths of 10, height 20.
    std::vector<COLORREF> expected = reference(px, py, 60, px - 15, py - 10, "abc");
    pen << "abc";
    ok(differences(around(px, py, 60), expected) == 0, "pen << \"abc\": %d pixels differ from abc at (px-15, py-10)",
       differences(around(px, py, 60), expected));
    ok(penAt(100, 50, pen.getAngle()), "writing a string moved the pen");
    whiten(px - 60, py - 60, px + 60, py + 60);

    // Width 0 (the font's own proportions) still centres the text, on the font's average width.
    text.size(20, 0);
    pen << "HHHHHH";
    RECT ink = inkBox(px, py, 90);
    ok(ink.right > ink.left && abs((ink.left + ink.right) / 2 - px) <= 6,
       "width 0: the ink runs from x %ld to %ld, not centred on %d", ink.left, ink.right, px);
    whiten(px - 90, py - 90, px + 90, py + 90);

    // Turned text turns about the pen: the middle of its ink is where the middle of the flat
    // text's ink lands when turned by the same angle around the pen (whatever the font's real
    // widths, the text box keeps its place relative to the pen).
    text.size(20, 10).angle(0);
    pen << "HHHHHH";
    ink = inkBox(px, py, 90);
    const double dx = (ink.left + ink.right) / 2.0 - px, dy = (ink.top + ink.bottom) / 2.0 - py;
    whiten(px - 90, py - 90, px + 90, py + 90);
    const int angles[] = {90, 45, -30, 180};
    for (int a : angles) {
        text.angle(a);
        pen << "HHHHHH";
        ink = inkBox(px, py, 90);
        const double r = a * acos(-1.0) / 180;
        const double wantX = px + dx * cos(r) - dy * sin(r), wantY = py + dx * sin(r) + dy * cos(r);
        const double midX = (ink.left + ink.right) / 2.0, midY = (ink.top + ink.bottom) / 2.0;
        ok(ink.right > ink.left && fabs(midX - wantX) <= 4 && fabs(midY - wantY) <= 4,
           "angle %d: ink box (%ld, %ld)-(%ld, %ld), its middle (%.1f, %.1f), expected (%.1f, %.1f)", a, ink.left,
           ink.top, ink.right, ink.bottom, midX, midY, wantX, wantY);
        if (a == 90)
            ok(ink.bottom - ink.top > 2 * (ink.right - ink.left), "angle 90: the text is not running down (%ldx%ld)",
               ink.right - ink.left, ink.bottom - ink.top);
        whiten(px - 90, py - 90, px + 90, py + 90);
    }
    text.angle(0);
}

// Control characters never reach the device: a string ends with its last glyph (the line feed
// the pen adds draws nothing, not even on an opaque background, which fills the cell of every
// character given to the device), and a tab is a blank.
static void checkNoGlyphAfterTheEnd() {
    text.size(20, 10).color(0).angle(0).back(15, 15, 0);
    pen.hide().angle(0).move(0, -150);
    const int px = xScn(0), py = yScn(-150);
    // The reference: the same two letters given to the runtime's own centred text call
    // without the pen's line feed. The text may sit a little apart (the centring counts the
    // line feed), but its ink is as wide and as high: a cell drawn for the line feed (on the
    // opaque background) would widen it.
    whiten(px - 80, py - 80, px + 80, py + 80);
    pen.tempOut_mid("HH");
    const RECT alone = inkBox(px, py, 80);
    whiten(px - 80, py - 80, px + 80, py + 80);
    ok(alone.right > alone.left, "the reference drawing of HH is empty: no font drew it");
    pen << "HH";
    RECT ink = inkBox(px, py, 80);
    ok(ink.right - ink.left == alone.right - alone.left && ink.bottom - ink.top == alone.bottom - alone.top,
       "pen << \"HH\": ink %ld x %ld, HH alone %ld x %ld", ink.right - ink.left, ink.bottom - ink.top,
       alone.right - alone.left, alone.bottom - alone.top);
    whiten(px - 80, py - 80, px + 80, py + 80);

    const std::vector<COLORREF> expected = reference(px, py, 80, px, py, "a b");
    pen.tempOut("a\tb\r\n\x01");
    ok(differences(around(px, py, 80), expected) == 0, "tempOut of a tab and control bytes: %d pixels differ from \"a b\"",
       differences(around(px, py, 80), expected));
    whiten(px - 80, py - 80, px + 80, py + 80);
    text.back(-1);
}

// A head shown while text is written stays on top: hiding it afterwards shows the text under
// it, not the canvas from before the text.
static void checkHeadStaysOnTop() {
    text.size(20, 10).color(0).angle(0);
    pen.hide().angle(0).move(-200, -100);
    const int px = xScn(-200), py = yScn(-100);
    const std::vector<COLORREF> expected = reference(px, py, 40, px - 30, py - 10, "MMMMMM");
    pen.show();
    pen << "MMMMMM";
    ok(differences(around(px, py, 40), expected) > 0, "the head is not drawn over the text");
    ok(pen.headShow, "writing hid the head");
    pen.hide();
    ok(differences(around(px, py, 40), expected) == 0, "after hiding the head %d pixels differ from the text alone",
       differences(around(px, py, 40), expected));
    whiten(px - 40, py - 40, px + 40, py + 40);
}

// --- picture files -----------------------------------------------------------------------
// The test picture, 100 x 50: a green 10 x 10 mark at the top-left, the rest red on the left
// half and blue on the right.
static COLORREF sample(int x, int y) {
    if (x < 10 && y < 10) return kGreen;
    return x < 50 ? kRed : kBlue;
}
static const int kW = 100, kH = 50;

static std::string inFolder(const std::string& name) { return getCurPath() + "\\" + name; }

static bool writeFile(const std::string& name, const std::string& bytes) {
    FILE* f = fopen(inFolder(name).c_str(), "wb");
    if (f == NULL) return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && written;
}

static void put32le(std::string& s, unsigned long v) {
    for (int i = 0; i < 4; ++i) s += (char)((v >> (8 * i)) & 0xFF);
}
static void put16le(std::string& s, unsigned v) {
    s += (char)(v & 0xFF);
    s += (char)((v >> 8) & 0xFF);
}
static void put32be(std::string& s, unsigned long v) {
    for (int i = 3; i >= 0; --i) s += (char)((v >> (8 * i)) & 0xFF);
}

// A 24-bit bottom-up BMP of the sample.
static std::string bmpFile() {
    const int row = (kW * 3 + 3) & ~3;
    std::string s = "BM";
    put32le(s, 54 + row * kH);
    put32le(s, 0);
    put32le(s, 54);
    put32le(s, 40);
    put32le(s, kW);
    put32le(s, kH);
    put16le(s, 1);
    put16le(s, 24);
    put32le(s, 0);
    put32le(s, row * kH);
    put32le(s, 3780);  // 96 dots per inch
    put32le(s, 3780);
    put32le(s, 0);
    put32le(s, 0);
    for (int y = kH - 1; y >= 0; --y) {
        std::string line;
        for (int x = 0; x < kW; ++x) {
            const COLORREF c = sample(x, y);
            line += (char)GetBValue(c);
            line += (char)GetGValue(c);
            line += (char)GetRValue(c);
        }
        line.resize(row, '\0');
        s += line;
    }
    return s;
}

static unsigned long crc32(const std::string& data) {
    unsigned long c = 0xFFFFFFFFul;
    for (unsigned char b : data) {
        c ^= b;
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320ul & (0ul - (c & 1)));
    }
    return c ^ 0xFFFFFFFFul;
}

static void pngChunk(std::string& png, const char* type, const std::string& data) {
    put32be(png, (unsigned long)data.size());
    const std::string typed = std::string(type) + data;
    png += typed;
    put32be(png, crc32(typed));
}

// An 8-bit RGB PNG of the sample, its image data in stored (uncompressed) deflate blocks.
static std::string pngFile() {
    std::string raw;
    for (int y = 0; y < kH; ++y) {
        raw += '\0';  // filter: none
        for (int x = 0; x < kW; ++x) {
            const COLORREF c = sample(x, y);
            raw += (char)GetRValue(c);
            raw += (char)GetGValue(c);
            raw += (char)GetBValue(c);
        }
    }
    std::string z = "\x78\x01";
    for (size_t at = 0; at < raw.size(); at += 65535) {
        const size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
        z += (char)(at + n == raw.size() ? 1 : 0);
        put16le(z, (unsigned)n);
        put16le(z, (unsigned)(~n & 0xFFFF));
        z += raw.substr(at, n);
    }
    unsigned long a = 1, b = 0;
    for (unsigned char ch : raw) {
        a = (a + ch) % 65521;
        b = (b + a) % 65521;
    }
    put32be(z, (b << 16) | a);

    std::string header;
    put32be(header, kW);
    put32be(header, kH);
    header += "\x08\x02";  // 8 bits, RGB
    header += std::string(3, '\0');
    std::string png = "\x89PNG\r\n\x1a\n";
    pngChunk(png, "IHDR", header);
    pngChunk(png, "IDAT", z);
    pngChunk(png, "IEND", "");
    return png;
}

// Compares the canvas box (left, top, w x h) with the sample stretched over it, away from the
// colour borders (stretching may blend the pixels next to them), and the pixels just outside.
static void checkDrawnSample(int left, int top, int w, int h, const char* what) {
    const double fx = (double)w / kW, fy = (double)h / kH;
    int bad = 0;
    char first[160] = "";
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double sx = x / fx, sy = y / fy;
            const bool nearBorder = fabs(sx - 10) < 1.5 || fabs(sx - 50) < 1.5 || fabs(sy - 10) < 1.5;
            if (nearBorder) continue;
            const COLORREF want = sample((int)sx, (int)sy), got = at(left + x, top + y);
            if (got != want && bad++ == 0)
                sprintf(first, "(%d, %d) is %06lx, expected %06lx", left + x, top + y, (unsigned long)got,
                        (unsigned long)want);
        }
    ok(bad == 0, "%s: %d pixels of the %dx%d box at (%d, %d) differ, first %s", what, bad, w, h, left, top, first);
    int outside = 0;
    for (int x = left - 1; x <= left + w; ++x) outside += (at(x, top - 1) != kWhite) + (at(x, top + h) != kWhite);
    for (int y = top; y < top + h; ++y) outside += (at(left - 1, y) != kWhite) + (at(left + w, y) != kWhite);
    ok(outside == 0, "%s: %d pixels drawn just outside the %dx%d box at (%d, %d)", what, outside, w, h, left, top);
}

static void checkPictures() {
    ok(writeFile("sample.bmp", bmpFile()) && writeFile("sample.png", pngFile()), "cannot write the sample pictures");
    const char* files[] = {"sample.bmp", "sample.png"};
    for (const char* file : files) {
        char what[80];
        pen.cls(15).hide().angle(0).move(-150, 60);
        int px = xScn(-150), py = yScn(60);
        pen.pic(file);
        sprintf(what, "%s centred at natural size", file);
        checkDrawnSample(px - 50, py - 25, 100, 50, what);
        ok(penAt(-150, 60, 0), "%s moved the pen", file);

        pen.move(100, -100).pic(file, 40, -1, false);
        sprintf(what, "%s (40, -1) at its corner", file);
        checkDrawnSample(xScn(100), yScn(-100), 100, 50, what);

        pen.move(-250, -150).pic(file, 30, 20, false);
        sprintf(what, "%s stretched to 30 x 20", file);
        checkDrawnSample(xScn(-250), yScn(-150), 30, 20, what);

        pen.cls(15).scale(2, false);
        pen.move(0, 0);
        px = xScn(0);
        py = yScn(0);
        pen.pic(file);
        sprintf(what, "%s at scale 2", file);
        checkDrawnSample(px - 100, py - 50, 200, 100, what);
        pen.scale(1, false);
    }

    // Under a shown head the picture is drawn and the head stays on top of it.
    pen.cls(15).move(0, 0);
    const int px = xScn(0), py = yScn(0);
    pen.show().pic("sample.png").hide();
    checkDrawnSample(px - 50, py - 25, 100, 50, "a picture under the head, the head hidden again");
}

// Each picture is released after drawing: loading one again and again does not make the
// process grow (a kept 100 x 50 picture costs at least its 20 kB of pixels).
static SIZE_T committedBytes() {
    PROCESS_MEMORY_COUNTERS m;
    ZeroMemory(&m, sizeof m);
    m.cb = sizeof m;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    return m.PagefileUsage;
}

static void checkPicturesAreReleased() {
    pen.cls(15).move(0, 0);
    for (int i = 0; i < 50; ++i) pen.pic("sample.bmp");  // caches of the loader settle
    const SIZE_T before = committedBytes();
    for (int i = 0; i < 1000; ++i) pen.pic("sample.bmp");
    const SIZE_T after = committedBytes();
    ok(before > 0 && after < before + 4 * 1024 * 1024, "1,000 pictures made the process grow by %ld kB",
       (long)((after - before) / 1024));
}

static int drawnPixels(int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; y += 2)
        for (int x = left; x < right; x += 2) {
            const COLORREF c = at(x, y);
            n += c == kRed || c == kBlue || c == kGreen;
        }
    return n;
}

// The warning box for a file that cannot be drawn; nothing reaches the canvas.
static void checkFailureBox(const std::string& name, const char* what) {
    pen.cls(15).hide().angle(0).move(0, 0);
    const int px = xScn(0), py = yScn(0);
    QcBoxWatch watch(qc_ansi(L"出错"));
    pen.pic(name);
    watch.stop();
    ok(watch.boxes == 1, "%s: %d warning boxes", what, watch.boxes);
    ok(watch.firstText == qc_ansi(L"调图形文件失败！"), "%s: box text [%s]", what, watch.firstText.c_str());
    ok(drawnPixels(px - 120, py - 80, px + 120, py + 80) == 0, "%s: something was drawn", what);
    ok(penAt(0, 0, 0), "%s: the pen moved", what);
}

static void checkFailures() {
    checkFailureBox("no_such_picture.png", "a missing file");
    ok(writeFile("not_a_picture.png", "this is text, not a picture"), "cannot write the text file");
    checkFailureBox("not_a_picture.png", "a file in no picture format");

    // The full path (folder, backslash, name) fits 254 bytes and its terminator: drawn. One
    // byte more is refused, although the file exists.
    const int room = 254 - (int)inFolder("").size();
    if (room > 10 && room < 250) {
        const std::string fits = std::string(room - 4, 'p') + ".bmp";
        const std::string longer = std::string(room - 3, 'p') + ".bmp";
        ok(writeFile(fits, bmpFile()) && writeFile(longer, bmpFile()), "cannot write the long-named pictures");
        pen.cls(15).move(0, 0).pic(fits);
        checkDrawnSample(xScn(0) - 50, yScn(0) - 25, 100, 50, "a path of 254 bytes");
        checkFailureBox(longer, "a path of 255 bytes");
        DeleteFileA(inFolder(fits).c_str());
        DeleteFileA(inFolder(longer).c_str());
    } else {
        ok(false, "the test folder's path (%d bytes) leaves no room for the long-name check", (int)inFolder("").size());
    }
    checkFailureBox(std::string(400, 'q') + ".png", "a name of 404 bytes");
}

int main() {
    qc_watchdog(50000);
    // Wine's own Tahoma: the text pictures do not depend on the fonts the machine has.
    text.face("Tahoma", ANSI_CHARSET);
    checkValuesStartAtThePen();
    checkStringsAreCentred();
    checkNoGlyphAfterTheEnd();
    checkHeadStaysOnTop();
    checkPictures();
    checkPicturesAreReleased();
    checkFailures();
    DeleteFileA(inFolder("sample.bmp").c_str());
    DeleteFileA(inFolder("sample.png").c_str());
    DeleteFileA(inFolder("not_a_picture.png").c_str());
    qc_finish();
    return 0;
}
