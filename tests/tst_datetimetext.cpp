#include "app/AppSettings.h"
#include "app/DateTimeText.h"

#include <QTest>

class TestDateTimeText : public QObject {
    Q_OBJECT

private slots:
    void buildDateTimeText_data();
    void buildDateTimeText();
    void daysLeft_data();
    void daysLeft();
    void eventDateText();
    void parseStoredDate_data();
    void parseStoredDate();
};

void TestDateTimeText::buildDateTimeText_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");

    // clang-format off
    QTest::newRow("morning, one-digit month and day") << QDateTime(QDate(2005, 4, 1), QTime(9, 5)) << "2005/04/01" << "午前 09:05";
    QTest::newRow("noon") << QDateTime(QDate(2005, 12, 25), QTime(12, 0)) << "2005/12/25" << "午後 12:00";
    QTest::newRow("after midnight") << QDateTime(QDate(2006, 1, 9), QTime(0, 30)) << "2006/01/09" << "午前 12:30";
    QTest::newRow("last minute") << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)) << "2024/02/29" << "午後 11:59";
    QTest::newRow("afternoon") << QDateTime(QDate(2026, 10, 10), QTime(15, 45)) << "2026/10/10" << "午後 03:45";
    QTest::newRow("before noon") << QDateTime(QDate(2026, 11, 30), QTime(11, 59)) << "2026/11/30" << "午前 11:59";
    // clang-format on
}

void TestDateTimeText::buildDateTimeText() {
    QFETCH(QDateTime, now);
    QFETCH(QString, date);
    QFETCH(QString, time);

    AppSettings settings;
    BuildDateTimeText(settings, now);
    QCOMPARE(settings.DateText, date);
    QCOMPARE(settings.TimeText, time);
}

void TestDateTimeText::daysLeft_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("theDate");
    QTest::addColumn<qint64>("days");

    QTest::newRow("tomorrow") << QDate(2026, 12, 6) << QDate(2026, 12, 7) << qint64(1);
    QTest::newRow("the day") << QDate(2026, 12, 7) << QDate(2026, 12, 7) << qint64(0);
    QTest::newRow("yesterday") << QDate(2026, 12, 8) << QDate(2026, 12, 7) << qint64(-1);
    QTest::newRow("across the year end") << QDate(2026, 12, 31) << QDate(2027, 1, 1) << qint64(1);
    QTest::newRow("over a leap day") << QDate(2028, 2, 28) << QDate(2028, 3, 1) << qint64(2);
    QTest::newRow("no leap day") << QDate(2027, 2, 28) << QDate(2027, 3, 1) << qint64(1);
    QTest::newRow("a year back") << QDate(2027, 3, 1) << QDate(2026, 3, 1) << qint64(-365);
}

void TestDateTimeText::daysLeft() {
    QFETCH(QDate, today);
    QFETCH(QDate, theDate);
    QFETCH(qint64, days);

    QCOMPARE(DaysLeft(today, theDate), days);
}

void TestDateTimeText::eventDateText() {
    QCOMPARE(::eventDateText(QDate(2027, 3, 1)), QStringLiteral("イベント日：2027/03/01"));
    QCOMPARE(storedDateText(QDate(2005, 12, 25)), QStringLiteral("2005/12/25"));
    QCOMPARE(storedDateText(QDate()), QString());
}

void TestDateTimeText::parseStoredDate_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date"); // null: rejected

    QTest::newRow("stored form") << "2027/03/01" << QDate(2027, 3, 1);
    QTest::newRow("ISO") << "2027-03-01" << QDate(2027, 3, 1);
    QTest::newRow("no leading zeros") << "2027/3/1" << QDate(2027, 3, 1);
    QTest::newRow("leap day") << "2028/02/29" << QDate(2028, 2, 29);
    QTest::newRow("year before 1000") << "0005/01/01" << QDate(5, 1, 1);
    QTest::newRow("blanks around") << " 2027/12/31 " << QDate(2027, 12, 31);
    QTest::newRow("month 13") << "2027/13/01" << QDate();
    QTest::newRow("30 February") << "2027/02/30" << QDate();
    QTest::newRow("29 February, no leap year") << "2027/02/29" << QDate();
    QTest::newRow("mixed separators") << "2027/03-01" << QDate();
    QTest::newRow("two-digit year") << "27/03/01" << QDate();
    QTest::newRow("time attached") << "2027/03/01 10:00" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("words") << "abc" << QDate();
}

void TestDateTimeText::parseStoredDate() {
    QFETCH(QString, text);
    QFETCH(QDate, date);

    const auto parsed = ::parseStoredDate(text);
    QCOMPARE(parsed.has_value(), date.isValid());
    if (parsed) {
        QCOMPARE(*parsed, date);
        QCOMPARE(::parseStoredDate(storedDateText(*parsed)), parsed);
    }
}

QTEST_GUILESS_MAIN(TestDateTimeText)
#include "tst_datetimetext.moc"
