#include "picture_score.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace qivcheck {

namespace {

uint32_t le16(const std::string& b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8;
}

uint32_t le32(const std::string& b, size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

void put16(std::string& b, uint32_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

int channelDifference(uint32_t a, uint32_t b) {
    int most = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        most = std::max(most, d);
    }
    return most;
}

const int kDrawnDifference = 24;   // more than this on some channel: drawn
const int kColourDifference = 64;  // at most this on every channel: the same colour

// What the comparison knows of each position of its grid, one bit each, so that the whole
// comparison needs two buffers of a byte a pixel (fresh pages cost more than the passes).
enum : uint8_t { kStudentDrawn = 1, kTargetDrawn = 2, kNearTarget = 4, kNearStudent = 8 };

// Sets `bit` of the grid (width wide) where the picture, laid at the grid's top-left corner,
// has a drawn pixel; the grid beyond the picture counts as its background. Returns how many.
int markDrawn(const Picture& p, int width, uint8_t bit, std::vector<uint8_t>& grid) {
    const uint32_t background = backgroundColour(p);
    int count = 0;
    for (int y = 0; y < p.height; ++y) {
        const uint32_t* row = p.pixels.data() + static_cast<size_t>(y) * p.width;
        uint8_t* out = grid.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < p.width; ++x) {
            if (row[x] != background && isDrawn(row[x], background)) {
                out[x] |= bit;
                ++count;
            }
        }
    }
    return count;
}

// Sets `to` wherever a position with `from` lies within `radius` in Chebyshev distance, i.e.
// in the square of side 2 * radius + 1 around it. The square is separable, so a pass along
// the rows (distance to the last and next position set) into `across`, and one down the
// columns (done row by row, keeping for each column the last and next row that was set) take
// O(pixels) whatever the radius.
void grow(std::vector<uint8_t>& grid, int width, int height, int radius, uint8_t from, uint8_t to,
          std::vector<uint8_t>& across) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = grid.data() + static_cast<size_t>(y) * width;
        uint8_t* out = across.data() + static_cast<size_t>(y) * width;
        int last = INT_MIN / 2;
        for (int x = 0; x < width; ++x) {
            if (in[x] & from) last = x;
            out[x] = x - last <= radius;
        }
        int next = INT_MAX / 2;
        for (int x = width - 1; x >= 0; --x) {
            if (in[x] & from) next = x;
            if (next - x <= radius) out[x] = 1;
        }
    }
    std::vector<int> mark(static_cast<size_t>(width), INT_MIN / 2);
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = across.data() + static_cast<size_t>(y) * width;
        uint8_t* out = grid.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            if (in[x]) mark[x] = y;
            if (y - mark[x] <= radius) out[x] |= to;
        }
    }
    std::fill(mark.begin(), mark.end(), INT_MAX / 2);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* in = across.data() + static_cast<size_t>(y) * width;
        uint8_t* out = grid.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            if (in[x]) mark[x] = y;
            if (mark[x] - y <= radius) out[x] |= to;
        }
    }
}

int percent(double share) {
    return static_cast<int>(std::lround(100.0 * share));
}

}  // namespace

