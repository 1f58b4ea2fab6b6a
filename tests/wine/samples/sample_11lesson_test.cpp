// Sample program B (the lesson on the angles of regular polygons) used through its own
// windows: the lesson picture and the two lists on the canvas, the square of the initial
// values, closed and open polygons for chosen count/angle pairs, and stopping the run while
// the panel is open without lists piling up on the canvas.
#include <qiv_check.h>

#include <qiv_samples/sample_11lesson.cpp>
#include <sample_driver.h>

static const COLORREF kWhite = RGB(255, 255, 255);

static HWND countList() { return GetDlgItem(hwndDraw, 104); }
static HWND angleList() { return GetDlgItem(hwndDraw, 103); }

static std::string entryText(HWND list, int i) {
    wchar_t text[16] = {0};
    SendMessageW(list, CB_GETLBTEXT, i, (LPARAM)text);
    char narrow[16] = {0};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, NULL, NULL);
    return narrow;
}

static void checkPanelAndPicture(HWND p) {
    RECT r;
    GetWindowRect(p, &r);
    ok(r.right - r.left == 88 && r.bottom - r.top == 200, "panel %ld x %ld", r.right - r.left, r.bottom - r.top);
    ok(sd_selected(GetDlgItem(p, IDC_ComboxSpeed)) == 4 && sd_selected(GetDlgItem(p, IDC_ComboxColor)) == 7,
       "speed %d, colour %d", sd_selected(GetDlgItem(p, IDC_ComboxSpeed)), sd_selected(GetDlgItem(p, IDC_ComboxColor)));
    ok(GetParent(countList()) == hwndDraw && GetParent(angleList()) == hwndDraw, "the lists are not on the canvas");
    const char* counts[9] = {" 3", " 4", " 5", " 6", " 8", " 9", "10", "12", "18"};
    const char* angles[9] = {"120", "90", "20", "60", "36", "72", "45", "30", "40"};
    int wrong = 0;
    for (int i = 0; i < 9; ++i) wrong += entryText(countList(), i) != counts[i] || entryText(angleList(), i) != angles[i];
    ok(wrong == 0 && SendMessageW(countList(), CB_GETCOUNT, 0, 0) == 9 && SendMessageW(angleList(), CB_GETCOUNT, 0, 0) == 9,
       "%d list entries differ", wrong);
    ok(sd_selected(countList()) == 1 && sd_selected(angleList()) == 1, "count entry %d, angle entry %d",
       sd_selected(countList()), sd_selected(angleList()));

    // The lesson picture, 215 x 164 units centred on (-280, -80): its frame, its dark blue
    // keywords and black letters; the white area around it.
    const int left = xScn(-280 - 107.5), top = yScn(-80 + 82), right = xScn(-280 + 107.5), bottom = yScn(-80 - 82);
    const int keyword = sd_count(left, top, right, bottom, RGB(0, 0, 160), 0, 0, -1);
    const int ink = sd_count(left, top, right, bottom, RGB(0, 0, 0), 0, 0, -1);
    ok(keyword > 40 && ink > 200, "lesson picture: %d keyword and %d black pixels", keyword, ink);
    // Its grey frame on the left (the corners are truncated: within a pixel or two).
    int frame = 0;
    for (int x = left - 2; x <= left + 2; ++x) frame += sd_canvas_pixel(x, (top + bottom) / 2) == RGB(200, 200, 200);
    ok(frame >= 1, "no picture frame near x %d", left);
    ok(sd_canvas_pixel(xScn(-130), yScn(20)) == kWhite, "white area %06lx", sd_canvas_pixel(xScn(-130), yScn(20)));
}

// The polygon of a count/angle pair, drawn from (100, 0) heading up.
static std::vector<SdPoint> polygon(int countEntry, int angleEntry) {
    std::vector<SdPoint> steps(sel0[countEntry], SdPoint{50, (double)sel1[angleEntry]});
    return sd_path(100, 0, 0, steps);
}

