// Text written at the pen, in the canvas text style (font, colours, angle). Only printable
// bytes reach the device (qiv::drawableText). Neither call moves the pen; the stream
// operators in logo.h format the value and keep the head on top.
#include <cstdlib>

#include "core/pen_text_layout.h"
#include "runtime_internal.h"

namespace {
// Width of the box a string written to the pen is centred on: one nominal character width
// of the style per byte before the trailing line feed. A style of width 0 (the font's own
// proportions) has no nominal width; the box is then as wide as the device draws the text.
int centredTextWidth(HDC dc, const string& s) {
    if (_text.logfont.lfWidth != 0) return qiv::nominalTextWidth(std::abs(static_cast<int>(_text.logfont.lfWidth)), s.size());
    SIZE extent = {0, 0};
    const string shown = qiv::drawableText(s);
    return GetTextExtentPoint32A(dc, shown.data(), static_cast<int>(shown.size()), &extent) ? extent.cx : 0;
}
}  // namespace

Tpen2& Tpen2::tempOut(string s) {
    _runtimeCheckpoint();
    if (_pen.hdc == NULL) return *this;
    const string shown = qiv::drawableText(s);
    TextOutA(_pen.hdc, xScn(x()), yScn(y()), shown.data(), static_cast<int>(shown.size()));
    return *this;
}

Tpen2& Tpen2::tempOut_mid(string s) {
    _runtimeCheckpoint();
    if (_pen.hdc == NULL) return *this;
    const qiv::PixelPoint start = qiv::centredTextStart(xScn(x()), yScn(y()), centredTextWidth(_pen.hdc, s),
                                                        std::abs(static_cast<int>(_text.logfont.lfHeight)),
                                                        _text.logfont.lfOrientation);
    const string shown = qiv::drawableText(s);
    TextOutA(_pen.hdc, start.x, start.y, shown.data(), static_cast<int>(shown.size()));
    return *this;
}
