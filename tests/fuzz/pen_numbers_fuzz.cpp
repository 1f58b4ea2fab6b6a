// libFuzzer target of the pure functions that take numbers from programs: motion and its
// animation plan, turns and headings, scale, viewports, shape boxes and their cutting to
// the drawing area, text and picture placement, speed and wait. The input is read as a
// stream of doubles and ints (any bit pattern: NaN, infinities, denormals, extremes).
// UndefinedBehaviorSanitizer (with float-cast-overflow) reports any overflow; the checks
// below abort where a result breaks what the drawing code relies on.
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/animation_plan.h"
#include "core/canvas_clip.h"
#include "core/head_geometry.h"
#include "core/pen_geometry.h"
#include "core/pen_speed.h"
#include "core/pen_text_layout.h"
#include "core/shape_boxes.h"
#include "core/text_style_rules.h"
#include "core/wait_plan.h"

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    double real() {
        double v = 0;
        take(&v, sizeof v);
        return v;
    }
    int whole() {
        int v = 0;
        take(&v, sizeof v);
        return v;
    }

private:
    void take(void* out, std::size_t n) {
        const std::size_t k = n < size_ ? n : size_;
        std::memcpy(out, data_, k);
        data_ += k;
        size_ -= k;
    }
    const std::uint8_t* data_;
    std::size_t size_;
};

void fail(int line) {
    std::fprintf(stderr, "pen_numbers_fuzz.cpp:%d: check failed\n", line);
    std::abort();
}
#define require(holds) ((holds) ? (void)0 : fail(__LINE__))

bool withinDevice(int v) { return v >= -(1 << 27) && v <= (1 << 27); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const double x0 = in.real(), y0 = in.real(), x1 = in.real(), y1 = in.real();
    const double scale = in.real(), ox = in.real(), oy = in.real();
    const double amount = in.real(), delay = in.real();
    const int a = in.whole(), b = in.whole(), c = in.whole(), d = in.whole();

    // Pixels and lines.
    require(withinDevice(qiv::pixelX(x0, scale, ox)) && withinDevice(qiv::pixelY(y0, scale, oy)));
    require(withinDevice(qiv::clampedPixel(x1)));
    if (qiv::usable(x0) && qiv::usable(y0) && qiv::usable(x1) && qiv::usable(y1)) {
        const qiv::DeviceLine line = qiv::clipLine(x0, y0, x1, y1);
        if (line.visible && line.cut)
            for (int v : {line.x0, line.y0, line.x1, line.y1}) require(std::abs(v) <= qiv::kDrawArea);
    }

    // Turns and headings.
    const double turned = qiv::turnScreenHeading(x0, amount);
    require(!(std::fabs(turned) >= 360.0));
    qiv::compassFromScreen(x1);
    qiv::screenFromCompass(y1);
    qiv::drawnHeading(amount);
    const qiv::HeadShape shape = qiv::headShape(qiv::kBuiltInHeadWidth, qiv::kBuiltInHeadHeight);
    if (withinDevice(a) && withinDevice(b)) {
        qiv::headCorners(a, b, amount, shape);
        qiv::saveSquareOrigin(a, b, shape);
    }

    // Scale and viewports.
    double next = 0;
    if (qiv::rescaled(scale, amount, c & 1, &next)) require(qiv::usable(next) && (next > 0 || !(scale > 0)));
    qiv::keepPixelOnRescale(qiv::Point{x0, y0}, scale, amount);
    qiv::fontPixels(amount, scale);
    qiv::resetViewport(a, b, scale);
    qiv::setViewport(a, b, scale, x0, y0, x1, y1);

    // Shapes.
    const qiv::CanvasMap map = {scale, ox, oy};
    qiv::PixelBox box = qiv::ellipseBox(x0, y0, x1, y1, map);
    qiv::ellipseView(box, c, d & 1);
    box = qiv::rectangleBox(x0, y0, x1, y1, map);
    qiv::PixelBox raw = {a, b, c, d};
    if (qiv::clipRectangle(&raw, d)) {
        require(std::fabs(static_cast<double>(raw.left)) <= qiv::kDrawArea + std::abs(static_cast<double>(d)) + 2);
    }
    qiv::clipRectangle(&box, 2);

    // Text and pictures.
    qiv::centredTextStart(a, b, c, d, a ^ d);
    qiv::nominalTextWidth(c, static_cast<unsigned>(d));
    qiv::naturalPixels(static_cast<long>(a) * (b | 1), c);
    qiv::pictureBox(a, b, x0, y0, c, d, scale, d & 1);

    // Speed, waits and the animation plan (only its first actions: a plan may be very long).
    const double delayed = qiv::delayForSpeed(amount);
    require(delayed >= 0 && delayed <= 0.04);
    qiv::planWait(amount);
    qiv::animationSteps(amount);
    if (qiv::usable(amount)) {
        qiv::AnimationCursor move = qiv::AnimationCursor::forward(amount, delay, c & 1);
        qiv::AnimationCursor turn = qiv::AnimationCursor::turn(amount, delay, d & 1);
        qiv::AnimationAction action;
        for (int i = 0; i < 64 && move.next(&action); ++i) {}
        for (int i = 0; i < 64 && turn.next(&action); ++i) {}
    }
    return 0;
}
