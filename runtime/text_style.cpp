// The canvas text style: the font, colours and background mode of text drawn on the
// canvas. Each run starts with the default size and the device context's colours.
#include "runtime_internal.h"

Ttext _text;
Ttext _text0;

Ttext::Ttext() : oldFont(NULL), curFont(NULL), backColor(0), foreColor(0), backMode(0) {
    ZeroMemory(&logfont, sizeof logfont);
    logfont.lfHeight = 30;
    logfont.lfWidth = 16;
    logfont.lfCharSet = GB2312_CHARSET;
    lstrcpyA(logfont.lfFaceName, "宋体");
}

void Ttext::init(HDC dc) {
    logfont.lfHeight = static_cast<LONG>(30 * _pen.scale);
    logfont.lfWidth = static_cast<LONG>(16 * _pen.scale);
    curFont = CreateFontIndirectA(&logfont);
    oldFont = static_cast<HFONT>(SelectObject(dc, curFont));
    backColor = GetBkColor(dc);
    foreColor = GetTextColor(dc);
    SetBkMode(dc, TRANSPARENT);
    backMode = TRANSPARENT;
}

void Ttext::end(HDC dc) {
    if (dc != NULL && oldFont != NULL) SelectObject(dc, oldFont);
    if (curFont != NULL) DeleteObject(curFont);
    curFont = NULL;
    oldFont = NULL;
}
