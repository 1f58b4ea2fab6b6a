// Animation plans of forward moves and turns, the schedule of their waits, the pixel boxes of
// shapes and the head image a colour number selects.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "core/animation_plan.h"
#include "core/colour_numbers.h"
#include "core/pace_schedule.h"
#include "core/shape_boxes.h"

using namespace qiv;

namespace {

// The whole plan as text, one action per word: A5 (advance), T-5 (turn), W0.005 (wait),
// E (erase head), D (draw head), S (show head).
std::string describe(AnimationCursor cursor) {
    std::ostringstream out;
    AnimationAction a;
    while (cursor.next(&a)) {
        if (out.tellp() > 0) out << ' ';
        switch (a.kind) {
        case AnimationAction::EraseHead: out << 'E'; break;
        case AnimationAction::DrawHead: out << 'D'; break;
        case AnimationAction::ShowHead: out << 'S'; break;
        case AnimationAction::Advance: out << 'A' << a.amount; break;
        case AnimationAction::Turn: out << 'T' << a.amount; break;
        case AnimationAction::Wait: out << 'W' << a.amount; break;
        }
    }
    return out.str();
}

std::vector<AnimationAction> actions(AnimationCursor cursor) {
    std::vector<AnimationAction> v;
    AnimationAction a;
    while (cursor.next(&a)) v.push_back(a);
    return v;
}

const double kSpeed5 = 0.001;  // delay of speed level 5

}  // namespace

TEST(AnimationPlan, ForwardStepsWaitsAndRemainder) {
    EXPECT_EQ(describe(AnimationCursor::forward(12, kSpeed5, false)), "A5 W0.005 A5 W0.005 W0.005 A2");
    EXPECT_EQ(describe(AnimationCursor::forward(-7, kSpeed5, false)), "A-5 W0.005 W0.005 A-2");
    EXPECT_EQ(describe(AnimationCursor::forward(4.9, kSpeed5, false)), "W0.005 A4.9");
    EXPECT_EQ(describe(AnimationCursor::forward(10, kSpeed5, false)), "A5 W0.005 A5 W0.005 W0.005 A0");
}

TEST(AnimationPlan, TurnWaitsBeforeEachStepAndAfterTheRemainder) {
    EXPECT_EQ(describe(AnimationCursor::turn(-12, kSpeed5, false)), "W0.005 T-5 W0.005 T-5 T-2 W0.005");
}

TEST(AnimationPlan, BelowTheThresholdEverythingHappensAtOnce) {
    for (double delay : {0.0, 1e-9, 0.00000099}) {
        EXPECT_EQ(describe(AnimationCursor::forward(12, delay, false)), "A12") << delay;
        EXPECT_EQ(describe(AnimationCursor::turn(-370, delay, false)), "T-370") << delay;
        EXPECT_EQ(describe(AnimationCursor::forward(12, delay, true)), "E A12 D") << delay;
        EXPECT_EQ(describe(AnimationCursor::turn(90, delay, true)), "E T90 S") << delay;
    }
}

// With the head shown every step erases and redraws it; the step wait pays for the head.
TEST(AnimationPlan, HeadIsCarriedAlongAndShortensTheStepWait) {
    EXPECT_EQ(describe(AnimationCursor::forward(12, kSpeed5, true)),
              "E A5 D W0.00485 E A5 D W0.00485 E W0.005 A2 D W0.001");
    EXPECT_EQ(describe(AnimationCursor::turn(7, kSpeed5, true)), "E D W0.00485 T5 E T2 W0.005 S");
    // At speed 9 the shortened wait is negative and the wait returns at once.
    const std::vector<AnimationAction> fast = actions(AnimationCursor::forward(5, 0.00001, true));
    ASSERT_GE(fast.size(), 4u);
    EXPECT_EQ(fast[3].kind, AnimationAction::Wait);
    EXPECT_LT(fast[3].amount, 0);
}

// Whatever the length, the steps add up to it exactly, none is longer than 5 or points the
// wrong way, and each step and the remainder has its wait.
TEST(AnimationPlan, StepsAddUpToTheWholeMove) {
    for (double len : {0.0, 0.3, 9.99, 101.7, -0.3, -5.0, -33.25, 1234.5}) {
        double sum = 0;
        long long waits = 0;
        for (const AnimationAction& a : actions(AnimationCursor::forward(len, 0.0025, false))) {
            if (a.kind == AnimationAction::Wait) ++waits;
            if (a.kind != AnimationAction::Advance) continue;
            sum += a.amount;
            EXPECT_TRUE(std::fabs(a.amount) <= 5 && (a.amount == 0 || (a.amount > 0) == (len > 0))) << len;
        }
        EXPECT_DOUBLE_EQ(sum, len);
        EXPECT_EQ(waits, static_cast<long long>(std::fabs(len)) / 5 + 1) << len;
    }
}

