#pragma once

#include <QDateTime>

struct AppSettings;

// Whether the return delay has passed: seconds since midnight now against the start of the
// countdown, across midnight as well.
bool returnDelayPassed(int nowSeconds, double minimizedAt, qint64 delaySeconds);

// The automatic return after a minimise: due once the delay has passed, and taken once.
class ReturnSchedule {
public:
    // Starts the countdown: MinimizedAt becomes the whole seconds since midnight now.
    void start(AppSettings& settings, const QDateTime& now);
    [[nodiscard]] bool isDue(const AppSettings& settings, const QDateTime& now) const;
    // Marks the return taken, so that a tick during its sound starts no second one.
    void take() { pending = false; }
    [[nodiscard]] bool isPending() const { return pending; }

private:
    bool pending = false;
};
