#pragma once

#include <QtGlobal>

// Notices that the wall clock has been set (by hand, by the time service, by a faked clock) by
// comparing it with the boot clock, which nobody can set: between two looks both move by the same
// amount unless the wall clock was moved. Also notices a suspend, in which the boot clock runs on
// while the clock of the program's timers stands still.
class WallClockCheck {
public:
    // Offsets smaller than this are a time service slewing the clock, not a jump.
    static constexpr qint64 tolerance = 250;

    // Takes one look at the three clocks (milliseconds); true when the wall clock or the boot
    // clock moved against the others since the last look. The first look only remembers.
    bool moved(qint64 wallMsecs, qint64 bootMsecs, qint64 timerMsecs);

private:
    bool looked = false;
    qint64 wallOffset = 0;  // wall - boot
    qint64 timerOffset = 0; // boot - timer
};