TEST(ShapeBoxes, EllipseHalvesItsPixelSizeRectangleConvertsItsCorner) {
    const CanvasMap at100 = {1, 100, 100};
    const PixelBox e = ellipseBox(0, 0, 10, 5, at100);
    EXPECT_EQ(e.left, 95);
    EXPECT_EQ(e.top, 98);
    EXPECT_EQ(e.left + e.width, 105);
    EXPECT_EQ(e.top + e.height, 103);
    const PixelBox r = rectangleBox(0, 0, 10, 5, at100);
    EXPECT_EQ(r.left, 95);
    EXPECT_EQ(r.top, 97);
    EXPECT_EQ(r.left + r.width, 105);
    EXPECT_EQ(r.top + r.height, 102);
}

TEST(ShapeBoxes, ScaleAndPenPositionAndOddSizes) {
    const CanvasMap map = {2, 400, 300};
    // Pen at logical (10, 20): pixel (420, 260); 15 x 7 units are 30 x 14 pixels.
    const PixelBox e = ellipseBox(10, 20, 15, 7, map);
    EXPECT_EQ(e.left, 405);
    EXPECT_EQ(e.top, 253);
    EXPECT_EQ(e.width, 30);
    EXPECT_EQ(e.height, 14);
    const PixelBox r = rectangleBox(10, 20, 15, 7, map);
    EXPECT_EQ(r.left, 405);  // trunc(2 * 2.5 + 400)
    EXPECT_EQ(r.top, 253);   // trunc(-2 * 23.5 + 300)
    // An odd pixel size puts the extra pixel right of and below the centre.
    const PixelBox odd = ellipseBox(0, 0, 11, 3, CanvasMap{1, 50, 50});
    EXPECT_EQ(odd.left, 45);
    EXPECT_EQ(odd.top, 49);
    EXPECT_EQ(odd.width, 11);
}

// Sizes are not checked: negative ones go to the device as computed; absurd ones are
// limited instead of overflowing. Moves too long to animate still count their steps exactly.
TEST(ShapeBoxes, NegativeAndAbsurdSizes) {
    const PixelBox neg = ellipseBox(0, 0, -10, -4, CanvasMap{1, 100, 100});
    EXPECT_EQ(neg.left, 105);
    EXPECT_EQ(neg.width, -10);
    EXPECT_EQ(pixelLength(1e300, 1), 1 << 27);
    EXPECT_EQ(pixelLength(NAN, 1), 0);
    EXPECT_EQ(animationSteps(1e9), 200000000);
    EXPECT_EQ(animationSteps(NAN), 0);
}

TEST(ColourNumbers, HeadImageFollowsTheColourNumber) {
    EXPECT_EQ(headImageForColour(65280), 0);  // packed green: the black head
    EXPECT_EQ(headImageForColour(-2), 2);
    EXPECT_EQ(headImageForColour(31), 15);
    EXPECT_EQ(headImageForColour(INT_MIN), 0);
}

// The waits of a move keep to a schedule from its start.
TEST(PaceSchedule, DrawingTimeAndLateWaitsComeOffTheNextWait) {
    qiv::PaceSchedule schedule;
    bool restart = true;
    // Steps of 5 ms; drawing took 1 ms before the first wait, the second wait ended 2 ms late.
    EXPECT_DOUBLE_EQ(schedule.next(0.005, 0.001, &restart), 0.004);
    EXPECT_FALSE(restart);
    EXPECT_NEAR(schedule.next(0.005, 0.007, &restart), 0.003, 1e-12);
    // Behind by less than the limit: no wait, the schedule holds.
    EXPECT_DOUBLE_EQ(schedule.next(0.005, 0.040, &restart), 0.0);
    EXPECT_FALSE(restart);
    EXPECT_NEAR(schedule.next(0.005, 0.019, &restart), 0.001, 1e-12);
}

TEST(PaceSchedule, FarBehindStartsAgainAndBadWaitsCountAsNone) {
    qiv::PaceSchedule schedule;
    bool restart = false;
    schedule.next(0.005, 0.0, &restart);
    // Paused for a second in the middle of the move: no rush afterwards.
    EXPECT_DOUBLE_EQ(schedule.next(0.005, 1.0, &restart), 0.0);
    EXPECT_TRUE(restart);
    EXPECT_DOUBLE_EQ(schedule.next(0.005, 0.0, &restart), 0.005);  // counted from the restart
    EXPECT_FALSE(restart);
    EXPECT_DOUBLE_EQ(schedule.next(-1.0, 0.005, &restart), 0.0);
    EXPECT_DOUBLE_EQ(schedule.next(std::nan(""), 0.005, &restart), 0.0);
    EXPECT_DOUBLE_EQ(schedule.next(0.2, 0.005, &restart), 0.2);
}
