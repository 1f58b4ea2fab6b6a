// Decimal text of whole numbers, the pen's state line and the way wait() blocks.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/number_text.h"
#include "core/pen_state_text.h"
#include "core/wait_plan.h"

using namespace qiv;

TEST(NumberText, ZeroPositivesNegativesAndExtremes) {
    EXPECT_EQ(decimalText(0), "0");
    EXPECT_EQ(decimalText(7), "7");
    EXPECT_EQ(decimalText(100), "100");
    EXPECT_EQ(decimalText(1234567890123LL), "1234567890123");
    EXPECT_EQ(decimalText(-42), "-42");
    EXPECT_EQ(decimalText(-7), "-7");
    EXPECT_EQ(decimalText(LLONG_MAX), "9223372036854775807");
    EXPECT_EQ(decimalText(LLONG_MIN), "-9223372036854775808");
}

TEST(PenStateText, RoundsToTwoDecimalsAndTellsUpOrDown) {
    EXPECT_EQ(penStateLine({0, -0.0, -0.0, 0, 0, 205, 1, true, 1}),
              "x=0.00 y=0.00 angle=0.00 color=(0,0,205) size=1 down scale=1.00");
    EXPECT_EQ(penStateLine({100, -50.006, 270.5, 255, 128, 0, 12, false, 0.8}),
              "x=100.00 y=-50.01 angle=270.50 color=(255,128,0) size=12 up scale=0.80");
    // The largest values a program can reach still give the whole line.
    const std::string huge = penStateLine({-1e308, 1e308, 359.99, 255, 255, 255, 99, true, 1e300});
    EXPECT_EQ(huge.compare(0, 3, "x=-"), 0);
    EXPECT_NE(huge.find(" angle=359.99 color=(255,255,255) size=99 down scale=1"), std::string::npos);
}

TEST(WaitPlan, TinyZeroAndNegativeWaitsReturnAtOnce) {
    for (double s : {0.0, -1.0, 0.0000005, 0.000001, std::nan("")})
        EXPECT_EQ(planWait(s).kind, WaitPlan::Return) << s;
}

TEST(WaitPlan, ShortWaitsSpinUpToAndIncludingEightyMilliseconds) {
    for (double s : {0.0000011, 0.05, 0.08}) {
        const WaitPlan p = planWait(s);
        EXPECT_EQ(p.kind, WaitPlan::BusyWait) << s;
        EXPECT_DOUBLE_EQ(p.seconds, s);
    }
    EXPECT_DOUBLE_EQ(busyWaitTicks(0.05, 10000000.0), 500000.0);
}

TEST(WaitPlan, LongWaitsSleepWholeMilliseconds) {
    WaitPlan p = planWait(0.5);
    EXPECT_EQ(p.kind, WaitPlan::Sleep);
    EXPECT_EQ(p.sleepMs, 500ul);
    EXPECT_EQ(planWait(1.0009).sleepMs, 1000ul);
    EXPECT_EQ(planWait(0.0801).sleepMs, 80ul);
}

// Sleep takes a 32-bit count and 0xFFFFFFFF means "forever": an enormous wait must
// neither wrap to a short sleep nor become an endless one.
TEST(WaitPlan, EnormousWaitsStayFiniteAndLong) {
    for (double s : {5e6, 1e12, HUGE_VAL}) {
        const WaitPlan p = planWait(s);
        EXPECT_EQ(p.kind, WaitPlan::Sleep) << s;
        EXPECT_LT(p.sleepMs, 0xFFFFFFFFul) << s;
        EXPECT_GE(p.sleepMs, 4000000000ul) << s;
    }
}
