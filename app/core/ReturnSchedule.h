#pragma once

#include <QDateTime>

#include <optional>

struct AppSettings;

// The automatic return after a minimise: due once the delay has passed on the boot clock, which
// counts a suspend and which nobody can set, and taken once. MinimizedAt still records the start as
// whole seconds since midnight, for everything that shows or stores it.
class ReturnSchedule {
public:
    // Starts the countdown: MinimizedAt becomes the whole seconds since midnight now, the delay is
    // counted from the boot clock's bootMsecs.
    void start(AppSettings& settings, const QDateTime& now, qint64 bootMsecs);
    [[nodiscard]] bool isDue(const AppSettings& settings, qint64 bootMsecs) const;
    // Milliseconds until the return is due (0 once it is), none when no return is pending.
    [[nodiscard]] std::optional<qint64> msecsLeft(const AppSettings& settings, qint64 bootMsecs) const;
    // Marks the return taken, so that a tick during its sound starts no second one.
    void take() { pending = false; }
    [[nodiscard]] bool isPending() const { return pending; }

private:
    bool pending = false;
    qint64 startedAt = 0;
};
