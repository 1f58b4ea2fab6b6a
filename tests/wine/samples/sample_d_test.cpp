// Sample program A (the loop demonstration) used through its own windows: the panel's
// initial choices, the stairs of the initial values with their "i=" label, a shape button
// changing the code text before the run, count 0, spokes in a chosen colour, stopping the
// run while the panel is open or while a figure is being drawn, again and again, without
// windows piling up, and closing the window while the panel is open.
#include <qiv_check.h>

#include <qiv_samples/sample_d.cpp>
#include <sample_driver.h>

static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kPenBlue = RGB(0, 0, 205);  // colour number 7
static const COLORREF kRed = RGB(255, 0, 0);      // colour number 1

static HWND codeWindow() { return GetDlgItem(hwndDraw, 173); }
static HWND countList() { return GetDlgItem(codeWindow(), IDC_ComboxForN); }

// True when the label box shows exactly `text`: its text-coloured pixels are those of the
// same text drawn by the system with the canvas's font into the box's text rectangle.
static bool labelShows(const char* text) {
    const HDC dc = pen.getHdc();
    const qivtool::PixelRect r = qivtool::textRect(xScn(5), yScn(120), 35, 25, pen.getScale());
    const int w = r.right - r.left, h = r.bottom - r.top;
    const HDC mem = CreateCompatibleDC(dc);
    const HBITMAP bm = CreateCompatibleBitmap(dc, w, h);
    const HGDIOBJ oldBm = SelectObject(mem, bm);
    const HGDIOBJ oldFont = SelectObject(mem, GetCurrentObject(dc, OBJ_FONT));
    const COLORREF ink = GetTextColor(dc);
    RECT all = {0, 0, w, h};
    FillRect(mem, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetTextColor(mem, ink);
    SetBkMode(mem, TRANSPARENT);
    DrawTextA(mem, text, -1, &all, 0);
    int inked = 0, differ = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool want = GetPixel(mem, x, y) == ink;
            inked += want;
            differ += want != (GetPixel(dc, r.left + x, r.top + y) == ink);
        }
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBm);
    DeleteObject(bm);
    DeleteDC(mem);
    return inked > 0 && differ == 0;
}

// The stairs of count n from (-200, -150): up 15, right 15, n times.
static std::vector<SdPoint> stairs(int n) {
    std::vector<SdPoint> steps;
    for (int i = 0; i < n; ++i) {
        steps.push_back(SdPoint{15, 90});
        steps.push_back(SdPoint{15, -90});
    }
    return sd_path(-200, -150, 0, steps);
}

static void checkInitialPanel(HWND p) {
    ok(SendMessageA(GetDlgItem(p, 33), BM_GETCHECK, 0, 0) == BST_CHECKED, "the stairs button is not checked");
    for (int id = 34; id <= 36; ++id)
        ok(SendMessageA(GetDlgItem(p, id), BM_GETCHECK, 0, 0) == BST_UNCHECKED, "button %d is checked", id);
    const struct {
        HWND list;
        int entries, selected;
        const char* name;
    } lists[] = {{GetDlgItem(p, IDC_ComboxSpeed), 11, 4, "speed"},
                 {GetDlgItem(p, IDC_ComboxColor), 16, 7, "colour"},
                 {countList(), 20, 10, "count"}};
    for (const auto& l : lists) {
        ok(SendMessageW(l.list, CB_GETCOUNT, 0, 0) == l.entries, "%s list: %d entries", l.name,
           (int)SendMessageW(l.list, CB_GETCOUNT, 0, 0));
        ok(sd_selected(l.list) == l.selected, "%s list: entry %d selected", l.name, sd_selected(l.list));
        wchar_t last[8] = {0};
        SendMessageW(l.list, CB_GETLBTEXT, l.entries - 1, (LPARAM)last);
        ok(_wtoi(last) == l.entries - 1, "%s list: last entry [%ls]", l.name, last);
    }
    ok(qc_text(codeWindow()) ==
           "pen.move(-200,-150);\r\nfor (int i=0; i<       ; i++) \r\n{\r\n  pen.fd(15).rt(90).fd(15).lt(90);\r\n}",
       "code window: [%s]", qc_text(codeWindow()).c_str());
    ok(GetParent(countList()) == codeWindow(), "the count list is not inside the code window");
}

