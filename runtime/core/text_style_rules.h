// Rules of the canvas text style that need no device context: colour numbers to colour
// values, the background rule, font sizes and angles, and the face and character-set
// tables with their fallback.
#ifndef QIV_TEXT_STYLE_RULES_H
#define QIV_TEXT_STYLE_RULES_H

#include <string>

namespace qiv {

// Colour value (0x00BBGGRR) of a text colour number: the magnitude of a negative number is
// used; 0-15 pick the palette, anything above is the low 24 bits read as 0x00BBGGRR.
unsigned textColourValue(int colour);

// The text background of a colour number: -1 is transparent, anything else opaque in the
// colour textColourValue gives.
struct TextBackground {
    bool transparent;
    unsigned colour;  // meaningful only when opaque
};
TextBackground textBackground(int colour);

// A double truncated toward zero into an int, saturating at the int range (NaN gives 0), so
// absurd sizes and angles cannot overflow a font field.
int truncToInt(double value);

// Font cell size in pixels of a size in logical units at the pen's scale.
int fontPixels(double units, double scale);

// Escapement and orientation (tenths of a degree, counter-clockwise positive) of an angle
// in degrees that turns the text clockwise, as the pen turns right.
int escapementOf(double degrees);

// The face table (15 GBK names) and the character-set table (7 values); an index outside a
// table picks its entry 0.
const int kFaceCount = 15;
const int kCharSetCount = 7;
const char* faceByIndex(int index);
int charSetByIndex(int index);

// A face name as a font description holds it: at most 31 bytes.
std::string faceField(const std::string& face);

}  // namespace qiv

#endif
