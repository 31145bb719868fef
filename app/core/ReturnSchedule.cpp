#include "app/core/ReturnSchedule.h"

#include "app/core/AppSettings.h"
#include "app/core/Platform.h"

bool returnDelayPassed(int nowSeconds, double minimizedAt, qint64 delaySeconds) {
    constexpr int secondsPerDay = 86400;
    const double elapsed = nowSeconds - minimizedAt;
    if (elapsed >= double(delaySeconds))
        return true;
    // Below zero, the clock has passed midnight since the countdown started.
    return elapsed < 0 && elapsed + secondsPerDay >= double(delaySeconds);
}

void ReturnSchedule::start(AppSettings& settings, const QDateTime& now) {
    settings.MinimizedAt = float(secondsSinceMidnight(now));
    pending = true;
}

bool ReturnSchedule::isDue(const AppSettings& settings, const QDateTime& now) const {
    return pending && returnDelayPassed(secondsSinceMidnight(now), settings.MinimizedAt, returnDelaySeconds(settings));
}
