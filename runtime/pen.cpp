// The program's pen: logical orientation (y up, compass heading) over the device pen.
// Every operation returns the pen so that calls chain.
#include "core/animation_plan.h"
#include "core/canvas_clip.h"
#include "core/colour_numbers.h"
#include "core/pen_geometry.h"
#include "core/pen_speed.h"
#include "core/pace_schedule.h"
#include "core/pen_state_text.h"
#include "runtime_internal.h"

Tpen2::Tpen2() : savecount(0), delayTime(0), headShow(false) {}

Tpen2::~Tpen2() {}

// --- queries ---------------------------------------------------------------------------
HDC Tpen2::getHdc() const { return _pen.hdc; }
HWND Tpen2::getHwnd() const { return hwndDraw; }
double Tpen2::getAngle() const { return qiv::compassFromScreen(_pen.angle); }
double Tpen2::x() const { return _pen.x; }
double Tpen2::y() const { return -_pen.y; }
double Tpen2::getScale() const { return _pen.scale; }
double Tpen2::getOX() const { return _pen.ox; }
double Tpen2::getOY() const { return _pen.oy; }
double Tpen2::getX() const { return x(); }
double Tpen2::getY() const { return y(); }

Tpen2& Tpen2::getLine(string& line) {
    _runtimeCheckpoint();
    const qiv::PenState state = {x(), y(), getAngle(), _pen.r, _pen.g, _pen.b, _pen.size, _pen.style != PS_NULL,
                                 _pen.scale};
    line = qiv::penStateLine(state);
    return *this;
}

// --- scale, origin and viewport ----------------------------------------------------------
Tpen2& Tpen2::scale(double s, bool multiply) {
    _runtimeCheckpoint();
    double next;
    if (!qiv::rescaled(_pen.scale, s, multiply, &next)) return *this;
    const double old = _pen.scale;
    _text.logfont.lfHeight = static_cast<LONG>(_text.logfont.lfHeight / old);
    _text.logfont.lfWidth = static_cast<LONG>(_text.logfont.lfWidth / old);
    const qiv::Point kept = qiv::keepPixelOnRescale(qiv::Point{_pen.x, _pen.y}, old, next);
    _pen.scale = next;
    _pen.x = kept.x;
    _pen.y = kept.y;
    _text.logfont.lfHeight = static_cast<LONG>(_text.logfont.lfHeight * _pen.scale);
    _text.logfont.lfWidth = static_cast<LONG>(_text.logfont.lfWidth * _pen.scale);
    // The new font is selected before the old one is released: a selected font is never deleted.
    const HFONT previous = _text.curFont;
    _text.curFont = CreateFontIndirectA(&_text.logfont);
    if (_pen.hdc != NULL) SelectObject(_pen.hdc, _text.curFont);
    if (previous != NULL) DeleteObject(previous);
    return *this;
}

namespace {
void applyViewport(const qiv::Viewport& v) {
    _pen.ox = v.ox;
    _pen.oy = v.oy;
    HRGN region = CreateRectRgn(v.clip.left, v.clip.top, v.clip.right, v.clip.bottom);
    if (_pen.hdc != NULL) SelectClipRgn(_pen.hdc, region);
    DeleteObject(region);
    _pen.move(0, 0);
}

RECT canvasClient() {
    RECT rc = {0, 0, 0, 0};
    GetClientRect(_pen.hwnd != NULL ? _pen.hwnd : hwndDraw, &rc);
    return rc;
}
}  // namespace

Tpen2& Tpen2::resetXY() {
    _runtimeCheckpoint();
    const RECT rc = canvasClient();
    _pen.angle = 270;
    applyViewport(qiv::resetViewport(rc.right, rc.bottom, _pen.scale));
    return *this;
}

Tpen2& Tpen2::setXY(double x, double y, double w, double h) {
    _runtimeCheckpoint();
    if (!qiv::usable(x) || !qiv::usable(y) || !qiv::usable(w) || !qiv::usable(h)) return *this;
    resetXY();
    const RECT rc = canvasClient();
    applyViewport(qiv::setViewport(rc.right, rc.bottom, _pen.scale, x, y, w, h));
    return *this;
}

// --- the state stack ---------------------------------------------------------------------
// Ten levels; a save beyond them and a load from the empty stack are ignored.
Tpen2& Tpen2::save() {
    _runtimeCheckpoint();
    if (savecount < 0 || savecount >= 10) return *this;
    _savePen[savecount] = _pen;
    ++savecount;
    return *this;
}

Tpen2& Tpen2::load() {
    _runtimeCheckpoint();
    if (savecount <= 0 || savecount > 10) return *this;
    --savecount;
    _pen = _savePen[savecount];
    _pen.creat();
    _pen.move(_pen.x, _pen.y);
    return *this;
}

