// What the sample tests share: finding the panel and its controls, using them as a teacher
// does, and reading the canvas. Included after qiv_check.h and the sample's main.cpp; the
// driver thread calls these while the sample's program waits for the panel.
#ifndef QIV_SAMPLE_DRIVER_H
#define QIV_SAMPLE_DRIVER_H

#include <cmath>
#include <vector>

// The open panel ("选择", class makeDialogClass, a child of the canvas), or NULL.
static HWND sd_panel() {
    HWND p = FindWindowExA(hwndDraw, NULL, "makeDialogClass", qc_ansi(L"选择").c_str());
    return p != NULL && IsWindowVisible(p) ? p : NULL;
}

// Waits until the program has opened its panel (again); NULL when it does not.
static HWND sd_wait_panel(DWORD ms = 30000) {
    HWND p = NULL;
    qc_wait_for([&] { return (p = sd_panel()) != NULL; }, ms);
    return p;
}

// Selects entry i of a list, as picking it from the drop-down does.
static void sd_select(HWND list, int i) { SendMessageW(list, CB_SETCURSEL, i, 0); }

static int sd_selected(HWND list) { return (int)SendMessageW(list, CB_GETCURSEL, 0, 0); }

// Clicks a button (BM_CLICK: the button's own press and release).
static void sd_click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

// Presses 运行 and waits until the figure is drawn, which is when the program opens its
// panel again. Returns whether it did.
static bool sd_run_figure() {
    HWND p = sd_panel();
    if (p == NULL) return false;
    sd_click(GetDlgItem(p, 61));
    if (!qc_wait_for([&] { return !IsWindow(p); }, 5000)) return false;
    return sd_wait_panel(60000) != NULL;
}

// Stops the run through the menu bar's Run/Stop command and waits until it has ended.
static void sd_stop() {
    qc_command(1);
    qc_wait_idle(20000);
}

// A canvas pixel through the run's device context (inside the viewport only) or through a
// device context of its own (anywhere on the canvas).
static COLORREF sd_pixel(int x, int y) { return GetPixel(pen.getHdc(), x, y); }
static COLORREF sd_canvas_pixel(int x, int y) {
    const HDC dc = GetDC(hwndDraw);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwndDraw, dc);
    return c;
}

// True when a pixel of colour c lies within one pixel of the logical point (x, y).
static bool sd_drawn_near(double x, double y, COLORREF c) {
    const int px = xScn(x), py = yScn(y);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (sd_pixel(px + dx, py + dy) == c) return true;
    return false;
}

// A polyline the pen draws: the middle of every segment must carry the colour.
struct SdPoint {
    double x, y;
};
static int sd_missing_segments(const std::vector<SdPoint>& corners, COLORREF c) {
    int missing = 0;
    for (size_t i = 1; i < corners.size(); ++i) {
        const double mx = (corners[i - 1].x + corners[i].x) / 2, my = (corners[i - 1].y + corners[i].y) / 2;
        if (!sd_drawn_near(mx, my, c)) {
            printf("  segment %u: nothing at (%.1f, %.1f)\n", (unsigned)i, mx, my);
            ++missing;
        }
    }
    return missing;
}

// The corners of the pen's path: from (x, y) heading `heading` (0 up, clockwise), each step
// a move of `len` units followed by a right turn of `turn` degrees.
static std::vector<SdPoint> sd_path(double x, double y, double heading, const std::vector<SdPoint>& steps) {
    std::vector<SdPoint> corners(1, SdPoint{x, y});
    const double d = acos(-1.0) / 180;
    for (size_t i = 0; i < steps.size(); ++i) {
        x += steps[i].x * sin(heading * d);
        y += steps[i].x * cos(heading * d);
        corners.push_back(SdPoint{x, y});
        heading += steps[i].y;
    }
    return corners;
}

// Pixels of colour c in the canvas rectangle, leaving out the square of half-size `hole`
// around the pixel (hx, hy) (where the pencil head stands).
static int sd_count(int x0, int y0, int x1, int y1, COLORREF c, int hx, int hy, int hole) {
    int n = 0;
    for (int y = y0; y <= y1; y += 1)
        for (int x = x0; x <= x1; x += 1) {
            if (abs(x - hx) <= hole && abs(y - hy) <= hole) continue;
            n += sd_pixel(x, y) == c;
        }
    return n;
}

// Windows of the program: every window inside the canvas, and the top-level windows of
// the window thread (drop-down lists of combo boxes among them).
static BOOL CALLBACK sd_count_window(HWND, LPARAM n) {
    ++*(int*)n;
    return TRUE;
}
static int sd_canvas_windows() {
    int n = 0;
    EnumChildWindows(hwndDraw, sd_count_window, (LPARAM)&n);
    return n;
}
static int sd_thread_windows() {
    int n = 0;
    EnumThreadWindows(GetWindowThreadProcessId(hwndMain, NULL), sd_count_window, (LPARAM)&n);
    return n;
}

#endif
