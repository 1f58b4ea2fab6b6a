// The schedule of an animated move's waits: each wait is counted from the move's start, so
// the time the steps take to draw, and a wait that ended late, come off the next wait and a
// move lasts what its waits add up to. A move that fell too far behind (it was paused, or the
// machine was busy) starts a new schedule instead of rushing to catch up.
#ifndef QIV_PACE_SCHEDULE_H
#define QIV_PACE_SCHEDULE_H

namespace qiv {

class PaceSchedule {
public:
    // How far behind a move may fall before it starts a new schedule, in seconds.
    static constexpr double kMostBehind = 0.05;

    // `elapsed`: seconds since the schedule's start. Returns how long to wait now for a step
    // wait of `seconds` (0 when the schedule is already past it). When the move is more than
    // kMostBehind late, returns 0 and sets `restart`: the caller counts from now on.
    double next(double seconds, double elapsed, bool* restart);

private:
    double scheduled_ = 0;
};

}  // namespace qiv

#endif
