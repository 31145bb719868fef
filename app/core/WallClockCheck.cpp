#include "app/core/WallClockCheck.h"

#include <cstdlib>

bool WallClockCheck::moved(qint64 wallMsecs, qint64 bootMsecs, qint64 timerMsecs) {
    const qint64 wall = wallMsecs - bootMsecs;
    const qint64 timer = bootMsecs - timerMsecs;
    const bool jumped =
        looked && (std::llabs(wall - wallOffset) > tolerance || std::llabs(timer - timerOffset) > tolerance);
    // Each look compares with the last one, so a slow slew never adds up to a jump.
    looked = true;
    wallOffset = wall;
    timerOffset = timer;
    return jumped;
}
