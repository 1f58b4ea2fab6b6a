// Where text and pictures written at the pen land on the canvas.
//
// A string written to the pen is centred on the pen's pixel. Its box is estimated from the
// font's nominal character width and height: W = width x (bytes - 1) (the string carries a
// trailing line feed, which is not counted), H = height. Turned text starts at the corner
// from which the device draws it, chosen so that the middle of the turned W x H box falls
// on the pen.
//
// A picture is placed w x h logical units large (its natural pixel size when either is -1)
// with its centre or its top-left corner on the pen.
#ifndef QIV_PEN_TEXT_LAYOUT_H
#define QIV_PEN_TEXT_LAYOUT_H

#include <cstddef>
#include <string>

namespace qiv {

struct PixelPoint { int x, y; };

// Estimated width of a string of `bytes` bytes, its trailing line feed included: one nominal
// character width per byte before the line feed.
int nominalTextWidth(int charWidth, std::size_t bytes);

// The bytes of s that the device is given to draw: a tab becomes a blank, every other control
// byte (below 0x20, and 0x7F) is left out, so that no font draws a glyph for the line feed a
// string written to the pen carries, or for any other control character. No byte of a GBK
// character is a control byte, so Chinese text passes whole.
std::string drawableText(const std::string& s);

// Start of a text box w x h centred on the pen's pixel (px, py). orientation is the font's,
// in tenths of a degree counter-clockwise (the text angle is -orientation / 10 degrees,
// clockwise positive).
PixelPoint centredTextStart(int px, int py, int w, int h, int orientation);

// Size in pixels of a picture of hmWidth x hmHeight HIMETRIC units (hundredths of a
// millimetre) on a device of dpiX x dpiY dots per inch, in integer arithmetic.
int naturalPixels(long hmSize, int dpi);

// Canvas rectangle of a picture drawn at the pen's pixel (px, py).
struct PictureBox { int left, top, width, height; };

// w, h: the requested size in logical units (-1 for either: natural size, given by naturalW
// and naturalH); scale: pixels per logical unit; centred: the picture's centre on the pen,
// otherwise its top-left corner.
PictureBox pictureBox(int px, int py, double w, double h, int naturalW, int naturalH, double scale, bool centred);

}  // namespace qiv

#endif