bool readBmp(const std::string& bytes, Picture* out) {
    const size_t kFileHeader = 14, kInfoHeader = 40;
    if (bytes.size() < kFileHeader + kInfoHeader || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const uint64_t dataOffset = le32(bytes, 10);
    const uint64_t infoSize = le32(bytes, 14);
    if (infoSize < kInfoHeader || infoSize > bytes.size() - kFileHeader) return false;
    const int32_t width = static_cast<int32_t>(le32(bytes, 18));
    const int32_t height = static_cast<int32_t>(le32(bytes, 22));
    const uint32_t planes = le16(bytes, 26), bits = le16(bytes, 28), compression = le32(bytes, 30);
    if (planes != 1 || (bits != 24 && bits != 32)) return false;
    if (compression == 3 && bits == 32) {
        // BI_BITFIELDS: the three masks follow the 40-byte header (or lie in a longer one at
        // the same place); only the usual order of the channels is taken.
        const size_t masks = kFileHeader + kInfoHeader;
        if (bytes.size() < masks + 12) return false;
        if (le32(bytes, masks) != 0xFF0000 || le32(bytes, masks + 4) != 0xFF00 || le32(bytes, masks + 8) != 0xFF)
            return false;
    } else if (compression != 0) {
        return false;
    }
    if (width <= 0 || height == 0 || height == INT32_MIN) return false;
    const bool topDown = height < 0;
    const uint64_t rows = topDown ? static_cast<uint64_t>(-static_cast<int64_t>(height)) : static_cast<uint64_t>(height);
    const uint64_t pixelBytes = bits / 8;
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    // Every factor is below 2^32, so these cannot overflow 64 bits; the last row may come
    // without its padding, as some writers leave it off.
    const uint64_t needed = dataOffset + stride * (rows - 1) + pixelBytes * static_cast<uint64_t>(width);
    if (dataOffset < kFileHeader + infoSize || needed > bytes.size()) return false;
    if (rows > static_cast<uint64_t>(INT_MAX)) return false;

    Picture picture;
    picture.width = width;
    picture.height = static_cast<int>(rows);
    picture.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(rows));
    for (uint64_t r = 0; r < rows; ++r) {
        const uint64_t y = topDown ? r : rows - 1 - r;
        const unsigned char* in = reinterpret_cast<const unsigned char*>(bytes.data()) + dataOffset + r * stride;
        uint32_t* row = picture.pixels.data() + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; ++x, in += pixelBytes)
            row[x] = static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[1]) << 8 | in[0];
    }
    *out = std::move(picture);
    return true;
}

std::string writeBmp(const Picture& picture) {
    const uint32_t width = picture.width > 0 ? static_cast<uint32_t>(picture.width) : 0;
    const uint32_t height = picture.height > 0 ? static_cast<uint32_t>(picture.height) : 0;
    const uint32_t stride = (width * 3 + 3) / 4 * 4;
    const uint32_t dataSize = stride * height;
    std::string b;
    b.reserve(54 + dataSize);
    b += "BM";
    put32(b, 54 + dataSize);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, width);
    put32(b, height);
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);
    put32(b, dataSize);
    put32(b, 2835);  // 72 dots an inch
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    for (uint32_t r = 0; r < height; ++r) {
        const size_t y = height - 1 - r;
        for (uint32_t x = 0; x < width; ++x) {
            const size_t at = y * width + x;
            const uint32_t c = at < picture.pixels.size() ? picture.pixels[at] : 0;
            b += static_cast<char>(c & 0xFF);
            b += static_cast<char>((c >> 8) & 0xFF);
            b += static_cast<char>((c >> 16) & 0xFF);
        }
        b.append(stride - width * 3, '\0');
    }
    return b;
}

uint32_t backgroundColour(const Picture& picture) {
    // Counted by runs, since a canvas is mostly long runs of its background, in a table with
    // open addressing: a picture of noise has as many colours as pixels, which a node-based
    // map counts many times slower.
    const std::vector<uint32_t>& p = picture.pixels;
    size_t runs = 0;
    for (size_t i = 0; i < p.size(); ++i) runs += i == 0 || p[i] != p[i - 1];
    size_t capacity = 16;
    while (capacity < 2 * runs) capacity *= 2;
    const uint32_t kEmpty = 0xFFFFFFFF;  // no colour: colours are kept to 24 bits
    std::vector<uint32_t> colours(capacity, kEmpty);
    std::vector<size_t> counts(capacity, 0);
    uint32_t best = 0;
    size_t bestCount = 0;
    for (size_t i = 0; i < p.size();) {
        size_t end = i + 1;
        while (end < p.size() && p[end] == p[i]) ++end;
        const uint32_t colour = p[i] & 0xFFFFFF;
        size_t slot = (colour * 2654435761u) & (capacity - 1);
        while (colours[slot] != kEmpty && colours[slot] != colour) slot = (slot + 1) & (capacity - 1);
        colours[slot] = colour;
        counts[slot] += end - i;
        if (counts[slot] > bestCount || (counts[slot] == bestCount && colour < best)) {
            best = colour;
            bestCount = counts[slot];
        }
        i = end;
    }
    return best;
}

