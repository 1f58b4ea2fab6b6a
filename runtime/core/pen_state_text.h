// The pen's state as one line of text, for a program that wants to show or log where its
// pen is: pen.getLine(s).
#ifndef QIV_PEN_STATE_TEXT_H
#define QIV_PEN_STATE_TEXT_H

#include <string>

namespace qiv {

// What the line tells, in the program's own terms: logical position (y up), compass
// heading, the colour's components, the line width, whether the pen draws, and the scale.
struct PenState {
    double x;
    double y;
    double heading;
    int red;
    int green;
    int blue;
    int width;
    bool down;
    double scale;
};

// "x=100.00 y=-50.00 angle=90.00 color=(0,0,205) size=1 down scale=1.00": the names of the
// pen's own calls, numbers with two decimals as the program's output has them by default.
std::string penStateLine(const PenState& state);

}  // namespace qiv

#endif