static void checkStairsOfTheInitialValues() {
    ok(sd_run_figure(), "the panel did not open again after the stairs");
    ok(_selectGraph == 1 && _selectSpeed == 4 && _selectColor == 7 && _selectForN == 10,
       "stored choices %d %d %d %d", _selectGraph, _selectSpeed, _selectColor, _selectForN);
    ok(sd_missing_segments(stairs(10), kPenBlue) == 0, "the ten stairs are not all drawn");
    // No eleventh step: above the last stair's top there is nothing.
    ok(!sd_drawn_near(-50, 7.5, kPenBlue), "an eleventh stair is drawn");
    // The frame is the box's outermost pixel column; the field starts one unit in.
    ok(sd_pixel(xScn(0), yScn(130) + 5) == RGB(220, 220, 220), "label frame %06lx", sd_pixel(xScn(0), yScn(130) + 5));
    ok(sd_pixel(xScn(2), yScn(128)) == RGB(245, 245, 245), "label field %06lx", sd_pixel(xScn(2), yScn(128)));
    ok(labelShows("i=9"), "the label does not show i=9");
    ok(!labelShows("i=8"), "the label shows i=8 as well");
}

static void checkShapeButtonThenSpokes() {
    HWND p = sd_panel();
    sd_click(GetDlgItem(p, 35));  // 针形
    const std::string needle = qc_ansi(L"\r\nfor (int i=0; i<       ; i++) \r\n{\r\n  pen.fd(80).bk(80).rt(30)；\r\n}");
    ok(qc_text(codeWindow()) == needle, "code window after a click on the needle: [%s]", qc_text(codeWindow()).c_str());
    ok(_selectGraph == 1, "the click alone changed the stored shape to %d", _selectGraph);

    sd_select(countList(), 12);
    sd_select(GetDlgItem(p, IDC_ComboxColor), 1);
    sd_select(GetDlgItem(p, IDC_ComboxSpeed), 10);
    ok(sd_run_figure(), "the panel did not open again after the spokes");
    ok(_selectGraph == 3 && _selectForN == 12 && _selectColor == 1, "stored %d %d %d", _selectGraph, _selectForN,
       _selectColor);
    // Twelve spokes 30 degrees apart, 80 long, from the origin; nothing between them.
    const double d = acos(-1.0) / 180;
    int spokes = 0, between = 0;
    for (int k = 0; k < 12; ++k) {
        spokes += sd_drawn_near(60 * sin(k * 30 * d), 60 * cos(k * 30 * d), kRed);
        between += sd_drawn_near(60 * sin((k * 30 + 15) * d), 60 * cos((k * 30 + 15) * d), kRed);
    }
    ok(spokes == 12, "%d of 12 spokes drawn", spokes);
    ok(between == 0, "%d lines between the spokes", between);
    ok(!sd_drawn_near(0, 85, kRed), "a spoke is longer than 80");
    // The panel reopens with the last choices, the code text stays the needle's.
    p = sd_panel();
    ok(SendMessageA(GetDlgItem(p, 35), BM_GETCHECK, 0, 0) == BST_CHECKED, "the needle button is not checked");
    ok(sd_selected(countList()) == 12 && sd_selected(GetDlgItem(p, IDC_ComboxColor)) == 1,
       "reopened with count %d, colour %d", sd_selected(countList()), sd_selected(GetDlgItem(p, IDC_ComboxColor)));
    ok(qc_text(codeWindow()) == needle, "the code text did not stay");
}

static void checkCountZero() {
    sd_select(countList(), 0);
    ok(sd_run_figure(), "the panel did not open again after count 0");
    ok(_selectForN == 0, "stored count %d", _selectForN);
    // The cleared viewport (550 x 350 around the origin) holds nothing but the pencil head;
    // its lowest rows lie under the code window.
    const int x0 = xScn(-270), x1 = xScn(270), y0 = yScn(170), y1 = yScn(-160);
    int other = 0;
    for (int y = y0; y <= y1; y += 2)
        for (int x = x0; x <= x1; x += 2) {
            if (abs(x - xScn(0)) <= 24 && abs(y - yScn(0)) <= 46) continue;
            other += sd_pixel(x, y) != kWhite;
        }
    ok(other == 0, "count 0 left %d pixels that are not white", other);
    ok(sd_pixel(xScn(2), yScn(128)) == kWhite, "count 0 drew a label");
}

// Stops the run while the panel is open, then runs again: the panel closes, no figure
// starts, the code window stays until the next opening replaces it, and the windows of
// the program are as many as before, every time.
static void checkStopWhilePanelOpen() {
    const int canvasWindows = sd_canvas_windows(), threadWindows = sd_thread_windows();
    int bad = 0;
    DWORD slowest = 0;
    for (int round = 0; round < 20; ++round) {
        const HWND code = codeWindow();
        const DWORD start = GetTickCount();
        sd_stop();
        if (GetTickCount() - start > slowest) slowest = GetTickCount() - start;
        bool good = sd_panel() == NULL && !_dilog::_openDilogOn && !_runing;
        good = good && IsWindow(code) && _dilog::_closeCode == -1;
        good = good && !sd_drawn_near(-200, -142.5, kPenBlue);  // no stairs started
        qc_command(1);
        const HWND p = sd_wait_panel();
        good = good && p != NULL && !IsWindow(code) && IsWindow(codeWindow());
        good = good && sd_canvas_windows() == canvasWindows && sd_thread_windows() == threadWindows;
        if (!good) {
            printf("  round %d: panel %p, code %d/%d, windows %d/%d and %d/%d\n", round, (void*)p, IsWindow(code),
                   IsWindow(codeWindow()), sd_canvas_windows(), canvasWindows, sd_thread_windows(), threadWindows);
            ++bad;
        }
    }
    ok(bad == 0, "%d of 20 stops with the panel open went wrong", bad);
    printf("slowest stop with the panel open: %lu ms\n", (unsigned long)slowest);
}

