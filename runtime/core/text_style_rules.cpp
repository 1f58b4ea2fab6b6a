#include "text_style_rules.h"

#include <climits>
#include <cmath>

#include "colour_numbers.h"

namespace qiv {

namespace {
// Face names in GBK, written as bytes so that every compiler reads the same text.
const char* const kFaces[kFaceCount] = {
    "\xcb\xce\xcc\xe5",                  // song ti
    "\xce\xa2\xc8\xed\xd1\xc5\xba\xda",  // wei ruan ya hei
    "\xb7\xc2\xcb\xce",                  // fang song
    "\xba\xda\xcc\xe5",                  // hei ti
    "\xbf\xac\xcc\xe5",                  // kai ti
    "\xc1\xa5\xca\xe9",                  // li shu
    "\xb7\xbd\xd5\xfd\xd2\xa6\xcc\xe5",  // fang zheng yao ti
    "\xbb\xaa\xce\xc4\xd0\xd0\xbf\xac",  // hua wen xing kai
    "\xb7\xbd\xd5\xfd\xca\xe6\xcc\xe5",  // fang zheng shu ti
    "\xd3\xd7\xd4\xb2",                  // you yuan
    "Georgia",
    "Helvetica",
    "Arial",
    "Verdana",
    "Tahoma",
};

// Default, GB2312, ANSI, Big5, Mac, OEM, symbol.
const int kCharSets[kCharSetCount] = {1, 134, 0, 136, 77, 255, 2};

const int kFaceBytes = 31;
}  // namespace

unsigned textColourValue(int colour) {
    const Rgb c = colourFromNumber(colour);
    return packColour(c.r, c.g, c.b);
}

TextBackground textBackground(int colour) {
    if (colour == -1) return TextBackground{true, 0};
    return TextBackground{false, textColourValue(colour)};
}

int truncToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

int fontPixels(double units, double scale) { return truncToInt(units * scale); }

int escapementOf(double degrees) { return truncToInt(-degrees * 10); }

const char* faceByIndex(int index) { return kFaces[index >= 0 && index < kFaceCount ? index : 0]; }

int charSetByIndex(int index) { return kCharSets[index >= 0 && index < kCharSetCount ? index : 0]; }

std::string faceField(const std::string& face) { return face.substr(0, kFaceBytes); }

}  // namespace qiv
