// How wait(seconds) blocks: long waits sleep, short ones spin on the performance counter
// for precision, and zero, negative or tiny ones return at once.
#ifndef QIV_WAIT_PLAN_H
#define QIV_WAIT_PLAN_H

namespace qiv {

struct WaitPlan {
    enum Kind { Return, BusyWait, Sleep } kind;
    unsigned long sleepMs;  // for Sleep: whole milliseconds, truncated
    double seconds;         // for BusyWait: the time to spin
};

WaitPlan planWait(double seconds);

// Performance-counter ticks a busy wait must exceed.
double busyWaitTicks(double seconds, double ticksPerSecond);

}  // namespace qiv

#endif
