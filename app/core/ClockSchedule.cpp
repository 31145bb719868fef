#include "app/core/ClockSchedule.h"

#include <QTimeZone>

#include <algorithm>

namespace {

// Local time stays local time, read through the C library as the clock's text is; a named zone or
// an offset stays what it is.
QDateTime sameKind(const QDateTime& now, qint64 msecsSinceEpoch) {
    if (now.timeSpec() == Qt::LocalTime)
        return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, Qt::LocalTime);
    return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, now.timeZone());
}

} // namespace

namespace ClockSchedule {

QDateTime nextMinute(const QDateTime& now) {
    constexpr qint64 minute = qint64(60) * 1000;
    // Counted in local milliseconds, so that a zone whose offset is not whole minutes still turns
    // over at its own minute.
    const qint64 offset = qint64(now.offsetFromUtc()) * 1000;
    const qint64 local = now.toMSecsSinceEpoch() + offset;
    const qint64 next = (local - (((local % minute) + minute) % minute)) + minute - offset;
    return sameKind(now, next);
}

QDateTime nextMidnight(const QDateTime& now) {
    const QDate tomorrow = now.date().addDays(1);
    if (now.timeSpec() == Qt::LocalTime)
        return tomorrow.startOfDay(Qt::LocalTime);
    return tomorrow.startOfDay(now.timeZone());
}

qint64 msecsUntil(const QDateTime& now, const QDateTime& moment) {
    return std::max<qint64>(0, now.msecsTo(moment)) + wakeMargin;
}

qint64 countWait(const QDateTime& now, std::optional<qint64> returnMsecsLeft) {
    const qint64 midnight = msecsUntil(now, nextMidnight(now));
    if (!returnMsecsLeft)
        return midnight;
    return std::min(midnight, std::max<qint64>(0, *returnMsecsLeft) + wakeMargin);
}

qint64 clockWait(const QDateTime& now) {
    return msecsUntil(now, nextMinute(now));
}

} // namespace ClockSchedule
