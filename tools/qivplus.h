// qivplus.h - window, text-box and bitmap helpers for drawing programs.
//
//   #include "tools/qivplus.h"
//
// Everything is defined here (inline), so a program needs nothing more than this header and
// the runtime. Positions and sizes are the pen's logical units: (x, y) is the canvas pixel
// (xScn(x), yScn(y)) with y upward, a length L is L * scale pixels truncated toward zero.
// Rectangles hang from their top-left corner (w to the right, h downward); pictures drawn
// by _showBitmap are centred on (x, y). Programs call these functions on their own thread
// (in main), like the pen.
//
// This file is saved in GBK, as the editor saves programs with Chinese texts: the students'
// compiler takes narrow strings byte for byte.
#ifndef QIV_TOOLS_QIVPLUS_H
#define QIV_TOOLS_QIVPLUS_H

#include <windows.h>

#include <string>
#include <vector>

#include "qivplus_maths.h"

// ---------------------------------------------------------------------------------------
// The main window (screen pixels, outer size); the window then lays out canvas and output.
// ---------------------------------------------------------------------------------------
inline void winMove(int left, int top) {
    SetWindowPos(hwndMain, NULL, left, top, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE);
}

// During a run the window does not lay out its children when it is sized (it would erase
// the canvas): the canvas and the output pane are placed for the new size here, as
// windows() does.
inline void winSize(int w, int h) {
    SetWindowPos(hwndMain, NULL, 0, 0, w, h, SWP_SHOWWINDOW | SWP_NOMOVE);
    SendMessageA(hwndMain, WM_PAINT, 0, 0);
}

inline void winPos(int left, int top, int w, int h) {
    SetWindowPos(hwndMain, NULL, left, top, w, h, SWP_SHOWWINDOW);
    SendMessageA(hwndMain, WM_PAINT, 0, 0);
}

// ---------------------------------------------------------------------------------------
// Filled rectangles and text
// ---------------------------------------------------------------------------------------

// Fills the rectangle with top-left corner (x, y), w x h units, in the colour (r, g, b).
inline void _clearRec(double x, double y, double w, double h, int r, int g, int b) {
    const double s = pen.getScale();
    _rectangle(1, xScn(x), yScn(y), qivtool::pixelLength(w, s), qivtool::pixelLength(h, s), r & 0xFF, g & 0xFF,
               b & 0xFF);
}

// The same in a colour number: 0-15 the numbered colours, larger numbers packed RGB,
// negative numbers by their magnitude (as pen.c does).
inline void _clearRec(double x, double y, double w, double h, int c) {
    const qivtool::Rgb k = qivtool::colourOfNumber(c);
    _clearRec(x, y, w, h, k.r, k.g, k.b);
}

// Writes s with its top-left corner at (x, y), in the canvas text style; control characters
// are not drawn.
inline void _textOut(double x, double y, string s) {
    const string shown = qivtool::drawableText(s);
    TextOutA(pen.getHdc(), xScn(x), yScn(y), shown.c_str(), static_cast<int>(shown.size()));
}

// Writes s into the rectangle with top-left corner (x, y), w x h units: left-aligned from
// the top, a line feed starts a new line, no word wrap, nothing drawn outside.
inline void _drawText(double x, double y, string s, double w, double h) {
    const qivtool::PixelRect p = qivtool::textRect(xScn(x), yScn(y), w, h, pen.getScale());
    RECT rc = {p.left, p.top, p.right, p.bottom};
    DrawTextA(pen.getHdc(), s.c_str(), static_cast<int>(s.size()), &rc, 0);
}

// A framed label w x h units with its top-left corner at (x, y): light grey around near
// white when mod is 1, otherwise steel blue around light blue; s 5 units in and 10 down.
inline void _boxText(double x, double y, string s, double w, double h, int mod) {
    const qivtool::BoxTextPlan b = qivtool::boxTextPlan(x, y, w, h, mod);
    _clearRec(b.outer.x, b.outer.y, b.outer.w, b.outer.h, b.outerColour.r, b.outerColour.g, b.outerColour.b);
    _clearRec(b.inner.x, b.inner.y, b.inner.w, b.inner.h, b.innerColour.r, b.innerColour.g, b.innerColour.b);
    _drawText(b.text.x, b.text.y, s, b.text.w, b.text.h);
}

