#include "countdown/CountdownClock.h"

#include "app/core/ClockSchedule.h"
#include "app/core/Platform.h"
#include "app/core/ReturnSchedule.h"

#include <QTimer>

CountdownClock::CountdownClock(Platform& platform, const AppSettings& settings, const ReturnSchedule& schedule,
                               Handlers handlers, QObject* parent)
    : QObject(parent), platform(platform), settings(settings), schedule(schedule), handlers(std::move(handlers)) {
    count = new QTimer(this);
    count->setObjectName(QStringLiteral("Timer1"));
    clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("Timer2"));
    for (QTimer* timer : {count, clock}) {
        timer->setSingleShot(true);
        // A coarse timer may fire up to 5 % late: a minute's text would show seconds late.
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(count, &QTimer::timeout, this, [this] {
        this->handlers.count();
        // The handler may have stopped the count (the expiry question) or ended the program.
        if (counting && !this->platform.hasEnded())
            scheduleCount();
    });
    connect(clock, &QTimer::timeout, this, [this] {
        this->handlers.clock();
        scheduleClock();
    });
    platform.watchWallClock([this] { wallClockJumped(); });
}

CountdownClock::~CountdownClock() {
    platform.watchWallClock({});
}

void CountdownClock::start() {
    scheduleClock();
    startCount();
}

void CountdownClock::stopCount() {
    counting = false;
    count->stop();
}

void CountdownClock::startCount() {
    counting = true;
    scheduleCount();
}

void CountdownClock::scheduleCount() {
    if (!counting)
        return;
    const auto left = schedule.msecsLeft(settings, platform.bootClockMsecs());
    count->start(int(ClockSchedule::countWait(platform.now(), left)));
}

void CountdownClock::scheduleClock() {
    clock->start(int(ClockSchedule::clockWait(platform.now())));
}

void CountdownClock::wallClockJumped() {
    // Everything shown follows the new time, and the wake-ups are counted from it.
    handlers.clock();
    scheduleClock();
    if (counting) {
        handlers.count();
        if (counting && !platform.hasEnded())
            scheduleCount();
    }
}