// Stops the run in the middle of slow stairs: nothing of the panel is left, and the next
// run opens it normally.
static void checkStopWhileDrawing() {
    const int canvasWindows = sd_canvas_windows(), threadWindows = sd_thread_windows();
    HWND p = sd_panel();
    sd_click(GetDlgItem(p, 33));
    sd_select(countList(), 19);
    sd_select(GetDlgItem(p, IDC_ComboxSpeed), 1);
    sd_select(GetDlgItem(p, IDC_ComboxColor), 7);
    sd_click(GetDlgItem(p, IDC_11));
    Sleep(600);
    ok(sd_panel() == NULL && _runing, "the stairs are not being drawn");
    sd_stop();
    ok(!_runing && sd_panel() == NULL && !_dilog::_openDilogOn, "a panel is left after the stop");
    ok(!sd_drawn_near(-200 + 15 * 18, -150 + 15 * 18 + 7.5, kPenBlue), "the stairs went on after the stop");
    qc_command(1);
    p = sd_wait_panel();
    ok(p != NULL, "the next run did not open the panel");
    ok(sd_canvas_windows() == canvasWindows && sd_thread_windows() == threadWindows,
       "windows after the stop: %d/%d, %d/%d", sd_canvas_windows(), canvasWindows, sd_thread_windows(), threadWindows);
    // And it still draws: the initial speed again, count 10, stairs.
    sd_select(countList(), 10);
    sd_select(GetDlgItem(p, IDC_ComboxSpeed), 10);
    ok(sd_run_figure(), "no figure after the stops");
    ok(sd_missing_segments(stairs(10), kPenBlue) == 0, "the stairs after the stops are not all drawn");
}

// The open command again while the panel is open (as a second openDilog would send it):
// nothing new is made.
static void checkOpenWhileOpen() {
    const HWND p = sd_panel();
    const int canvasWindows = sd_canvas_windows();
    SendMessageA(hwndMain, WM_COMMAND, 26, 0);
    ok(sd_panel() == p && sd_canvas_windows() == canvasWindows, "opening again made %d windows",
       sd_canvas_windows() - canvasWindows);
}

// Last: closing the window while the panel is open ends the program (the panel's loop
// leaves the quit request to the program's own loop). Exit code 0 only if all else passed.
static void checkCloseWhilePanelOpen() {
    if (qc_failures != 0) return;
    printf("%s: %ld checks passed; closing the window with the panel open\n", getCurName().c_str(), (long)qc_checks);
    fflush(stdout);
    PostMessageA(hwndMain, WM_CLOSE, 0, 0);
    Sleep(20000);
    ok(false, "the program did not end when its window was closed with the panel open");
}

static void drive() {
    HWND p = sd_wait_panel();
    ok(p != NULL, "the panel did not open");
    if (p == NULL) return;
    ok(GetParent(p) == hwndDraw, "the panel is not inside the canvas");
    ok(qc_text(hwndMain) == qc_ansi(L"循环演示"), "title [%s]", qc_text(hwndMain).c_str());
    RECT main;
    GetWindowRect(hwndMain, &main);
    ok(main.right - main.left == 800 && main.bottom - main.top == 600, "window %ld x %ld", main.right - main.left,
       main.bottom - main.top);
    // The light blue around the viewport, the white viewport.
    ok(sd_canvas_pixel(3, layout.getLine1() - 8) == RGB(0xD0, 0xD0, 0xFF), "background %06lx",
       sd_canvas_pixel(3, layout.getLine1() - 8));
    ok(sd_pixel(xScn(100), yScn(100)) == kWhite, "viewport %06lx", sd_pixel(xScn(100), yScn(100)));
    checkInitialPanel(p);
    checkStairsOfTheInitialValues();
    checkShapeButtonThenSpokes();
    checkCountZero();
    checkStopWhilePanelOpen();
    checkStopWhileDrawing();
    checkOpenWhileOpen();
    checkCloseWhilePanelOpen();
}

static const int started = (qc_watchdog(360000), qc_start_driver(drive), 0);
