// The canvas text style on a real canvas: the style every run starts with, the text
// services and `text` changing the font, colours and background of what TextOut draws,
// saving and loading the style with exactly one canvas font left, and what carries over to
// the next run.
#include <qiv_check.h>

extern Ttext _text, _text0;  // the runtime's style in effect and the untouched record

static volatile int runs = 0;

static LOGFONTA currentFont() {
    LOGFONTA lf;
    ZeroMemory(&lf, sizeof lf);
    GetObjectA(GetCurrentObject(pen.getHdc(), OBJ_FONT), sizeof lf, &lf);
    return lf;
}

// The bounding box of the pixels of one colour inside a rectangle, and their number.
struct Ink {
    long count;
    RECT box;
};
static Ink inkOf(COLORREF colour, int left, int top, int right, int bottom) {
    Ink ink = {0, {right, bottom, left, top}};
    HDC dc = pen.getHdc();
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (GetPixel(dc, x, y) == colour) {
                ++ink.count;
                if (x < ink.box.left) ink.box.left = x;
                if (y < ink.box.top) ink.box.top = y;
                if (x + 1 > ink.box.right) ink.box.right = x + 1;
                if (y + 1 > ink.box.bottom) ink.box.bottom = y + 1;
            }
    return ink;
}

static void clearArea(int left, int top, int right, int bottom, COLORREF colour) {
    RECT rc = {left, top, right, bottom};
    HBRUSH b = CreateSolidBrush(colour);
    FillRect(pen.getHdc(), &rc, b);
    DeleteObject(b);
}

// The style every run starts with, on a fresh device context.
static void checkRunStart(const char* which, const char* face, int escapement) {
    HDC dc = pen.getHdc();
    const LOGFONTA lf = currentFont();
    ok(GetCurrentObject(dc, OBJ_FONT) == _text.curFont, "%s: the canvas font is not the style's font", which);
    ok(lf.lfHeight == 18 && lf.lfWidth == 9, "%s: font %ldx%ld, expected 18x9", which, lf.lfHeight, lf.lfWidth);
    ok(strcmp(lf.lfFaceName, face) == 0 && lf.lfEscapement == escapement, "%s: face [%s], escapement %ld", which,
       lf.lfFaceName, lf.lfEscapement);
    ok(GetBkMode(dc) == TRANSPARENT, "%s: background mode %d", which, GetBkMode(dc));
    ok(GetTextColor(dc) == RGB(0, 0, 0), "%s: text colour %06lx", which, GetTextColor(dc));
    ok(_text.foreColor == RGB(0, 0, 0) && _text.backColor == RGB(255, 255, 255) && _text.backMode == OPAQUE,
       "%s: recorded colours %06lx on %06lx, mode %d", which, _text.foreColor, _text.backColor, _text.backMode);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    ok(abs(tm.tmHeight - 18) <= 2, "%s: text height %ld", which, tm.tmHeight);  // as the font mapper has it
}

