#include "wait_plan.h"

namespace qiv {

WaitPlan planWait(double seconds) {
    if (seconds > 0.08) {
        // Longer than about 49 days would not fit a DWORD; such a wait is clamped.
        const double ms = seconds * 1000.0;
        const unsigned long whole = ms >= 4294967294.0 ? 4294967294ul
                                                       : static_cast<unsigned long>(ms);
        return WaitPlan{WaitPlan::Sleep, whole, seconds};
    }
    if (seconds > 0.000001) return WaitPlan{WaitPlan::BusyWait, 0, seconds};
    return WaitPlan{WaitPlan::Return, 0, 0.0};
}

double busyWaitTicks(double seconds, double ticksPerSecond) { return seconds * ticksPerSecond; }

}  // namespace qiv
