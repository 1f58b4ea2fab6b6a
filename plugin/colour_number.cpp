#include "colour_number.h"

const ColourRef colourPalette[colourPaletteSize] = {
    0x000000, 0x0000FF, 0xFF0000, 0x09FF00, 0xFFFF00, 0x00FFFF, 0x2B2AA5, 0xCD0000,
    0xBEBEBE, 0xCBC0FF, 0x008B00, 0xE22B8A, 0x8B8B00, 0x00D7FF, 0x247FFF, 0xFFFFFF,
};

long colourNumber(ColourRef chosen) {
    for (int i = 0; i < colourPaletteSize; ++i) {
        if (colourPalette[i] == chosen) return i;
    }
    return static_cast<long>(chosen);
}

std::string colourNumberText(ColourRef chosen) {
    return std::to_string(colourNumber(chosen));
}

ColourRef nextStartColour(ColourRef chosen) {
    return static_cast<ColourRef>(colourNumber(chosen));
}
