#include "colour_numbers.h"

namespace qiv {

const Rgb kPalette[16] = {
    {0, 0, 0},       {255, 0, 0},     {0, 0, 255},    {0, 255, 0},
    {0, 255, 255},   {255, 255, 0},   {165, 42, 43},  {0, 0, 205},
    {190, 190, 190}, {255, 192, 203}, {0, 139, 0},    {138, 43, 226},
    {0, 139, 139},   {255, 215, 0},   {255, 127, 36}, {255, 255, 255},
};

namespace {
// The magnitude in unsigned arithmetic, so even the most negative int is safe.
unsigned magnitude(int number) {
    return number < 0 ? 0u - static_cast<unsigned>(number) : static_cast<unsigned>(number);
}
}  // namespace

Rgb colourFromNumber(int number) {
    const unsigned n = magnitude(number);
    if (n <= 15) return kPalette[n];
    return Rgb{static_cast<int>(n & 0xFF), static_cast<int>((n >> 8) & 0xFF),
               static_cast<int>((n >> 16) & 0xFF)};
}

int headImageForColour(int number) { return static_cast<int>(magnitude(number) % 16); }

unsigned packColour(int r, int g, int b) {
    return (static_cast<unsigned>(r) & 0xFF) | (static_cast<unsigned>(g) & 0xFF) << 8 |
           (static_cast<unsigned>(b) & 0xFF) << 16;
}

}  // namespace qiv
