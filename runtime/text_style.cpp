// The canvas text style: the font, colours and background mode of text drawn on the canvas,
// the services that change them, and the program's handle `text` on them. Each run starts
// with the default size, the device context's colours and a transparent background; face,
// character set and angle carry over from run to run.
#include "core/colour_numbers.h"
#include "core/text_style_rules.h"
#include "runtime_internal.h"

Ttext _text;
Ttext _text0;

namespace {

void setFace(LOGFONTA& font, const string& face) {
    const string field = qiv::faceField(face);
    ZeroMemory(font.lfFaceName, sizeof font.lfFaceName);
    CopyMemory(font.lfFaceName, field.data(), field.size());
}

// Makes a new font from the record's description, selects it into dc (when there is one)
// and releases the font it replaces only then, so exactly one canvas font stays.
void renewFont(Ttext& style, HDC dc) {
    HFONT previous = style.curFont;
    style.curFont = CreateFontIndirectA(&style.logfont);
    if (dc != NULL) SelectObject(dc, style.curFont);
    if (previous != NULL && previous != style.curFont) DeleteObject(previous);
}

void setSize(Ttext& style, HDC dc, double height, double width) {
    style.logfont.lfHeight = qiv::fontPixels(height, _pen.scale);
    style.logfont.lfWidth = qiv::fontPixels(width, _pen.scale);
    renewFont(style, dc);
}

// The colours and background mode of dc, kept in the record.
void recordColours(Ttext& style, HDC dc) {
    if (dc == NULL) return;
    style.foreColor = GetTextColor(dc);
    style.backColor = GetBkColor(dc);
    style.backMode = GetBkMode(dc);
}

}  // namespace

Ttext::Ttext() : oldFont(NULL), curFont(NULL), backColor(0), foreColor(0), backMode(0) {
    ZeroMemory(&logfont, sizeof logfont);
    logfont.lfHeight = 30;
    logfont.lfWidth = 16;
    logfont.lfItalic = FALSE;
    logfont.lfUnderline = FALSE;
    logfont.lfCharSet = GB2312_CHARSET;
    setFace(logfont, qiv::faceByIndex(0));
}

void Ttext::init(HDC dc) {
    recordColours(*this, dc);
    curFont = CreateFontIndirectA(&logfont);
    if (dc != NULL) {
        SetBkMode(dc, TRANSPARENT);
        oldFont = static_cast<HFONT>(SelectObject(dc, curFont));
    }
    setSize(*this, dc, 18, 9.6);
}

void Ttext::end(HDC dc) {
    if (dc != NULL && oldFont != NULL) SelectObject(dc, oldFont);
    if (curFont != NULL) DeleteObject(curFont);
    curFont = NULL;
    oldFont = NULL;
}

void textSize(double height, double width) {
    _runtimeCheckpoint();
    setSize(_text, _pen.hdc, height, width);
}

void textColor(int colour) {
    _runtimeCheckpoint();
    if (_pen.hdc != NULL) SetTextColor(_pen.hdc, qiv::textColourValue(colour));
}

void textColor(int r, int g, int b) {
    _runtimeCheckpoint();
    if (_pen.hdc != NULL) SetTextColor(_pen.hdc, qiv::packColour(r, g, b));
}

void textBkColor(int colour) {
    _runtimeCheckpoint();
    if (_pen.hdc == NULL) return;
    const qiv::TextBackground back = qiv::textBackground(colour);
    if (back.transparent) {
        SetBkMode(_pen.hdc, TRANSPARENT);
        return;
    }
    SetBkMode(_pen.hdc, OPAQUE);
    SetBkColor(_pen.hdc, back.colour);
}

void textBkColor(int r, int g, int b) {
    _runtimeCheckpoint();
    if (_pen.hdc == NULL) return;
    SetBkMode(_pen.hdc, OPAQUE);
    SetBkColor(_pen.hdc, qiv::packColour(r, g, b));
}

void textFace(string face, int charset) {
    _runtimeCheckpoint();
    _text.logfont.lfCharSet = static_cast<BYTE>(charset & 0xFF);
    setFace(_text.logfont, face);
    renewFont(_text, _pen.hdc);
}

void textFace(int faceIndex, int charsetIndex) {
    textFace(qiv::faceByIndex(faceIndex), qiv::charSetByIndex(charsetIndex));
}

void textAngle(double degrees) {
    _runtimeCheckpoint();
    _text.logfont.lfEscapement = _text.logfont.lfOrientation = qiv::escapementOf(degrees);
    renewFont(_text, _pen.hdc);
}

void textSave(Ttext& record) {
    _runtimeCheckpoint();
    recordColours(_text, _pen.hdc);
    record = _text;
}

void textLoad(Ttext& record) {
    _runtimeCheckpoint();
    HFONT current = _text.curFont;
    _text = record;
    _text.curFont = current;  // replaced by a font of the loaded description just below
    if (_pen.hdc != NULL) {
        SetTextColor(_pen.hdc, _text.foreColor);
        SetBkColor(_pen.hdc, _text.backColor);
        SetBkMode(_pen.hdc, _text.backMode);
    }
    renewFont(_text, _pen.hdc);
}

// The program's handle on the style: each member is one service and returns the handle.
Ttext2& Ttext2::size(int height, int width) {
    textSize(height, width);
    return *this;
}
Ttext2& Ttext2::color(int colour) {
    textColor(colour);
    return *this;
}
Ttext2& Ttext2::color(int r, int g, int b) {
    textColor(r, g, b);
    return *this;
}
Ttext2& Ttext2::face(string name, int charset) {
    textFace(name, charset);
    return *this;
}
Ttext2& Ttext2::face(int faceIndex, int charsetIndex) {
    textFace(faceIndex, charsetIndex);
    return *this;
}
Ttext2& Ttext2::angle(double degrees) {
    textAngle(degrees);
    return *this;
}
Ttext2& Ttext2::back(int colour) {
    textBkColor(colour);
    return *this;
}
Ttext2& Ttext2::back(int r, int g, int b) {
    textBkColor(r, g, b);
    return *this;
}
Ttext2& Ttext2::c(int colour) {
    textColor(colour);
    return *this;
}
Ttext2& Ttext2::c(int r, int g, int b) {
    textColor(r, g, b);
    return *this;
}
