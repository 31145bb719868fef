// When the window wakes: the next minute, the next local midnight and the return's deadline, in
// named zones across their summer-time changes; jumps of the wall clock and suspends noticed; and
// the countdown window following a clock set back or ahead.
#include "app/core/ClockSchedule.h"
#include "app/core/DateTimeText.h"
#include "app/core/WallClockCheck.h"
#include "app/system/WallClockWatcher.h"
#include "countdown/CountdownClock.h"
#include "countdown/CountdownStatusBar.h"
#include "tests/support/WindowTestHelpers.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <optional>

#include <cstdio>

using namespace ClockSchedule;

namespace {
QDateTime at(const char* zone, QDate date, QTime time) {
    return QDateTime(date, time, QTimeZone(zone));
}
} // namespace

class TestClock : public QObject {
    Q_OBJECT
    std::optional<CountdownFixture> f;

private slots:
    void init() { f.emplace(); }

    // now in a zone; the next minute and next midnight as UTC, so that a wrong offset shows.
    void nextChanges_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("minute");
        QTest::addColumn<QDateTime>("midnight");
        const auto utc = [](QDate date, QTime time) { return QDateTime(date, time, Qt::UTC); };
        const QDate springDay(2026, 3, 29), autumnDay(2026, 10, 25);
        QTest::newRow("Tokyo, mid-minute") << at("Asia/Tokyo", {2026, 12, 7}, {15, 45, 30, 250})
                                           << utc({2026, 12, 7}, {6, 46}) << utc({2026, 12, 7}, {15, 0});
        QTest::newRow("Tokyo, on the minute: the next one")
            << at("Asia/Tokyo", {2026, 12, 7}, {15, 45}) << utc({2026, 12, 7}, {6, 46}) << utc({2026, 12, 7}, {15, 0});
        QTest::newRow("Tokyo, last minute of the year") << at("Asia/Tokyo", {2026, 12, 31}, {23, 59, 59, 999})
                                                        << utc({2026, 12, 31}, {15, 0}) << utc({2026, 12, 31}, {15, 0});
        QTest::newRow("Berlin, before summer time: 01:59 + 1 min is 03:00")
            << at("Europe/Berlin", springDay, {1, 59, 10}) << utc(springDay, {1, 0}) << utc(springDay, {22, 0});
        QTest::newRow("Berlin, the eve of summer time: a day of 23 h follows")
            << at("Europe/Berlin", springDay.addDays(-1), {12, 0}) << utc(springDay.addDays(-1), {11, 1})
            << utc(springDay.addDays(-1), {23, 0});
        QTest::newRow("Berlin, the eve of winter time: a day of 25 h follows")
            << at("Europe/Berlin", autumnDay.addDays(-1), {23, 30}) << utc(autumnDay.addDays(-1), {21, 31})
            << utc(autumnDay.addDays(-1), {22, 0});
        QTest::newRow("Berlin, 02:30 the second time (winter time)")
            << QDateTime::fromMSecsSinceEpoch(utc(autumnDay, {1, 30}).toMSecsSinceEpoch(), QTimeZone("Europe/Berlin"))
            << utc(autumnDay, {1, 31}) << utc(autumnDay, {23, 0});
        QTest::newRow("New York, 01:59:59 on the day of summer time")
            << at("America/New_York", {2026, 3, 8}, {1, 59, 59}) << utc({2026, 3, 8}, {7, 0})
            << utc({2026, 3, 9}, {4, 0});
        QTest::newRow("New York, 23:59:30 before winter time")
            << at("America/New_York", {2026, 10, 31}, {23, 59, 30}) << utc({2026, 11, 1}, {4, 0})
            << utc({2026, 11, 1}, {4, 0});
        // Summer time began at midnight here: that day started at 01:00.
        QTest::newRow("Sao Paulo 2018, a day with no midnight")
            << at("America/Sao_Paulo", {2018, 11, 3}, {23, 59, 50}) << utc({2018, 11, 4}, {3, 0})
            << utc({2018, 11, 4}, {3, 0});
        QTest::newRow("Kathmandu, +05:45") << at("Asia/Kathmandu", {2026, 12, 7}, {23, 59, 1})
                                           << utc({2026, 12, 7}, {18, 15}) << utc({2026, 12, 7}, {18, 15});
    }
    void nextChanges() {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, minute);
        QFETCH(QDateTime, midnight);
        QCOMPARE(nextMinute(now).toUTC(), minute);
        QCOMPARE(nextMidnight(now).toUTC(), midnight);
        QCOMPARE(nextMinute(now).timeZone(), now.timeZone()); // shown in the zone it was asked in
        QCOMPARE(clockWait(now), now.msecsTo(minute) + wakeMargin);
        // The count waits for midnight, or for a return due sooner.
        QCOMPARE(countWait(now, std::nullopt), now.msecsTo(midnight) + wakeMargin);
        QCOMPARE(countWait(now, 1000), std::min(now.msecsTo(midnight), qint64(1000)) + wakeMargin);
        QCOMPARE(countWait(now, -50), wakeMargin); // overdue: at once
    }

    // Looks at the wall, boot and timer clocks (ms); whether each look after the first tells a jump.
    void wallClockCheck_data() {
        QTest::addColumn<QList<QList<qint64>>>("looks");
        QTest::addColumn<QList<bool>>("jumps");
        QTest::newRow("time passing") << QList<QList<qint64>>{{1000, 10, 10}, {61000, 60010, 60010}}
                                      << QList<bool>{false};
        QTest::newRow("set back an hour")
            << QList<QList<qint64>>{{3'600'000, 10, 10}, {1000, 1010, 1010}} << QList<bool>{true};
        QTest::newRow("set three days ahead, then time passing")
            << QList<QList<qint64>>{{0, 0, 0}, {259'200'000, 1000, 1000}, {259'260'000, 61000, 61000}}
            << QList<bool>{true, false};
        QTest::newRow("a slew of 200 ms a look never adds up") << QList<QList<qint64>>{{0, 0, 0},
                                                                                       {60200, 60000, 60000},
                                                                                       {120400, 120000, 120000},
                                                                                       {180600, 180000, 180000}}
                                                               << QList<bool>{false, false, false};
        QTest::newRow("a suspend: wall and boot ran on, the timers' clock did not")
            << QList<QList<qint64>>{{0, 0, 0}, {7'200'000, 7'200'000, 1000}} << QList<bool>{true};
    }
    void wallClockCheck() {
        QFETCH(QList<QList<qint64>>, looks);
        QFETCH(QList<bool>, jumps);
        WallClockCheck check;
        QVERIFY(!check.moved(looks[0][0], looks[0][1], looks[0][2]));
        for (int i = 1; i < looks.size(); ++i)
            QCOMPARE(check.moved(looks[i][0], looks[i][1], looks[i][2]), jumps[i - 1]);
    }

    // The window's two timers: the clock's at the next minute, the count's at midnight or at the return.
    void wakeUps() {
        f->platform.clock = at("Europe/Berlin", {2026, 3, 28}, {23, 58, 30});
        f->settings.OptReturn = QStringLiteral("600");
        PELTRA& window = f->open();
        QVERIFY(window.Timer1->isSingleShot() && window.Timer1->timerType() == Qt::PreciseTimer);
        QVERIFY(window.Timer2->isSingleShot() && window.Timer2->timerType() == Qt::PreciseTimer);
        QCOMPARE(window.Timer2->interval(), 30'000 + wakeMargin);
        QCOMPARE(window.Timer1->interval(), 90'000 + wakeMargin);
        window.showMinimized();
        QCOMPARE(window.Timer1->interval(), 90'000 + wakeMargin); // midnight comes before the return
        f->platform.pass(90'005);
        QMetaObject::invokeMethod(window.Timer2, "timeout");
        QMetaObject::invokeMethod(window.Timer1, "timeout");
        QCOMPARE(window.StatusBar1->panelText(2) + window.StatusBar1->panelText(3), "2026/03/29午前 12:00");
        QCOMPARE(window.Timer2->interval(), 60'000);
        // Now the return, 600 s after the minimise, is nearer than the next midnight (a 23-hour day).
        QCOMPARE(window.Timer1->interval(), 600'000 - 90'005 + wakeMargin);
        window.showNormal();
        QCOMPARE(window.Timer1->interval(), 23 * 3600'000 - 5 + wakeMargin);
    }

    // The wall clock set while a return is counted: neither back nor ahead moves the return, and
    // everything shown follows at once. Zone: a change of the time zone comes the same way.
    void wallClockJumps_data() {
        QTest::addColumn<int>("jump");
        QTest::addColumn<QString>("count");
        QTest::newRow("set back one hour") << -3600 << "10";
        QTest::newRow("set three days ahead") << 3 * 86400 << "7";
        QTest::newRow("set back across midnight") << -11 * 3600 << "11";
        QTest::newRow("zone changed: Tokyo to Honolulu, the day before") << 0 << "11";
    }
    void wallClockJumps() {
        QFETCH(int, jump);
        QFETCH(QString, count);
        f->platform.clock = at("Asia/Tokyo", {2026, 12, 6}, {10, 0});
        f->settings.TheDate = QDate(2026, 12, 16);
        f->settings.OptReturn = QStringLiteral("90");
        f->settings.OptBM = QStringLiteral("2");
        PELTRA& window = f->open();
        QTest::mouseClick(window.Label1[2], Qt::LeftButton);
        QVERIFY(window.isMinimized() && f->settings.MinimizedAt == 36000.0F);
        f->platform.pass(4000);
        const QDateTime moved =
            jump ? f->platform.clock.addSecs(jump) : f->platform.clock.toTimeZone(QTimeZone("Pacific/Honolulu"));
        f->platform.setWallClock(moved);
        QCOMPARE(window.Label1[2]->text(), count);
        QCOMPARE(window.StatusBar1->panelText(2) + u' ' + window.StatusBar1->panelText(3),
                 dateText(moved.date()) + u' ' + timeText(moved.time()));
        QVERIFY(window.isMinimized());
        // Rescheduled from the new time: the next minute and the return 86 s on.
        QCOMPARE(window.Timer2->interval(), 56'000 + wakeMargin);
        QCOMPARE(window.Timer1->interval(), 86'000 + wakeMargin);
        f->platform.pass(85'999);
        QMetaObject::invokeMethod(window.Timer1, "timeout");
        QVERIFY(window.isMinimized());
        f->platform.pass(1);
        QMetaObject::invokeMethod(window.Timer1, "timeout");
        QVERIFY(!window.isMinimized());
        QCOMPARE(f->settings.MinimizedAt, 36000.0F); // as the click set it, wherever the clock went
    }

    // The zone file replaced as the system's tools do (a new link renamed over it, a new copy) is
    // told once; a change elsewhere in its folder is not.
    void zoneFileChanges() {
        QTemporaryDir folder;
        const QString zoneFile = folder.filePath("localtime"), fresh = folder.filePath("localtime.new");
        QVERIFY(QFile::link("/usr/share/zoneinfo/Asia/Tokyo", zoneFile));
        WallClockWatcher watcher(zoneFile);
        QSignalSpy jumped(&watcher, &WallClockWatcher::jumped);
        QFile other(folder.filePath("other"));
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write("x"));
        other.close();
        QTest::qWait(200);
        QCOMPARE(jumped.size(), 0);
        QVERIFY(QFile::link("/usr/share/zoneinfo/Europe/Berlin", fresh) &&
                ::rename(qPrintable(fresh), qPrintable(zoneFile)) == 0);
        QTRY_COMPARE(jumped.size(), 1);
        QVERIFY(QFile::remove(zoneFile) && QFile::copy("/usr/share/zoneinfo/America/New_York", zoneFile));
        QTRY_VERIFY(jumped.size() >= 2);
    }

    // A suspend longer than the delay: the boot clock ran on, so the first look after it returns.
    void suspendLongerThanTheDelay() {
        f->settings.OptReturn = QStringLiteral("600");
        f->settings.OptBM = QStringLiteral("2");
        PELTRA& window = f->open();
        window.showMinimized();
        f->platform.bootClock += 3600'000;
        f->platform.setWallClock(f->platform.clock.addSecs(3600));
        QVERIFY(!window.isMinimized() && !window.returnSchedule().isPending());
    }
};

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
