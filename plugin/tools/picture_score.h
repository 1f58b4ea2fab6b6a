// The class-checking tool (qivcheck.exe) runs every student's program and the teacher's target
// program in capture mode, which leaves the canvas as a BMP and the output pane's text. This
// reads and writes those pictures, scores how closely a student's drawing and output follow the
// target's, and makes the small pictures of the report. Pure logic, no Windows calls.
#ifndef QIV_PICTURE_SCORE_H
#define QIV_PICTURE_SCORE_H

#include <cstdint>
#include <string>
#include <vector>

namespace qivcheck {

// A picture in memory: width * height pixels 0xRRGGBB, row-major, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

// Reads an uncompressed BMP of 24 or 32 bits a pixel, stored bottom-up or top-down (32-bit
// ones may also name the usual masks with BI_BITFIELDS). False for any other kind, for a
// header whose sizes do not fit the bytes given, and for truncated data; `out` is then left
// as it was.
bool readBmp(const std::string& bytes, Picture* out);

// A 24-bit bottom-up BMP of the picture, rows padded to 4 bytes.
std::string writeBmp(const Picture& picture);

// The picture's most frequent colour (0 for an empty picture).
uint32_t backgroundColour(const Picture& picture);

// Whether `colour` counts as drawn on `background`: some channel differs by more than 24, so
// the soft edges of text count while the noise of nothing does not.
bool isDrawn(uint32_t colour, uint32_t background);

struct PictureScore {
    int shape = 0;         // 0..100: how well the drawn pixels of the two pictures match
    int colour = 0;        // 0..100: how many of the student's matching pixels have the target's colour
    int studentDrawn = 0;  // drawn pixels of each picture
    int targetDrawn = 0;
};

// Scores the student's picture against the target's. A drawn pixel matches when a drawn
// pixel of the other picture lies within `tolerance` pixels of it (Chebyshev distance, so
// within the square of side 2 * tolerance + 1 around it). Precision is the share of the
// student's drawn pixels that match, recall the share of the target's; shape is the smaller
// of the two, in percent: three of a star's five lines, or a star with scribbles around it,
// are not the star (the mean of the two would call three lines of five a match). It is 0
// when either picture has no drawn pixel, so an empty canvas scores 0, and so do two empty
// canvases: there is nothing to compare.
//
// Colour: among the student's matching pixels, the share whose colour is close (no channel
// differs by more than 64) to that of a target drawn pixel within tolerance; 0 when none
// matched.
//
// Each picture's background is its own most frequent colour, so white lines on black match
// black lines on white in shape (not in colour). Capture mode writes canvases of one size;
// should two sizes differ, the pictures are laid over each other at their top-left corners
// and a position outside one picture counts as that picture's background there, so what is
// drawn outside the other picture cannot match.
PictureScore comparePictures(const Picture& student, const Picture& target, int tolerance = 3);

// The picture scaled down to at most `maxWidth` pixels wide, keeping its aspect (a picture
// that already fits is returned as it is; an empty one for maxWidth < 1). Each pixel is the
// pixel of its block of the source that differs most from the source's background, so lines
// of one pixel stay visible.
Picture thumbnail(const Picture& picture, int maxWidth);

// A rectangle of pixels: columns left..right-1, rows top..bottom-1 (empty when right <= left
// or bottom <= top).
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};

// The smallest box holding every drawn pixel of the picture (empty when nothing is drawn).
Box drawnBox(const Picture& picture);

// The part of the class's canvases the report shows: the boxes' union widened by `margin`
// pixels on every side, then grown about its middle to at least `minWidth` x `minHeight`,
// all kept inside a canvas of `width` x `height`. The whole canvas when every box is empty.
Box shownPart(const std::vector<Box>& boxes, int width, int height, int margin, int minWidth, int minHeight);

// The pixels of the picture inside `box` (cut to the picture).
Picture cropped(const Picture& picture, const Box& box);

struct TextScore {
    bool exact;           // equal but for line ends (CRLF or LF) and whitespace at the very end
    bool ignoringSpaces;  // equal once every space, tab, CR, LF and full-width space is removed
};

// Compares two output texts in GBK. A lead byte (0x81..0xFE) takes the byte after it along,
// so the two bytes of a character are never read as two.
TextScore compareTexts(const std::string& student, const std::string& target);

}  // namespace qivcheck

#endif