static void checkPolygons() {
    // The initial values: count " 4", angle "90", colour 7 - a square.
    HWND p = sd_panel();
    sd_select(GetDlgItem(p, IDC_ComboxSpeed), 10);
    ok(sd_run_figure(), "the panel did not open again after the square");
    ok(sd_missing_segments(polygon(1, 1), RGB(0, 0, 205)) == 0, "the square is not all drawn");
    ok(!sd_drawn_near(125, 25, RGB(0, 0, 205)) && !sd_drawn_near(100, 55, RGB(0, 0, 205)),
       "the square has more than four sides");

    const struct {
        int count, angle, colour;  // list entries
        bool closed;
        COLORREF ink;
    } cases[] = {
        {2, 5, 1, true, RGB(255, 0, 0)},     // " 5" and "72": a pentagon
        {2, 2, 3, false, RGB(0, 255, 0)},    // " 5" and "20": an open chain
        {8, 2, 10, true, RGB(0, 139, 0)},    // "18" and "20": an 18-gon
        {0, 0, 2, true, RGB(0, 0, 255)},     // " 3" and "120": the lesson's triangle
    };
    for (const auto& c : cases) {
        p = sd_panel();
        sd_select(countList(), c.count);
        sd_select(angleList(), c.angle);
        sd_select(GetDlgItem(p, IDC_ComboxColor), c.colour);
        ok(sd_run_figure(), "no figure for %d/%d", c.count, c.angle);
        ok(_selectForN == c.count && _selectAngle == c.angle && _selectColor == c.colour, "stored %d %d %d",
           _selectForN, _selectAngle, _selectColor);
        const std::vector<SdPoint> path = polygon(c.count, c.angle);
        ok(sd_missing_segments(path, c.ink) == 0, "%d x %d: not every side is drawn", sel0[c.count], sel1[c.angle]);
        const SdPoint a = path.front(), b = path.back();
        const bool returns = fabs(a.x - b.x) < 0.5 && fabs(a.y - b.y) < 0.5;
        ok(returns == c.closed, "%d x %d: the path %s", sel0[c.count], sel1[c.angle],
           returns ? "closes" : "stays open");
        if (!c.closed) ok(!sd_drawn_near((a.x + b.x) / 2, (a.y + b.y) / 2, c.ink), "the open chain was closed");
        // The panel opened again with the lists preset to the pair just drawn.
        ok(sd_selected(countList()) == c.count && sd_selected(angleList()) == c.angle, "lists reopened at %d/%d",
           sd_selected(countList()), sd_selected(angleList()));
    }
}

// Stops with the panel open: the panel goes, the two lists stay until the next opening,
// which replaces them and redraws the picture.
static void checkStops() {
    const int canvasWindows = sd_canvas_windows(), threadWindows = sd_thread_windows();
    int bad = 0;
    for (int round = 0; round < 5; ++round) {
        const HWND count = countList(), angle = angleList();
        sd_stop();
        bool good = sd_panel() == NULL && !_dilog::_openDilogOn && IsWindow(count) && IsWindow(angle);
        qc_command(1);
        good = good && sd_wait_panel() != NULL && !IsWindow(count) && !IsWindow(angle);
        good = good && sd_canvas_windows() == canvasWindows && sd_thread_windows() == threadWindows;
        if (!good) {
            printf("  round %d: windows %d/%d and %d/%d\n", round, sd_canvas_windows(), canvasWindows,
                   sd_thread_windows(), threadWindows);
            ++bad;
        }
    }
    ok(bad == 0, "%d of 5 stops with the panel open went wrong", bad);
    checkPanelAndPicture(sd_panel());
}

static void drive() {
    HWND p = sd_wait_panel();
    ok(p != NULL, "the panel did not open");
    if (p == NULL) return;
    ok(qc_text(hwndMain) == qc_ansi(L"正多边形的角度(第7课演示)"), "title [%s]", qc_text(hwndMain).c_str());
    // The lesson picture linked into the program: 221 x 146, 24 bits per pixel.
    const HBITMAP lesson = (HBITMAP)LoadImageA(_hInstance, "b11_bmp", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    DIBSECTION ds = {};
    ok(lesson != NULL && GetObjectA(lesson, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmWidth == 221 &&
           ds.dsBm.bmHeight == 146 && ds.dsBm.bmBitsPixel == 24,
       "B11_BMP %ldx%ld, %d bits", ds.dsBm.bmWidth, ds.dsBm.bmHeight, ds.dsBm.bmBitsPixel);
    DeleteObject(lesson);
    checkPanelAndPicture(p);
    checkPolygons();
    // Back to the initial choices for the stops, whose second opening checks the picture.
    sd_select(countList(), 1);
    sd_select(angleList(), 1);
    sd_select(GetDlgItem(sd_panel(), IDC_ComboxColor), 7);
    sd_select(GetDlgItem(sd_panel(), IDC_ComboxSpeed), 4);
    sd_run_figure();
    checkStops();
}

static const int started = (qc_watchdog(240000), qc_start_driver(drive), 0);
