#pragma once

#include <QDateTime>

#include <optional>

// When the window's picture can next change, from the wall clock at the moment of asking: the time
// text at each minute, the count and the date at each local midnight, the return at its deadline.
namespace ClockSchedule {

// A wake-up lands this much after the moment it waits for, so that the clock read there is past it.
inline constexpr qint64 wakeMargin = 5;

// The first whole minute of now's own time zone after now (a change of offset falls on a whole
// minute too, so this is the next minute the time text shows).
QDateTime nextMinute(const QDateTime& now);
// The first moment of the next local day in now's time zone: midnight, or the first moment after a
// missing midnight (a summer time that starts at 00:00).
QDateTime nextMidnight(const QDateTime& now);
// Milliseconds from now to the moment, plus the wake margin; never negative.
qint64 msecsUntil(const QDateTime& now, const QDateTime& moment);
// The wait for the count's timer: to the next midnight or, sooner, to the return's deadline
// (milliseconds left, measured on the boot clock).
qint64 countWait(const QDateTime& now, std::optional<qint64> returnMsecsLeft);
// The wait for the clock's timer: to the next minute.
qint64 clockWait(const QDateTime& now);

} // namespace ClockSchedule