bool isDrawn(uint32_t colour, uint32_t background) {
    return channelDifference(colour, background) > kDrawnDifference;
}

PictureScore comparePictures(const Picture& student, const Picture& target, int tolerance) {
    tolerance = std::max(tolerance, 0);
    const int width = std::max(student.width, target.width);
    const int height = std::max(student.height, target.height);
    PictureScore score;
    std::vector<uint8_t> grid(static_cast<size_t>(width) * height, 0);
    score.studentDrawn = markDrawn(student, width, kStudentDrawn, grid);
    score.targetDrawn = markDrawn(target, width, kTargetDrawn, grid);
    if (score.studentDrawn == 0 || score.targetDrawn == 0) return score;

    std::vector<uint8_t> scratch(grid.size());
    grow(grid, width, height, tolerance, kTargetDrawn, kNearTarget, scratch);
    grow(grid, width, height, tolerance, kStudentDrawn, kNearStudent, scratch);
    int studentMatched = 0, targetMatched = 0;
    for (uint8_t g : grid) {
        studentMatched += (g & (kStudentDrawn | kNearTarget)) == (kStudentDrawn | kNearTarget);
        targetMatched += (g & (kTargetDrawn | kNearStudent)) == (kTargetDrawn | kNearStudent);
    }
    const double precision = static_cast<double>(studentMatched) / score.studentDrawn;
    const double recall = static_cast<double>(targetMatched) / score.targetDrawn;
    score.shape = percent(std::min(precision, recall));
    if (studentMatched == 0) return score;

    // The colour is looked up only around the student's matching pixels, the pixels of its
    // lines (a few thousand on a drawing), each in at most (2 * tolerance + 1)^2 positions and
    // stopping at the first close colour: far less work than a dilation for each colour.
    int sameColour = 0;
    for (int y = 0; y < student.height; ++y) {
        for (int x = 0; x < student.width; ++x) {
            const uint8_t g = grid[static_cast<size_t>(y) * width + x];
            if ((g & (kStudentDrawn | kNearTarget)) != (kStudentDrawn | kNearTarget)) continue;
            const uint32_t colour = student.pixels[static_cast<size_t>(y) * student.width + x];
            const int y0 = std::max(0, y - tolerance), y1 = std::min(target.height - 1, y + tolerance);
            const int x0 = std::max(0, x - tolerance), x1 = std::min(target.width - 1, x + tolerance);
            bool found = false;
            for (int ty = y0; ty <= y1 && !found; ++ty) {
                for (int tx = x0; tx <= x1; ++tx) {
                    if ((grid[static_cast<size_t>(ty) * width + tx] & kTargetDrawn) &&
                        channelDifference(target.pixels[static_cast<size_t>(ty) * target.width + tx], colour) <=
                            kColourDifference) {
                        found = true;
                        break;
                    }
                }
            }
            if (found) ++sameColour;
        }
    }
    score.colour = percent(static_cast<double>(sameColour) / studentMatched);
    return score;
}

Picture thumbnail(const Picture& picture, int maxWidth) {
    if (maxWidth < 1) return Picture();
    if (picture.width <= maxWidth) return picture;
    Picture small;
    small.width = maxWidth;
    small.height = static_cast<int>(
        std::max<int64_t>(1, (static_cast<int64_t>(picture.height) * maxWidth + picture.width / 2) / picture.width));
    const uint32_t background = backgroundColour(picture);
    small.pixels.assign(static_cast<size_t>(small.width) * small.height, background);
    std::vector<int> strongest(small.pixels.size(), -1);
    // Each source pixel falls into one block; the block keeps the pixel furthest from the
    // background (the first of equals).
    std::vector<int> column(static_cast<size_t>(picture.width));
    for (int x = 0; x < picture.width; ++x)
        column[x] = static_cast<int>(static_cast<int64_t>(x) * small.width / picture.width);
    for (int y = 0; y < picture.height; ++y) {
        const size_t row = static_cast<size_t>(static_cast<int64_t>(y) * small.height / picture.height) * small.width;
        const uint32_t* in = picture.pixels.data() + static_cast<size_t>(y) * picture.width;
        for (int x = 0; x < picture.width; ++x) {
            const size_t at = row + column[x];
            const int difference = channelDifference(in[x], background);
            if (difference > strongest[at]) {
                strongest[at] = difference;
                small.pixels[at] = in[x];
            }
        }
    }
    return small;
}