// ---------------------------------------------------------------------------------------
// Bitmaps
// ---------------------------------------------------------------------------------------

namespace qivtool {

// The pixels of a bitmap as 32-bit values (0x00RRGGBB), top row first; false when it
// cannot be read. (A monochrome bitmap gives black for 0 and white for 1.)
inline bool readPixels(HDC dc, HBITMAP bm, int w, int h, vector<unsigned>& out) {
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    out.assign(static_cast<size_t>(w) * h, 0);
    return GetDIBits(dc, bm, 0, h, &out[0], &bi, DIB_RGB_COLORS) == h;
}

}  // namespace qivtool

// Draws the whole bitmap hbm stretched to w x h units, centred on (x, y) and turned `angle`
// degrees clockwise (upright at 0). With a mask (a monochrome bitmap of the image's size)
// only the pixels where the mask is 1 are drawn. Nothing is drawn without an image or when
// the size is below one pixel either way. The bitmaps stay the caller's.
//
// The picture's corners go where a parallelogram blit would put them, but the pixels are
// placed by hand, like the pen head's: the canvas under the picture is read into a buffer,
// each of its pixels takes the picture's pixel under its centre, and the buffer is put
// back (through the pen's clipping). This turns the picture the same way on every display
// driver; some turn only the corners of a parallelogram blit, not the picture.
inline int _showBitmap(HBITMAP hbm, HBITMAP Maskhbm, double x, double y, double w, double h, double angle) {
    const HDC dc = pen.getHdc();
    BITMAP bm;
    if (hbm == NULL || dc == NULL || GetObjectA(hbm, sizeof bm, &bm) == 0 || bm.bmWidth < 1 || bm.bmHeight < 1)
        return 0;
    const double s = pen.getScale();
    qivtool::TurnedCorners c;
    if (!qivtool::turnedCorners(xScn(x), yScn(y), qivtool::pixelLength(w, s), qivtool::pixelLength(h, s), angle, &c))
        return 0;
    RECT client = {0, 0, 0, 0};
    GetClientRect(pen.getHwnd(), &client);
    const qivtool::PixelRect box = qivtool::coveredBox(c, client.right, client.bottom);
    const int bw = box.right - box.left, bh = box.bottom - box.top;
    if (bw < 1 || bh < 1) return 0;  // wholly off the canvas
    const int W = bm.bmWidth, H = bm.bmHeight;
    vector<unsigned> image, mask;
    if (!qivtool::readPixels(dc, hbm, W, H, image)) return 0;
    BITMAP mb;
    const bool masked = Maskhbm != NULL && GetObjectA(Maskhbm, sizeof mb, &mb) != 0 && mb.bmWidth >= 1 && mb.bmHeight >= 1 &&
                        qivtool::readPixels(dc, Maskhbm, mb.bmWidth, mb.bmHeight, mask);
    // The canvas under the picture, as a 32-bit buffer.
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bw;
    bi.bmiHeader.biHeight = -bh;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    const HBITMAP buffer = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    const HDC mem = buffer != NULL ? CreateCompatibleDC(dc) : NULL;
    if (mem == NULL) {
        if (buffer != NULL) DeleteObject(buffer);
        return 0;
    }
    const HGDIOBJ old = SelectObject(mem, buffer);
    BitBlt(mem, 0, 0, bw, bh, dc, box.left, box.top, SRCCOPY);
    GdiFlush();
    unsigned* px = static_cast<unsigned*>(bits);
    for (int py = 0; py < bh; ++py) {
        for (int pxl = 0; pxl < bw; ++pxl) {
            int sx = 0, sy = 0;
            if (!qivtool::sourcePixel(c, W, H, box.left + pxl, box.top + py, &sx, &sy)) continue;
            if (masked && (sx >= mb.bmWidth || sy >= mb.bmHeight ||
                           (mask[static_cast<size_t>(sy) * mb.bmWidth + sx] & 0xFFFFFF) == 0))
                continue;
            px[static_cast<size_t>(py) * bw + pxl] = image[static_cast<size_t>(sy) * W + sx];
        }
    }
    BitBlt(dc, box.left, box.top, bw, bh, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(buffer);
    return 0;
}

// The same with bitmaps of the program's resources, found by name regardless of case (an
// empty mask name: no mask). A name the program does not hold draws nothing.
inline void _showBitmapRc(string rcname, string rcmaskname, double x, double y, double w, double h, double ang) {
    HBITMAP mask = NULL;
    if (!rcmaskname.empty())
        mask = static_cast<HBITMAP>(LoadImageA(_hInstance, rcmaskname.c_str(), IMAGE_BITMAP, 0, 0, LR_SHARED));
    HBITMAP image = static_cast<HBITMAP>(LoadImageA(_hInstance, rcname.c_str(), IMAGE_BITMAP, 0, 0, LR_SHARED));
    _showBitmap(image, mask, x, y, w, h, ang);
}

// Copies the canvas rectangle with top-left corner (x, y), w x h units, into a new bitmap
// that the caller owns (hbm). A size below one pixel either way gives no bitmap (NULL).
// To put it back in place: _showBitmap(hbm, NULL, x + w / 2, y - h / 2, w, h, 0).
inline void _saveScreen(HBITMAP& hbm, double x, double y, double w, double h) {
    hbm = NULL;
    const HDC dc = pen.getHdc();
    const double s = pen.getScale();
    const int W = qivtool::pixelLength(w, s), H = qivtool::pixelLength(h, s);
    if (dc == NULL || W < 1 || H < 1) return;
    const HDC mem = CreateCompatibleDC(dc);
    if (mem == NULL) return;
    hbm = CreateCompatibleBitmap(dc, W, H);
    if (hbm != NULL) {
        const HGDIOBJ old = SelectObject(mem, hbm);
        BitBlt(mem, 0, 0, W, H, dc, xScn(x), yScn(y), SRCCOPY);
        hbm = static_cast<HBITMAP>(SelectObject(mem, old));
    }
    DeleteDC(mem);
}

// Turns a bitmap file on request, for ever: prints its size, then for every angle typed on
// the input line clears the canvas and draws the picture at its own size, centred on the
// pen and turned by that angle. Stop the program to end it. A file that cannot be loaded
// is reported on the canvas and counts as 0 x 0 pixels (nothing is drawn).
inline void _roatBitmap(string fileName) {
    HBITMAP image = static_cast<HBITMAP>(LoadImageA(NULL, fileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    int W = 0, H = 0;
    BITMAP bm;
    if (image != NULL && GetObjectA(image, sizeof bm, &bm) != 0) {
        W = bm.bmWidth;
        H = bm.bmHeight;
    }
    if (image == NULL) pen << "load file erro";
    _wout << "¿í£º" << W << "£¬ ¸ß£º" << H << '\n';
    _wout << "ÊäÈë½Ç¶È" << '\n';
    for (;;) {
        double angle = 0;
        _win >> angle;
        pen.cls(15);
        const double s = pen.getScale();
        _showBitmap(image, NULL, pen.x(), pen.y(), W / s, H / s, angle);
    }
}

// ---------------------------------------------------------------------------------------
// Shared by the parameter panels (tools/dilog_d.h, tools/dilog_11lesson.h); UI thread only.
// ---------------------------------------------------------------------------------------
namespace qivtool {

// Registers the panels' window class "makeDialogClass" with `proc` (again each time a panel
// opens: a repeated registration changes nothing): no icon, no cursor, the button face.
inline void registerPanelClass(HINSTANCE ins, WNDPROC proc) {
    WNDCLASSEXW wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = ins;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"makeDialogClass";
    RegisterClassExW(&wc);
}

// Gives a control the font face/height. Each face and height is made once, by the runtime's
// _setFont, and then shared, so that opening a panel again and again makes no new fonts.
inline void setPanelFont(HWND window, const string& face, int height) {
    struct Made {
        string face;
        int height;
        HFONT font;
    };
    static vector<Made> made;
    for (size_t i = 0; i < made.size(); ++i) {
        if (made[i].face == face && made[i].height == height) {
            SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(made[i].font), TRUE);
            return;
        }
    }
    _setFont(window, face, height);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (font != NULL) {
        Made m = {face, height, font};
        made.push_back(m);
    }
}

// A drop-down list with an edit field (wide entries), as the panels use for their numbers.
inline HWND makeNumberList(HWND parent, HINSTANCE instance, int x, int y, int w, int h, int id) {
    return CreateWindowExW(0, L"combobox", L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_NOINTEGRALHEIGHT, x, y, w, h,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, NULL);
}

// A list's selected entry, -1 when none is (or the list is gone).
inline int selectedEntry(HWND list) {
    return IsWindow(list) ? static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)) : -1;
}

// Closes a window this program made on the canvas earlier, if it is still there.
inline void closeIfThere(HWND& window) {
    if (window != NULL && IsWindow(window)) SendMessageW(window, WM_CLOSE, 0, 0);
    window = NULL;
}

// Closes a window that a stopped run left on the canvas. The canvas keeps what it shows
// there now (the new run has drawn over it) instead of being erased to white.
inline void closeLeftOver(HWND& window) {
    if (window == NULL || !IsWindow(window)) {
        window = NULL;
        return;
    }
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(NULL, hwndDraw, reinterpret_cast<POINT*>(&r), 2);
    closeIfThere(window);
    ValidateRect(hwndDraw, &r);
}

// Canvas pixels under a window that a panel puts on the canvas. The canvas never repaints
// its picture: where a window of it goes away (or a list shrinks to its edit field after
// creation), the system would erase the canvas to white. The saved pixels are put back
// there instead, and that part of the canvas is marked valid so no erase follows.
class CanvasPatch {
public:
    CanvasPatch() : bits_(NULL) { SetRectEmpty(&rc_); }
    ~CanvasPatch() { drop(); }
    // Keeps the canvas rectangle at (x, y), w x h pixels, as it is now.
    void save(int x, int y, int w, int h) {
        drop();
        if (hwndDraw == NULL || w < 1 || h < 1) return;
        const HDC dc = GetDC(hwndDraw);
        if (dc == NULL) return;
        const HDC mem = CreateCompatibleDC(dc);
        bits_ = mem != NULL ? CreateCompatibleBitmap(dc, w, h) : NULL;
        if (bits_ != NULL) {
            const HGDIOBJ old = SelectObject(mem, bits_);
            BitBlt(mem, 0, 0, w, h, dc, x, y, SRCCOPY);
            SelectObject(mem, old);
            SetRect(&rc_, x, y, x + w, y + h);
        }
        if (mem != NULL) DeleteDC(mem);
        ReleaseDC(hwndDraw, dc);
    }
    // Puts back the rows from canvas y `fromY` down; keeps the saved pixels.
    void restoreFrom(int fromY) {
        if (bits_ == NULL || hwndDraw == NULL) return;
        RECT part = rc_;
        if (fromY > part.top) part.top = fromY;
        if (part.top >= part.bottom) return;
        ValidateRect(hwndDraw, &part);
        const HDC dc = GetDC(hwndDraw);
        if (dc == NULL) return;
        const HDC mem = CreateCompatibleDC(dc);
        if (mem != NULL) {
            const HGDIOBJ old = SelectObject(mem, bits_);
            BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, mem, 0,
                   part.top - rc_.top, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        ReleaseDC(hwndDraw, dc);
    }
    // Puts the whole rectangle back and forgets it.
    void restore() {
        restoreFrom(rc_.top);
        drop();
    }
    // Forgets the saved pixels.
    void drop() {
        if (bits_ != NULL) DeleteObject(bits_);
        bits_ = NULL;
        SetRectEmpty(&rc_);
    }
    bool saved() const { return bits_ != NULL; }

private:
    CanvasPatch(const CanvasPatch&);
    CanvasPatch& operator=(const CanvasPatch&);
    RECT rc_;
    HBITMAP bits_;
};

// The height of a window as it stands (a drop-down list: its edit field), 0 if it is gone.
inline int windowHeight(HWND window) {
    RECT r;
    if (window == NULL || !GetWindowRect(window, &r)) return 0;
    return r.bottom - r.top;
}

// The panel's own message loop on the UI thread: every message of the thread is handled as
// usual until the panel records why it closed (closeCode not 0) or is gone. A quit request
// stays pending for the program's main loop, so closing the window still ends the program.
inline void runPanelLoop(HWND panel, volatile int& closeCode) {
    MSG msg;
    while (closeCode == 0 && IsWindow(panel)) {
        const BOOL got = GetMessageA(&msg, NULL, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got == -1) return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace qivtool

#endif
