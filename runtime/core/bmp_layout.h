// Layout of an uncompressed BMP file as Save Picture writes it: a 14-byte file header, a
// 40-byte information header, a colour table for depths of 8 bits or fewer, then the pixel
// rows bottom-up, each padded to a multiple of 4 bytes. All fields little-endian.
#ifndef QIV_BMP_LAYOUT_H
#define QIV_BMP_LAYOUT_H

#include <array>
#include <cstdint>
#include <string>

namespace qiv {

enum { kBmpFileHeaderSize = 14, kBmpInfoHeaderSize = 40 };

// The file's depth for a display of the given bits per pixel and colour planes:
// at most 1 gives 1, at most 4 gives 4, at most 8 gives 8, anything more gives 24.
int bmpDepthForDisplay(int bitsPerPixel, int planes);

// Sizes of a W x H picture at depth D (1, 4, 8 or 24).
struct BmpLayout {
    int width, height, depth;
    uint32_t rowSize;          // ((W * D + 31) / 32) * 4
    uint32_t colourTableSize;  // 2^D entries of 4 bytes for D <= 8, else 0
    uint32_t imageSize;        // rowSize * H
    uint32_t pixelOffset;      // 54 + colour table
    uint32_t fileSize;         // pixelOffset + image
};

// Fills *out and returns true for a positive width and height, a depth of 1, 4, 8 or 24
// and a file below 2 GiB; otherwise returns false and leaves *out alone.
bool bmpLayout(int width, int height, int depth, BmpLayout* out);

// The 14-byte file header: "BM", file size, two reserved zeros, offset of the pixel rows.
std::array<uint8_t, kBmpFileHeaderSize> bmpFileHeader(const BmpLayout& layout);

// The 40-byte information header: size 40, W, H (positive: bottom-up rows), 1 plane, the
// depth, uncompressed; image size, resolutions and colour counts 0.
std::array<uint8_t, kBmpInfoHeaderSize> bmpInfoHeader(const BmpLayout& layout);

// Where the picture of a program goes: its path with the extension after the last '.' of
// the file name replaced by ".bmp" (demo.exe -> demo.bmp); a name without an extension
// gets ".bmp" appended. Dots in folder names are not taken for the extension.
std::string pictureFileName(const std::string& programPath);

}  // namespace qiv

#endif