// --- the head during motion ----------------------------------------------------------------
namespace {
// Saves the background at the pen's pixel and draws the head there, turned to the heading.
void drawHeadAtPen() {
    _head.saveScreen();
    _head.show(xScn(pen.x()), yScn(pen.y()), pen.getAngle());
}

// The pen's own show() once more after the head was erased. The flag is cleared first so
// that show() does not erase a second time: the background it would paint back was saved
// before the latest drawing.
void reshowHead(Tpen2& self) {
    self.headShow = false;
    self.show();
}

double secondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Carries out a forward move or a turn action by action: device steps, head updates and
// the waits between them (waits end early when the run is stopped). The waits keep to a
// schedule from the move's start, so a move lasts what its waits add up to at every speed.
// A dashed or dotted line starts its pattern afresh with every device line, so each step of a
// patterned move is drawn from the move's start: the pattern runs on along the whole line and
// the finished line looks as it does when drawn at once.
void animate(Tpen2& self, qiv::AnimationCursor plan) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    const bool patterned = _pen.style != PS_SOLID && _pen.style != PS_NULL;
    POINT from = {0, 0};
    if (patterned && _pen.hdc != NULL) GetCurrentPositionEx(_pen.hdc, &from);
    qiv::PaceSchedule schedule;
    qiv::AnimationAction a;
    while (plan.next(&a)) {
        switch (a.kind) {
        case qiv::AnimationAction::EraseHead: _head.restoreScreen(); break;
        case qiv::AnimationAction::DrawHead: drawHeadAtPen(); break;
        case qiv::AnimationAction::ShowHead: reshowHead(self); break;
        case qiv::AnimationAction::Advance:
            if (patterned && _pen.hdc != NULL) MoveToEx(_pen.hdc, from.x, from.y, NULL);
            _pen.fd(a.amount);
            break;
        case qiv::AnimationAction::Turn: _pen.rt(a.amount); break;
        case qiv::AnimationAction::Wait: {
            bool restart = false;
            const double seconds = schedule.next(a.amount, secondsSince(start), &restart);
            if (restart) QueryPerformanceCounter(&start);
            ::wait(seconds);
            break;
        }
        }
    }
}
}  // namespace

// --- motion ------------------------------------------------------------------------------
// A captured run is checked for its last picture only: it draws at once, whatever its speed.
static double animationDelay(double delayTime) { return _captureMode() ? 0 : delayTime; }

// NaN or infinite distances, turns, headings, coordinates and speeds are refused like other
// invalid arguments: the call does nothing and the pen stays as it was.
Tpen2& Tpen2::operator+(double len) {
    _runtimeCheckpoint();
    if (!qiv::usable(len)) return *this;
    animate(*this, qiv::AnimationCursor::forward(len, animationDelay(delayTime), headShow));
    return *this;
}
Tpen2& Tpen2::operator-(double len) { return operator+(-len); }
Tpen2& Tpen2::operator^(double deg) {
    _runtimeCheckpoint();
    if (!qiv::usable(deg)) return *this;
    animate(*this, qiv::AnimationCursor::turn(deg, animationDelay(delayTime), headShow));
    return *this;
}
Tpen2& Tpen2::fd(double len) { return operator+(len); }
Tpen2& Tpen2::bk(double len) { return operator-(len); }
Tpen2& Tpen2::rt(double ang) { return operator^(ang); }
Tpen2& Tpen2::lt(double ang) { return operator^(-ang); }

Tpen2& Tpen2::move(double x, double y) {
    _runtimeCheckpoint();
    if (!qiv::usable(x) || !qiv::usable(y)) return *this;
    if (headShow) _head.restoreScreen();
    _pen.move(x, -y);
    if (headShow) reshowHead(*this);
    return *this;
}

Tpen2& Tpen2::line(double x, double y) {
    _runtimeCheckpoint();
    if (!qiv::usable(x) || !qiv::usable(y)) return *this;
    if (headShow) _head.restoreScreen();
    _pen.line(x, -y);
    if (headShow) drawHeadAtPen();
    return *this;
}

void move(double x, double y) { pen.move(x, y); }

// Sets the compass heading at once (not animated); the turn by 0 reduces it.
Tpen2& Tpen2::angle(double a) {
    _runtimeCheckpoint();
    if (!qiv::usable(a)) return *this;
    if (headShow) _head.restoreScreen();
    _pen.angle = a + 270;
    _pen.rt(0);
    if (headShow) reshowHead(*this);
    return *this;
}

Tpen2& Tpen2::speed(double s) {
    _runtimeCheckpoint();
    if (!qiv::usable(s)) return *this;
    delayTime = qiv::delayForSpeed(s);
    return *this;
}

// --- pen attributes (none of them redraws the head) -----------------------------------------
Tpen2& Tpen2::up() {
    _runtimeCheckpoint();
    _pen.style = PS_NULL;
    _pen.creat();
    return *this;
}

// Solid again, also after a dash or dot style.
Tpen2& Tpen2::down() {
    _runtimeCheckpoint();
    _pen.style = PS_SOLID;
    _pen.creat();
    return *this;
}

Tpen2& Tpen2::size(int w) {
    _runtimeCheckpoint();
    if (w >= 1 && w <= 999) {
        _pen.size = w;
        _pen.creat();
    }
    return *this;
}

// Style numbers: 0 draws nothing, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot.
Tpen2& Tpen2::style(int i) {
    static const int kDeviceStyle[6] = {PS_NULL, PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    _runtimeCheckpoint();
    if (i >= 0 && i <= 5) {
        _pen.style = kDeviceStyle[i];
        _pen.creat();
    }
    return *this;
}

// --- colour ------------------------------------------------------------------------------
// A colour number also picks the head image of that colour; a shown head is drawn again
// in it.
Tpen2& Tpen2::color(int n) {
    _runtimeCheckpoint();
    const qiv::Rgb c = qiv::colourFromNumber(n);
    _pen.color(c.r, c.g, c.b);
    _head.color(qiv::headImageForColour(n));
    if (headShow) {
        hide();
        show();
    }
    return *this;
}

// Components pick the white head unless a replacement image is in use; the head is not
// redrawn.
Tpen2& Tpen2::color(int r, int g, int b) {
    _runtimeCheckpoint();
    _pen.color(r, g, b);
    if (!_head.custom) _head.color(15);
    return *this;
}

Tpen2& Tpen2::c(int col) { return color(col); }
Tpen2& Tpen2::c(int r, int g, int b) { return color(r, g, b); }

// The global wait, chainable.
Tpen2& Tpen2::wait(double seconds) {
    ::wait(seconds);
    return *this;
}