namespace {

// Grows `box` (started as {width, height, 0, 0}) to hold the rectangle `part` too.
void include(Box& box, const Box& part) {
    box.left = std::min(box.left, part.left);
    box.top = std::min(box.top, part.top);
    box.right = std::max(box.right, part.right);
    box.bottom = std::max(box.bottom, part.bottom);
}

}  // namespace

Box drawnBox(const Picture& picture) {
    Box box{picture.width, picture.height, 0, 0};
    const uint32_t background = backgroundColour(picture);
    for (int y = 0; y < picture.height; ++y) {
        const uint32_t* row = picture.pixels.data() + static_cast<size_t>(y) * picture.width;
        for (int x = 0; x < picture.width; ++x) {
            if (isDrawn(row[x], background)) include(box, Box{x, y, x + 1, y + 1});
        }
    }
    return box.empty() ? Box() : box;
}

namespace {

// Grows [low, high) about its middle to at least `least` wide, then moves and cuts it to
// lie inside [0, limit).
void widen(int& low, int& high, int least, int limit) {
    if (high - low < least) {
        const int missing = least - (high - low);
        low -= missing / 2;
        high += missing - missing / 2;
    }
    if (low < 0) {
        high -= low;
        low = 0;
    }
    if (high > limit) {
        low -= high - limit;
        high = limit;
    }
    low = std::max(low, 0);
}

}  // namespace

Box shownPart(const std::vector<Box>& boxes, int width, int height, int margin, int minWidth, int minHeight) {
    Box all{width, height, 0, 0};
    for (const Box& b : boxes) {
        if (!b.empty()) include(all, b);
    }
    if (all.empty()) return Box{0, 0, width, height};
    all.left -= margin;
    all.top -= margin;
    all.right += margin;
    all.bottom += margin;
    widen(all.left, all.right, minWidth, width);
    widen(all.top, all.bottom, minHeight, height);
    return all;
}

Picture cropped(const Picture& picture, const Box& box) {
    const int left = std::max(box.left, 0), top = std::max(box.top, 0);
    const int right = std::min(box.right, picture.width), bottom = std::min(box.bottom, picture.height);
    Picture part;
    if (right <= left || bottom <= top) return part;
    part.width = right - left;
    part.height = bottom - top;
    part.pixels.reserve(static_cast<size_t>(part.width) * part.height);
    for (int y = top; y < bottom; ++y) {
        const uint32_t* row = picture.pixels.data() + static_cast<size_t>(y) * picture.width;
        part.pixels.insert(part.pixels.end(), row + left, row + right);
    }
    return part;
}

namespace {

// CRLF (and a lone CR) as LF, and no whitespace at the end. None of these bytes can be the
// second byte of a GBK character (those are 0x40..0xFE), so bytes can be looked at one by one.
std::string normalisedText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t' || out.back() == '\n')) out.pop_back();
    return out;
}

std::string withoutSpaces(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) {
            const unsigned char trail = static_cast<unsigned char>(text[i + 1]);
            if (!(c == 0xA1 && trail == 0xA1)) {  // the full-width space
                out += text[i];
                out += text[i + 1];
            }
            ++i;
        } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

TextScore compareTexts(const std::string& student, const std::string& target) {
    TextScore score;
    score.exact = normalisedText(student) == normalisedText(target);
    score.ignoringSpaces = score.exact || withoutSpaces(student) == withoutSpaces(target);
    return score;
}

}  // namespace qivcheck
