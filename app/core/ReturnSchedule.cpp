#include "app/core/ReturnSchedule.h"

#include "app/core/AppSettings.h"
#include "app/core/Platform.h"

#include <algorithm>

void ReturnSchedule::start(AppSettings& settings, const QDateTime& now, qint64 bootMsecs) {
    settings.MinimizedAt = float(secondsSinceMidnight(now));
    startedAt = bootMsecs;
    pending = true;
}

std::optional<qint64> ReturnSchedule::msecsLeft(const AppSettings& settings, qint64 bootMsecs) const {
    if (!pending)
        return std::nullopt;
    const qint64 delay = returnDelaySeconds(settings) * 1000;
    return std::max<qint64>(0, delay - (bootMsecs - startedAt));
}

bool ReturnSchedule::isDue(const AppSettings& settings, qint64 bootMsecs) const {
    return msecsLeft(settings, bootMsecs) == 0;
}
