#include "core/pace_schedule.h"

namespace qiv {

double PaceSchedule::next(double seconds, double elapsed, bool* restart) {
    *restart = false;
    if (!(seconds > 0)) seconds = 0;
    scheduled_ += seconds;
    const double remaining = scheduled_ - elapsed;
    if (remaining < -kMostBehind) {
        scheduled_ = 0;
        *restart = true;
        return 0;
    }
    return remaining > 0 ? remaining : 0;
}

}  // namespace qiv
