// Colour numbers as programs write them: 0-15 pick the palette, larger numbers are packed
// RGB with red in the low byte, negative numbers count by their absolute value.
#ifndef QIV_COLOUR_NUMBERS_H
#define QIV_COLOUR_NUMBERS_H

namespace qiv {

struct Rgb { int r, g, b; };

// The sixteen numbered colours.
extern const Rgb kPalette[16];

// Components of a colour number (each 0-255).
Rgb colourFromNumber(int number);

// Built-in head image (0-15) that a colour number selects: its magnitude modulo 16, so the
// packed green 65280 selects image 0.
int headImageForColour(int number);

// Win32 COLORREF layout (0x00BBGGRR) of components, each masked to its low 8 bits.
unsigned packColour(int r, int g, int b);

}  // namespace qiv

#endif
