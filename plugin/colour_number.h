// Colour numbers inserted by "取颜色值": the sixteen-colour palette offered in the colour
// dialog and the mapping from a chosen colour to the number typed into the source.
// Pure logic; colours are COLORREF values 0x00BBGGRR.
#ifndef QIV_PLUGIN_COLOUR_NUMBER_H
#define QIV_PLUGIN_COLOUR_NUMBER_H

#include <cstdint>
#include <string>

using ColourRef = std::uint32_t;

constexpr int colourPaletteSize = 16;

// Entry i is colour number i of the runtime's palette, except entry 3 (0, 255, 9).
extern const ColourRef colourPalette[colourPaletteSize];

// The number for a chosen colour: its palette index when it is one of the sixteen (the
// first match from index 0), otherwise the COLORREF itself read as a number.
long colourNumber(ColourRef chosen);

// colourNumber() as decimal text, the form inserted at the caret.
std::string colourNumberText(ColourRef chosen);

// The colour the next dialog starts from after `chosen` was picked: the colour number,
// so a palette colour leaves its small index (read as a colour) and any other colour
// leaves itself.
ColourRef nextStartColour(ColourRef chosen);

#endif
