#pragma once

#include <QObject>

#include <functional>

class Platform;
class QTimer;
class ReturnSchedule;
struct AppSettings;

// The countdown window's two timers, each a single shot set for the next moment its handler can
// change the picture: the clock's timer for the next minute (the time text; the date changes at a
// minute too), the count's timer for the next local midnight (count, expiry) or the return's
// deadline, whichever is sooner. Between them the program sleeps. A jump of the wall clock or of
// the time zone runs both handlers at once and sets the timers afresh.
class CountdownClock : public QObject {
    Q_OBJECT
public:
    // The period the count's timer had before it woke at deadlines: 10 s while a return is counted,
    // 60 s after one. It no longer spaces wake-ups; it says which of the two the window is in.
    static constexpr int countingPeriod = 10000;
    static constexpr int afterReturnPeriod = 60000;

    struct Handlers {
        std::function<void()> count; // Timer1_Timer
        std::function<void()> clock; // Timer2_Timer
    };
    CountdownClock(Platform& platform, const AppSettings& settings, const ReturnSchedule& schedule, Handlers handlers,
                   QObject* parent);
    ~CountdownClock() override;

    [[nodiscard]] QTimer* countTimer() const { return count; }
    [[nodiscard]] QTimer* clockTimer() const { return clock; }
    // Starts both timers.
    void start();
    // The count's timer stops under a window of the menu and under the expiry question, and starts
    // again after them.
    void stopCount();
    void startCount();
    [[nodiscard]] bool isCounting() const { return counting; }
    // Sets the count's timer again, after the return's deadline has changed.
    void scheduleCount();
    void setCountPeriod(int msecs) { period = msecs; }
    [[nodiscard]] int countPeriod() const { return period; }

private:
    void scheduleClock();
    void wallClockJumped();

    Platform& platform;
    const AppSettings& settings;
    const ReturnSchedule& schedule;
    Handlers handlers;
    QTimer* count = nullptr;
    QTimer* clock = nullptr;
    bool counting = false;
    int period = countingPeriod;
};