static void firstRun() {
    HDC dc = pen.getHdc();
    const std::string song = qc_ansi(L"宋体");
    checkRunStart("first run", song.c_str(), 0);
    const int x0 = xScn(-300), y0 = yScn(200);

    // Size and colour through `text`, drawn with TextOut: red glyphs 30 pixels high.
    ok(&text.size(30, 0).color(1) == &text, "the members do not return the object");
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    ok(tm.tmHeight == 30, "text height after size(30, 0): %ld", tm.tmHeight);
    TextOutA(dc, x0, y0, "HH", 2);
    Ink red = inkOf(RGB(255, 0, 0), x0, y0, x0 + 60, y0 + 32);
    ok(red.count > 40 && red.box.bottom - red.box.top > 15, "red glyphs: %ld pixels, %ld high", red.count,
       red.box.bottom - red.box.top);
    ok(inkOf(RGB(0, 0, 0), x0, y0, x0 + 60, y0 + 32).count == 0, "black pixels in red text");

    // Sizes follow the pen's scale.
    pen.scale(2, false);
    textSize(20, 0);
    ok(currentFont().lfHeight == 40 && currentFont().lfWidth == 0, "size(20, 0) at scale 2: %ldx%ld",
       currentFont().lfHeight, currentFont().lfWidth);
    pen.scale(1, false);

    // Colour numbers: magnitude, packed values, components.
    textColor(-4);
    ok(GetTextColor(dc) == RGB(0, 255, 255), "textColor(-4): %06lx", GetTextColor(dc));
    textColor(255);
    ok(GetTextColor(dc) == RGB(255, 0, 0), "textColor(255): %06lx", GetTextColor(dc));
    text.c(256 + 10, 2, -1);
    ok(GetTextColor(dc) == RGB(10, 2, 255), "c(266, 2, -1): %06lx", GetTextColor(dc));

    // An opaque background fills the text cell; -1 makes it transparent again.
    textSize(20, 0);
    text.back(3).color(0);
    ok(GetBkMode(dc) == OPAQUE && GetBkColor(dc) == RGB(0, 255, 0), "back(3): mode %d colour %06lx", GetBkMode(dc),
       GetBkColor(dc));
    const int y1 = y0 + 40;
    TextOutA(dc, x0, y1, "I", 1);
    Ink green = inkOf(RGB(0, 255, 0), x0, y1, x0 + 12, y1 + 20);
    ok(green.count > 30, "opaque background: %ld green pixels", green.count);
    clearArea(x0, y1 + 25, x0 + 40, y1 + 50, RGB(0, 0, 255));
    text.back(-1);
    ok(GetBkMode(dc) == TRANSPARENT, "back(-1): mode %d", GetBkMode(dc));
    TextOutA(dc, x0, y1 + 27, "I", 1);
    ok(inkOf(RGB(0, 0, 255), x0, y1 + 27, x0 + 8, y1 + 47).count > 60 &&
           inkOf(RGB(0, 255, 0), x0, y1 + 25, x0 + 40, y1 + 50).count == 0,
       "transparent background covered the blue");
    text.back(10, 20, 30);
    ok(GetBkMode(dc) == OPAQUE && GetBkColor(dc) == RGB(10, 20, 30), "back(10, 20, 30): %06lx", GetBkColor(dc));
    text.back(-1);

    // Faces and character sets; an index outside the tables picks entry 0.
    text.face(12, 2);
    ok(strcmp(currentFont().lfFaceName, "Arial") == 0 && currentFont().lfCharSet == ANSI_CHARSET,
       "face(12, 2): [%s] set %d", currentFont().lfFaceName, currentFont().lfCharSet);
    textFace(20, 9);
    ok(currentFont().lfFaceName == song && currentFont().lfCharSet == DEFAULT_CHARSET, "face(20, 9): [%s] set %d",
       currentFont().lfFaceName, currentFont().lfCharSet);
    textFace(std::string(40, 'F'), 0x186);
    ok(std::string(_text.logfont.lfFaceName) == std::string(31, 'F') && _text.logfont.lfCharSet == 0x86,
       "a long face: [%s] set %d", _text.logfont.lfFaceName, _text.logfont.lfCharSet);
    textFace(qc_ansi(L"黑体"), 134);

    // A turned font: text runs clockwise, so "HHHH" at 90 degrees is taller than wide.
    text.angle(90).color(2);
    ok(currentFont().lfEscapement == -900 && currentFont().lfOrientation == -900, "angle(90): %ld / %ld",
       currentFont().lfEscapement, currentFont().lfOrientation);
    const int x2 = xScn(100), y2 = yScn(200);
    TextOutA(dc, x2, y2, "HHHH", 4);
    Ink blue = inkOf(RGB(0, 0, 255), x2 - 30, y2 - 10, x2 + 30, y2 + 90);
    ok(blue.count > 40 && blue.box.bottom - blue.box.top > 2 * (blue.box.right - blue.box.left),
       "turned text: %ld pixels in %ldx%ld", blue.count, blue.box.right - blue.box.left,
       blue.box.bottom - blue.box.top);
    textAngle(0);

    // Save, change, load: size and colour come back, and only the loaded font is left.
    textSize(18, 0);
    textColor(5);
    Ttext saved;
    textSave(saved);
    ok(saved.foreColor == RGB(255, 255, 0) && saved.backMode == TRANSPARENT, "saved colour %06lx mode %d",
       saved.foreColor, saved.backMode);
    const HFONT before = _text.curFont;
    textSize(40, 0);
    const HFONT big = _text.curFont;
    ok(GetObjectType(before) == 0, "the font replaced by textSize was not released");
    textColor(2);
    text.back(4);
    textLoad(saved);
    ok(currentFont().lfHeight == 18 && GetTextColor(dc) == RGB(255, 255, 0) && GetBkMode(dc) == TRANSPARENT,
       "after textLoad: height %ld colour %06lx mode %d", currentFont().lfHeight, GetTextColor(dc), GetBkMode(dc));
    ok(GetObjectType(big) == 0, "the font replaced by textLoad was not released");
    ok(GetCurrentObject(dc, OBJ_FONT) == _text.curFont && GetObjectType(_text.curFont) == OBJ_FONT,
       "the loaded font is not the canvas font");
    // Loading the untouched record gives back the construction's font, 30x16 Song.
    textLoad(_text0);
    ok(currentFont().lfHeight == 30 && currentFont().lfWidth == 16 && currentFont().lfFaceName == song,
       "after loading _text0: %ldx%ld [%s]", currentFont().lfHeight, currentFont().lfWidth, currentFont().lfFaceName);

    // Leave face and angle for the next run to find.
    textFace(qc_ansi(L"黑体"), 134);
    textAngle(30);
    textColor(1);
    text.back(5);
}

static void driver() {
    ok(qc_wait_idle(5000), "the first run did not end");
    qc_command(1);
    ok(qc_wait_for([] { return runs == 2; }, 5000) && qc_wait_idle(5000), "the second run did not run");
}

int main() {
    const int run = ++runs;
    if (run == 1) {
        qc_watchdog(30000);
        firstRun();
        qc_start_driver(driver);
    } else {
        // Size and colours start afresh; face, character set and angle stay.
        checkRunStart("second run", qc_ansi(L"黑体").c_str(), -300);
    }
    return 0;
}
