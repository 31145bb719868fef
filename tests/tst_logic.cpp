// The program's plain logic: stored texts and numbers, dates, window sizes, the automatic return,
// its chime and the system's name.
#include "app/AppSettings.h"
#include "app/Conversions.h"
#include "app/DateTimeText.h"
#include "app/Platform.h"
#include "app/QtPlatform.h"
#include "app/ReturnSchedule.h"
#include "app/ReturnSound.h"
#include "app/SizePresets.h"
#include "app/WindowsVersion.h"
#include "tests/support/ScriptedPlatform.h"

#include <QElapsedTimer>
#include <QLibrary>
#include <QTest>

#include <cmath>

using namespace Conversions;

class TestLogic : public QObject {
    Q_OBJECT

private slots:
    void numbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("lenient");
        QTest::addColumn<bool>("strict"); // the whole text is that number
        QTest::addColumn<int>("boolean"); // -1: not a switch value
        // clang-format off
        QTest::newRow("blanks around") << " 42 " << 42.0 << true << 1;
        QTest::newRow("fraction, exponent") << "1.5e3" << 1500.0 << true << 1;
        QTest::newRow("zero is false") << "0" << 0.0 << true << 0;
        QTest::newRow("hex, 32-bit by suffix") << "&HFFFF&" << 65535.0 << true << 1;
        QTest::newRow("hex, 16-bit signed") << "&HFFFF" << -1.0 << true << 1;
        QTest::newRow("hex lower case") << "&hff" << 255.0 << true << 1;
        QTest::newRow("octal, 16-bit signed") << "&O177777" << -1.0 << true << 1;
        QTest::newRow("octal, 32-bit by size") << "&O200000" << 65536.0 << true << 1;
        QTest::newRow("trailing letters") << "12abc" << 12.0 << false << -1;
        QTest::newRow("dangling exponent") << "7e" << 7.0 << false << -1;
        QTest::newRow("locale comma") << "1,5" << 1.0 << false << -1;
        QTest::newRow("no hex digits") << "&H" << 0.0 << false << -1;
        QTest::newRow("empty") << "" << 0.0 << false << -1;
        QTest::newRow("TRUE in any case") << "TRUE" << 0.0 << false << 1;
        QTest::newRow("false") << "false" << 0.0 << false << 0;
        QTest::newRow("more than True") << "Truex" << 0.0 << false << -1;
        // clang-format on
    }
    void numbers() {
        QFETCH(QString, text);
        QFETCH(double, lenient);
        QFETCH(bool, strict);
        QFETCH(int, boolean);
        QCOMPARE(lenientNumber(text), lenient);
        QCOMPARE(strictNumber(text), strict ? std::optional(lenient) : std::nullopt);
        QCOMPARE(strictBoolean(text), boolean < 0 ? std::nullopt : std::optional(boolean == 1));
    }

    // Stored colours keep red in the low byte.
    void colours_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("red") << "&H000000FF&" << QColor(255, 0, 0);
        QTest::newRow("blue") << "&H00FF0000&" << QColor(0, 0, 255);
        QTest::newRow("decimal") << "8421631" << QColor(255, 128, 128);
        QTest::newRow("16-bit hex") << "&HFFFF&" << QColor(255, 255, 0);
        QTest::newRow("empty is black") << "" << QColor(0, 0, 0);
    }
    void colours() {
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QCOMPARE(colorFromText(text), colour);
        QCOMPARE(double(colorValue(colour)), lenientNumber(text));
    }

    void roundHalfEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::newRow("half down to even") << 10.5 << qint64(10);
        QTest::newRow("half up to even") << 11.5 << qint64(12);
        QTest::newRow("negative half") << -2.5 << qint64(-2);
        QTest::newRow("above half") << 10.51 << qint64(11);
        QTest::newRow("not a number") << std::nan("") << qint64(0);
    }
    void roundHalfEven() {
        QFETCH(double, value);
        QFETCH(qint64, rounded);
        QCOMPARE(Conversions::roundHalfEven(value), rounded);
    }

    void clockText_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("shown"); // date and time
        QTest::newRow("morning, zeros") << QDateTime(QDate(2005, 4, 1), QTime(9, 5)) << "2005/04/01 午前 09:05";
        QTest::newRow("noon") << QDateTime(QDate(2005, 12, 25), QTime(12, 0)) << "2005/12/25 午後 12:00";
        QTest::newRow("after midnight") << QDateTime(QDate(2006, 1, 9), QTime(0, 30)) << "2006/01/09 午前 12:30";
        QTest::newRow("afternoon") << QDateTime(QDate(2026, 10, 10), QTime(15, 45)) << "2026/10/10 午後 03:45";
    }
    void clockText() {
        QFETCH(QDateTime, now);
        QFETCH(QString, shown);
        AppSettings settings;
        BuildDateTimeText(settings, now);
        QCOMPARE(settings.DateText + u' ' + settings.TimeText, shown);
    }

    void daysLeft_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<qint64>("days"); // to 2028/03/01
        QTest::newRow("over a leap day") << QDate(2028, 2, 28) << qint64(2);
        QTest::newRow("the day") << QDate(2028, 3, 1) << qint64(0);
        QTest::newRow("a year after") << QDate(2029, 3, 1) << qint64(-365);
    }
    void daysLeft() {
        QFETCH(QDate, today);
        QFETCH(qint64, days);
        QCOMPARE(DaysLeft(today, QDate(2028, 3, 1)), days);
        QCOMPARE(eventDateText(QDate(2027, 3, 1)), QStringLiteral("イベント日：2027/03/01"));
    }

    void storedDate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // null: rejected
        QTest::newRow("stored form") << "2028/02/29" << QDate(2028, 2, 29);
        QTest::newRow("ISO") << "2027-03-01" << QDate(2027, 3, 1);
        QTest::newRow("no leading zeros, blanks") << " 2027/3/1 " << QDate(2027, 3, 1);
        QTest::newRow("year before 1000") << "0005/01/01" << QDate(5, 1, 1);
        QTest::newRow("no such day") << "2027/02/29" << QDate();
        QTest::newRow("mixed separators") << "2027/03-01" << QDate();
        QTest::newRow("two-digit year") << "27/03/01" << QDate();
        QTest::newRow("time attached") << "2027/03/01 10:00" << QDate();
    }
    void storedDate() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(parseStoredDate(text), date.isValid() ? std::optional(date) : std::nullopt);
        if (date.isValid())
            QCOMPARE(parseStoredDate(storedDateText(date)), std::optional(date));
    }

    // A text naming no preset leaves the size as it was.
    void windowSize_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("size");
        QTest::newRow("standard") << "2" << QSize(9600, 7300);
        QTest::newRow("2.0, blanks") << " 2.0 " << QSize(9600, 7300);
        QTest::newRow("5") << "5" << QSize(1, 2);
        QTest::newRow("1.5") << "1.5" << QSize(1, 2);
        QTest::newRow("2x") << "2x" << QSize(1, 2);
    }
    void windowSize() {
        QFETCH(QString, text);
        QFETCH(QSize, size);
        AppSettings settings;
        settings.WinWidth = 1;
        settings.WinHeight = 2;
        SelectWindowSize(settings, text);
        QCOMPARE(QSize(settings.WinWidth, settings.WinHeight), size);
    }

    // Each size is smaller than the one before, and its labels and first panel lie inside it.
    void presetsFit() {
        for (int i = 0; i < presetCount; ++i) {
            const SizePreset& p = sizePreset(i);
            QVERIFY(i == 0 || (p.width < sizePreset(i - 1).width && p.height < sizePreset(i - 1).height));
            QVERIFY(p.messagesLeft + p.messagesWidth < p.width && p.panel1Width < p.width);
            QVERIFY(p.upperTop < p.countTop && p.countTop < p.lowerTop);
            QVERIFY(p.lowerTop + p.messagesHeight < p.height && p.countTop + p.countHeight < p.height);
            QVERIFY(i == 0 || p.countPointSize < sizePreset(i - 1).countPointSize);
            QCOMPARE(presetIndex(QString::number(i)), std::optional(i));
        }
    }

    void returnDelay_data() {
        QTest::addColumn<int>("now");
        QTest::addColumn<double>("minimizedAt");
        QTest::addColumn<bool>("passed"); // after ten minutes
        QTest::newRow("a second short") << 36599 << 36000.0 << false;
        QTest::newRow("on the second") << 36600 << 36000.0 << true;
        QTest::newRow("before midnight") << 86399 << 86100.0 << false;
        QTest::newRow("past midnight, short") << 299 << 86100.0 << false;
        QTest::newRow("past midnight, passed") << 300 << 86100.0 << true;
    }
    void returnDelay() {
        QFETCH(int, now);
        QFETCH(double, minimizedAt);
        QFETCH(bool, passed);
        QCOMPARE(returnDelayPassed(now, minimizedAt, 600), passed);
        QVERIFY(returnDelayPassed(now, minimizedAt, 0));
    }

    // The delay as loaded (text) or as the settings window leaves it (number); one return a minimise.
    void returnOncePerMinimise_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("text") << QVariant(QStringLiteral("600")) << qint64(600);
        QTest::newRow("number") << QVariant(1800.0) << qint64(1800);
        QTest::newRow("fraction cut off") << QVariant(QStringLiteral("90.9")) << qint64(90);
    }
    void returnOncePerMinimise() {
        QFETCH(QVariant, stored);
        QFETCH(qint64, seconds);
        AppSettings settings;
        settings.OptReturn = stored;
        ReturnSchedule schedule;
        const QDateTime start(QDate(2026, 12, 6), QTime(10, 0, 0, 900));
        QVERIFY(!schedule.isDue(settings, start.addSecs(seconds)));
        schedule.start(settings, start);
        QCOMPARE(settings.MinimizedAt, 36000.0F);
        QVERIFY(!schedule.isDue(settings, start.addSecs(seconds - 1)));
        QVERIFY(schedule.isDue(settings, start.addSecs(seconds)));
        schedule.take();
        QVERIFY(!schedule.isDue(settings, start.addSecs(seconds + 60)));
    }

    void returnChime_data() {
        QTest::addColumn<QString>("optBM");
        QTest::addColumn<QString>("windir");   // empty: not set
        QTest::addColumn<QString>("fileName"); // as the file system has it; empty: no file
        QTest::addColumn<QString>("played");   // empty: the user is told it is missing
        QTest::newRow("present") << "1"
                                 << "/win"
                                 << "DING.WAV"
                                 << "/win/MEDIA/DING.WAV";
        QTest::newRow("other case") << "1"
                                    << "/win"
                                    << "ding.wav"
                                    << "/win/MEDIA/ding.wav";
        QTest::newRow("absent") << "1"
                                << "/win"
                                << ""
                                << "";
        QTest::newRow("switched off") << "3"
                                      << "/win"
                                      << "DING.WAV"
                                      << "";
        QTest::newRow("no windir") << "1"
                                   << ""
                                   << "DING.WAV"
                                   << "/opt/peltra/MEDIA/DING.WAV";
    }
    void returnChime() {
        QFETCH(QString, optBM);
        QFETCH(QString, windir);
        QFETCH(QString, fileName);
        QFETCH(QString, played);
        ScriptedPlatform platform;
        platform.dataFolder = QStringLiteral("/opt/peltra");
        if (!windir.isEmpty())
            platform.environment[QStringLiteral("windir")] = windir;
        if (!fileName.isEmpty())
            platform.existingFiles[(windir.isEmpty() ? platform.dataFolder : windir) + "/MEDIA/DING.WAV"] = fileName;
        AppSettings settings;
        settings.OptBM = optBM;
        PlayReturnSound(settings, platform);
        QCOMPARE(platform.soundsPlayed, played.isEmpty() ? QStringList() : QStringList{played});
        QCOMPARE(platform.messages.size(), played.isEmpty() ? 1 : 0);
        if (played.isEmpty())
            QCOMPARE(platform.messages[0].style, MessageStyle::Exclamation);
        QCOMPARE(platform.eventsProcessed, 1);
    }

    // The chime's player is a module loaded when a chime is due: found, and never holding the program.
    void soundModule_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("mayPlay"); // only where a sound device is
        QTest::newRow("the chime") << QCoreApplication::applicationDirPath() + "/MEDIA/DING.WAV" << true;
        QTest::newRow("missing") << "/nonexistent/DING.WAV" << false;
        QTest::newRow("not a sound") << QFINDTESTDATA("tst_logic.cpp") << false;
    }
    void soundModule() {
        QFETCH(QString, file);
        QFETCH(bool, mayPlay);
        QLibrary module(QtPlatform::soundModulePath());
        const auto play = reinterpret_cast<bool (*)(const QString&)>(module.resolve("peltraPlaySoundFile"));
        QVERIFY2(play, qPrintable(module.errorString()));
        QElapsedTimer clock;
        clock.start();
        const bool played = play(file);
        QVERIFY(mayPlay || !played);
        QVERIFY(clock.elapsed() < 6000);
    }

    void windowsVersion_data() {
        QTest::addColumn<uint>("platformId");
        QTest::addColumn<uint>("major");
        QTest::addColumn<uint>("minor");
        QTest::addColumn<QString>("name");
        QTest::newRow("95") << 1u << 4u << 0u << "Windows 95";
        QTest::newRow("98") << 1u << 4u << 10u << "Windows 98";
        QTest::newRow("Me") << 1u << 4u << 90u << "Windows Me";
        QTest::newRow("NT") << 2u << 4u << 1u << "Windows NT";
        QTest::newRow("2000") << 2u << 5u << 0u << "Windows 2000";
        QTest::newRow("XP") << 2u << 5u << 2u << "Windows XP";
        QTest::newRow("later, by minor") << 2u << 10u << 1u << "Windows XP";
        QTest::newRow("failed query") << 0u << 5u << 1u << "";
        QTest::newRow("unknown platform") << 3u << 5u << 1u << "";
    }
    void windowsVersion() {
        QFETCH(uint, platformId);
        QFETCH(uint, major);
        QFETCH(uint, minor);
        QFETCH(QString, name);
        ScriptedPlatform platform;
        platform.version.platformId = platformId;
        platform.version.majorVersion = major;
        platform.version.minorVersion = minor;
        QCOMPARE(GetWindowsVersionName(platform), name);
    }
};

QTEST_MAIN(TestLogic)
#include "tst_logic.moc"
