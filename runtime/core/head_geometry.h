// Geometry of the pen head: the image turned about its centre and the square of canvas
// pixels saved under it. No Windows types here: the head (pen_head.cpp) hands these
// functions its image size and the pen's pixel and applies the results to the canvas.
#ifndef QIV_HEAD_GEOMETRY_H
#define QIV_HEAD_GEOMETRY_H

namespace qiv {

// Size-derived numbers of a head image of width x height pixels.
struct HeadShape {
    double radius;       // half the diagonal
    double cornerAngle;  // angle of the diagonal against the width side, radians
    int side;            // side of the saved square: trunc(2 * (radius + 1))
};
HeadShape headShape(int width, int height);

// The built-in pencil: 12 x 24 pixels of each head bitmap are drawn.
constexpr int kBuiltInHeadWidth = 12;
constexpr int kBuiltInHeadHeight = 24;

// A canvas pixel.
struct HeadPixel {
    int x, y;
};

// The compass heading the head is drawn for: within 0.01 degree of +-180 it is turned on
// by 0.6 degree (180 -> 180.6, -180 -> -179.4), otherwise it is the heading itself.
double drawnHeading(double heading);

// Where the image's top-left, top-right and bottom-left corners land when it is centred on
// the pen's pixel (px, py) and turned clockwise by the compass heading (degrees); the
// heading is nudged off 180 first. Each coordinate is truncated toward zero.
struct HeadCorners {
    HeadPixel topLeft, topRight, bottomLeft;
};
HeadCorners headCorners(int px, int py, double heading, const HeadShape& shape);

// The image's rectangle laid onto the parallelogram of its corners: each canvas pixel
// shows the image pixel under its centre, as a parallelogram copy with nearest-pixel
// sampling draws it.
class HeadMapping {
public:
    HeadMapping(const HeadCorners& corners, int width, int height);
    // False when the parallelogram has no area (an empty image): nothing is drawn.
    bool valid() const { return det_ != 0; }
    // The canvas pixels that can show the image: [left, right) x [top, bottom).
    int left() const { return left_; }
    int top() const { return top_; }
    int right() const { return right_; }
    int bottom() const { return bottom_; }
    // The image pixel shown at canvas pixel (x, y); false where the image does not reach.
    bool source(int x, int y, int* sx, int* sy) const;

private:
    double ox_, oy_;              // the top-left corner
    double ax_, ay_, bx_, by_;    // one image pixel along the width, along the height
    double det_;
    int width_, height_;
    int left_, top_, right_, bottom_;
};

// Top-left pixel of the square saved under the head for the pen's pixel (px, py):
// trunc(p - (radius + 1)) in each direction.
HeadPixel saveSquareOrigin(int px, int py, const HeadShape& shape);

}  // namespace qiv

#endif
