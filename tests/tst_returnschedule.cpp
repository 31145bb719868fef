#include "app/AppSettings.h"
#include "app/ReturnSchedule.h"

#include <QTest>

class TestReturnSchedule : public QObject {
    Q_OBJECT

private slots:
    void delayPassed_data();
    void delayPassed();
    void returnDelayInEitherForm_data();
    void returnDelayInEitherForm();
    void dueOncePerStart();
};

void TestReturnSchedule::delayPassed_data() {
    QTest::addColumn<int>("now");
    QTest::addColumn<double>("minimizedAt");
    QTest::addColumn<qint64>("delay");
    QTest::addColumn<bool>("passed");
    const int tenOClock = 10 * 3600;
    const int fiveToMidnight = 23 * 3600 + 55 * 60;
    QTest::newRow("10:00 + 599 s") << tenOClock + 599 << double(tenOClock) << qint64(600) << false;
    QTest::newRow("10:00 + 600 s") << tenOClock + 600 << double(tenOClock) << qint64(600) << true;
    QTest::newRow("10:00 + 610 s") << tenOClock + 610 << double(tenOClock) << qint64(600) << true;
    QTest::newRow("23:55, 23:59:59") << 86399 << double(fiveToMidnight) << qint64(600) << false;
    QTest::newRow("23:55, 00:04:59") << 299 << double(fiveToMidnight) << qint64(600) << false;
    QTest::newRow("23:55, 00:05:00") << 300 << double(fiveToMidnight) << qint64(600) << true;
    QTest::newRow("no delay") << tenOClock << double(tenOClock) << qint64(0) << true;
    QTest::newRow("six hours over midnight") << 3 * 3600 << double(21 * 3600) << qint64(21600) << true;
}

void TestReturnSchedule::delayPassed() {
    QFETCH(int, now);
    QFETCH(double, minimizedAt);
    QFETCH(qint64, delay);
    QFETCH(bool, passed);
    QCOMPARE(returnDelayPassed(now, minimizedAt, delay), passed);
}

void TestReturnSchedule::returnDelayInEitherForm_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("text as loaded") << QVariant(QStringLiteral("600")) << qint64(600);
    QTest::newRow("number from the settings window") << QVariant(1800.0) << qint64(1800);
    QTest::newRow("fraction cut off") << QVariant(QStringLiteral("90.9")) << qint64(90);
}

void TestReturnSchedule::returnDelayInEitherForm() {
    QFETCH(QVariant, stored);
    QFETCH(qint64, seconds);
    AppSettings settings;
    settings.OptReturn = stored;
    QCOMPARE(returnDelaySeconds(settings), seconds);
    ReturnSchedule schedule;
    const QDateTime start(QDate(2026, 12, 6), QTime(10, 0));
    schedule.start(settings, start);
    QCOMPARE(settings.MinimizedAt, 36000.0F);
    QVERIFY(!schedule.isDue(settings, start.addSecs(seconds - 1)));
    QVERIFY(schedule.isDue(settings, start.addSecs(seconds)));
}

void TestReturnSchedule::dueOncePerStart() {
    AppSettings settings;
    settings.OptReturn = QStringLiteral("600");
    settings.MinimizedAt = 0; // start-up at midnight: no minimise, no return
    ReturnSchedule schedule;
    const QDateTime late(QDate(2026, 12, 6), QTime(12, 0));
    QVERIFY(!schedule.isDue(settings, late));
    schedule.start(settings, late);
    QVERIFY(schedule.isDue(settings, late.addSecs(600)));
    schedule.take();
    QVERIFY(!schedule.isDue(settings, late.addSecs(660)));
}

QTEST_GUILESS_MAIN(TestReturnSchedule)
#include "tst_returnschedule.moc"
