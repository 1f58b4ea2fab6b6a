#include "bmp_layout.h"

#include "gbk_path.h"

namespace qiv {

namespace {

void put16(uint8_t* at, uint32_t v) {
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* at, uint32_t v) {
    put16(at, v);
    put16(at + 2, v >> 16);
}

}  // namespace

int bmpDepthForDisplay(int bitsPerPixel, int planes) {
    const long long bits = static_cast<long long>(bitsPerPixel) * planes;
    if (bits <= 1) return 1;
    if (bits <= 4) return 4;
    if (bits <= 8) return 8;
    return 24;
}

bool bmpLayout(int width, int height, int depth, BmpLayout* out) {
    if (width <= 0 || height <= 0) return false;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24) return false;
    const uint64_t rowSize = (static_cast<uint64_t>(width) * depth + 31) / 32 * 4;
    const uint64_t colourTable = depth <= 8 ? (uint64_t{1} << depth) * 4 : 0;
    const uint64_t image = rowSize * static_cast<uint64_t>(height);
    const uint64_t offset = kBmpFileHeaderSize + kBmpInfoHeaderSize + colourTable;
    if (offset + image >= (uint64_t{1} << 31)) return false;
    out->width = width;
    out->height = height;
    out->depth = depth;
    out->rowSize = static_cast<uint32_t>(rowSize);
    out->colourTableSize = static_cast<uint32_t>(colourTable);
    out->imageSize = static_cast<uint32_t>(image);
    out->pixelOffset = static_cast<uint32_t>(offset);
    out->fileSize = static_cast<uint32_t>(offset + image);
    return true;
}

std::array<uint8_t, kBmpFileHeaderSize> bmpFileHeader(const BmpLayout& layout) {
    std::array<uint8_t, kBmpFileHeaderSize> h{};
    h[0] = 'B';
    h[1] = 'M';
    put32(&h[2], layout.fileSize);
    put32(&h[10], layout.pixelOffset);
    return h;
}

std::array<uint8_t, kBmpInfoHeaderSize> bmpInfoHeader(const BmpLayout& layout) {
    std::array<uint8_t, kBmpInfoHeaderSize> h{};
    put32(&h[0], kBmpInfoHeaderSize);
    put32(&h[4], static_cast<uint32_t>(layout.width));
    put32(&h[8], static_cast<uint32_t>(layout.height));
    put16(&h[12], 1);
    put16(&h[14], static_cast<uint32_t>(layout.depth));
    return h;  // compression, image size, resolutions and colour counts stay 0
}

std::string pictureFileName(const std::string& programPath) {
    const std::string::size_type slash = lastSeparator(programPath, "\\/");
    const std::string::size_type dot = programPath.find_last_of('.');
    const bool dotInName = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (dotInName ? programPath.substr(0, dot) : programPath) + ".bmp";
}

}  // namespace qiv
