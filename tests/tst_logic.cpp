// The program's plain logic: stored texts and numbers, dates and the automatic return.
#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"
#include "app/core/DateTimeText.h"
#include "app/core/FrameFit.h"
#include "app/core/ReturnSchedule.h"
#include "app/core/SizePresets.h"
#include "app/system/QtPlatform.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Conversions;
using namespace Qt::StringLiterals;

class TestLogic : public QObject {
    Q_OBJECT

private slots:
    // The presets, largest first, that fit a screen's free area: 1 fits, 0 does not. Scaling gives
    // fewer twips per pixel (15 at 100 %, 10 at 150 %, 7.5 at 200 %); a panel takes its height.
    void presetsThatFit_data() {
        QTest::addColumn<QList<QRectF>>("areas"); // twips
        QTest::addColumn<QString>("fits");
        const auto area = [](double width, double height, double twipsPerPixel, double panel = 0) {
            return QRectF(0, panel * twipsPerPixel, width * twipsPerPixel, (height - panel) * twipsPerPixel);
        };
        QTest::newRow("1920x1080 at 100 %, panel") << QList{area(1920, 1080, 15, 40)} << "11111";
        QTest::newRow("1920x1080 at 150 %, panel") << QList{area(1920, 1080, 10, 40)} << "01111";
        QTest::newRow("1920x1080 at 200 %, panel") << QList{area(1920, 1080, 7.5, 40)} << "00111";
        QTest::newRow("1024x768, no panel: exactly") << QList{area(1024, 768, 15)} << "11111";
        QTest::newRow("1024x768, panel") << QList{area(1024, 768, 15, 24)} << "01111";
        QTest::newRow("one of two screens is enough") << QList{area(800, 600, 7.5), area(1920, 1200, 7.5)} << "01111";
        QTest::newRow("wide but low") << QList{area(3840, 590, 15)} << "00111";
        QTest::newRow("no screen known") << QList<QRectF>{} << "11111";
    }
    void presetsThatFit() {
        QFETCH(QList<QRectF>, areas);
        QFETCH(QString, fits);
        QString shown;
        for (int preset = 0; preset < presetCount; ++preset)
            shown += presetFitsScreens(preset, areas) ? u'1' : u'0';
        QCOMPARE(shown, fits);
    }

    // An outer size in device pixels around a frame in device pixels: the client area in logical
    // pixels whose rounding to device pixels comes nearest, the shorter of two as near. At 150 % a
    // client of 638 logical pixels is 957 device pixels and one of 639 is 959: 958 cannot be had.
    void clientForOuterSize_data() {
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QMargins>("frame"); // left, top, right, bottom
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QSize>("outerShown");
        const QMargins openbox(1, 20, 1, 1);
        QTest::newRow("100 %: the frame subtracted")
            << QSize(640, 487) << openbox << 1.0 << QSize(638, 466) << QSize(640, 487);
        QTest::newRow("200 %: only even clients")
            << QSize(1280, 974) << openbox << 2.0 << QSize(639, 476) << QSize(1280, 973);
        QTest::newRow("150 %: exact height, width a pixel short")
            << QSize(960, 731) << openbox << 1.5 << QSize(638, 473) << QSize(959, 731);
        QTest::newRow("150 %: size 3") << QSize(720, 548) << openbox << 1.5 << QSize(478, 351) << QSize(719, 548);
        QTest::newRow("125 %: exact") << QSize(800, 609) << openbox << 1.25 << QSize(638, 470) << QSize(800, 609);
        QTest::newRow("175 %: exact") << QSize(1120, 852) << openbox << 1.75 << QSize(639, 475) << QSize(1120, 852);
        QTest::newRow("a frame larger than the window")
            << QSize(10, 10) << QMargins(8, 8, 8, 8) << 1.5 << QSize(0, 0) << QSize(16, 16);
    }
    void clientForOuterSize() {
        QFETCH(QSize, outer);
        QFETCH(QMargins, frame);
        QFETCH(double, ratio);
        QFETCH(QSize, client);
        QFETCH(QSize, outerShown);
        const QSize fitted = FrameFit::clientSize(outer, frame, ratio);
        QCOMPARE(fitted, client);
        // What the window then measures: Qt rounds the logical size to device pixels once.
        QCOMPARE(QSize(qRound(fitted.width() * ratio) + frame.left() + frame.right(),
                       qRound(fitted.height() * ratio) + frame.top() + frame.bottom()),
                 outerShown);
    }

    // Lenient reading, strict reading (the whole text that number) and switch values (-1: none).
    void numbers() {
        for (const auto& [text, lenient, strict, boolean] : {std::tuple(u" 1.5e3 "_s, 1500.0, true, 1),
                                                             {u"&HFFFF&"_s, 65535.0, true, 1},
                                                             {u"&hFFFF"_s, -1.0, true, 1},
                                                             {u"&O200000"_s, 65536.0, true, 1},
                                                             {u"12abc"_s, 12.0, false, -1},
                                                             {u"TRUE"_s, 0.0, false, 1},
                                                             {u"false"_s, 0.0, false, 0},
                                                             {u"Falsex"_s, 0.0, false, -1},
                                                             {u"0"_s, 0.0, true, 0}}) {
            QCOMPARE(lenientNumber(text), lenient);
            QCOMPARE(strictNumber(text), strict ? std::optional(lenient) : std::nullopt);
            QCOMPARE(strictBoolean(text), boolean < 0 ? std::nullopt : std::optional(boolean == 1));
        }
    }

    // Stored colours keep red in the low byte; half rounds to even.
    void coloursAndRounding() {
        for (const auto& [text, color] :
             {std::pair(u"&H000000FF&"_s, QColor(255, 0, 0)), {u"8421631"_s, {255, 128, 128}}})
            QCOMPARE(std::pair(colorFromText(text), double(colorValue(color))), std::pair(color, lenientNumber(text)));
        for (const auto& [value, rounded] : {std::pair(10.5, 10), {11.5, 12}, {-2.5, -2}, {10.51, 11}, {qQNaN(), 0}})
            QCOMPARE(roundHalfEven(value), rounded);
    }

    void dates() {
        for (const auto& [now, shown] : {std::pair(QDateTime({2005, 4, 1}, {9, 5}), u"2005/04/01 午前 09:05"_s),
                                         {QDateTime({2005, 12, 25}, {12, 0}), u"2005/12/25 午後 12:00"_s},
                                         {QDateTime({2006, 1, 9}, {0, 30}), u"2006/01/09 午前 12:30"_s}}) {
            AppSettings settings;
            BuildDateTimeText(settings, now);
            QCOMPARE(settings.DateText + u' ' + settings.TimeText, shown);
        }
        for (const auto& [today, left] :
             {std::pair(QDate(2028, 2, 28), 2), {QDate(2028, 3, 1), 0}, {QDate(2029, 3, 1), -365}})
            QCOMPARE(DaysLeft(today, QDate(2028, 3, 1)), left); // over a leap day, on the day, after it
    }

    // The stored form and ISO are read; what names no day or has more is not; the stored form reads back.
    void storedDate() {
        for (const auto& [text, date] : {std::pair(u"2028/02/29"_s, QDate(2028, 2, 29)),
                                         {u"2027-03-01"_s, {2027, 3, 1}},
                                         {u" 2027/3/1 "_s, {2027, 3, 1}},
                                         {u"0005/01/01"_s, {5, 1, 1}},
                                         {u"2027/02/29"_s, {}},
                                         {u"2027/03-01"_s, {}},
                                         {u"2027/003/1"_s, {}},
                                         {u"20270/3/1"_s, {}},
                                         {u"２０２７/3/1"_s, {}},
                                         {u"2027/3/"_s, {}},
                                         {u"2027"_s, {}},
                                         {u"2027/03/01 10:00"_s, {}}}) {
            QCOMPARE(parseStoredDate(text), date.isValid() ? std::optional(date) : std::nullopt);
            QCOMPARE(parseStoredDate(storedDateText(date)), date.isValid() ? std::optional(date) : std::nullopt);
        }
    }

    // The desktop's opener is run without waiting for it, the address as one argument; its exit status
    // decides whether the address was opened.
    void opener_data() {
        QTest::addColumn<QString>("script"); // of the opener on PATH; none: no opener there
        QTest::addColumn<bool>("opened");
        QTest::newRow("opener succeeds") << u"exit 0"_s << true;
        QTest::newRow("opener finds no handler") << u"exit 3"_s << false;
        QTest::newRow("opener fails later") << u"sleep 0.5; exit 4"_s << false;
        QTest::newRow("killed") << u"kill -9 $$"_s << false;
        QTest::newRow("no opener") << QString() << false;
    }
    void opener() {
        QFETCH(QString, script);
        QFETCH(bool, opened);
        QTemporaryDir bin;
        const QString argumentFile = bin.filePath(u"argument"_s);
        if (!script.isNull()) {
            QFile opener(bin.filePath(QLatin1String(QtPlatform::opener)));
            QVERIFY(opener.open(QIODevice::WriteOnly));
            opener.write(("#!/bin/sh\nPATH=/usr/bin:/bin\nprintf '%s|%s' \"$1\" \"$#\" >'" + argumentFile + "'\n" +
                          script + '\n')
                             .toUtf8());
            opener.close();
            opener.setPermissions(opener.permissions() | QFile::ExeOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        QtPlatform platform;
        std::optional<bool> answer;
        const QString address = u"mailto:peltra@example.org?subject=a b;$(id)"_s;
        platform.openUrl(address, [&](bool taken) { answer = taken; });
        qputenv("PATH", path);
        QVERIFY(!answer || script.isNull()); // never waited for
        QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), 5000);
        QCOMPARE(*answer, opened);
        if (!script.isNull()) {
            QFile argument(argumentFile);
            QVERIFY(argument.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(argument.readAll()), address + u"|1"_s);
        }
    }

    // The delay counted on the boot clock, its fraction cut off; one return a minimise. The wall clock
    // at the start gives MinimizedAt, and nothing else: set back or ahead it changes nothing.
    void returnOncePerMinimise() {
        AppSettings settings;
        settings.OptReturn = u"90.9"_s;
        ReturnSchedule schedule;
        const QDateTime start(QDate(2026, 12, 6), QTime(23, 59, 30, 900));
        constexpr qint64 boot = 7'000'000;
        QVERIFY(!schedule.isDue(settings, boot + 90'000) && !schedule.msecsLeft(settings, boot));
        schedule.start(settings, start, boot);
        QCOMPARE(settings.MinimizedAt, 86370.0F);
        QCOMPARE(schedule.msecsLeft(settings, boot + 4'000), 86'000);
        QVERIFY(!schedule.isDue(settings, boot + 89'999) && schedule.isDue(settings, boot + 90'000));
        QCOMPARE(schedule.msecsLeft(settings, boot + 500'000), 0);
        schedule.take();
        QVERIFY(!schedule.isDue(settings, boot + 150'000));
    }

    // The chime's player, a module of its own: found, false for what it cannot play, never holding the program.
    void soundModule() {
        QLibrary module(QtPlatform::soundModulePath());
        const auto play = reinterpret_cast<bool (*)(const QString&)>(module.resolve("peltraPlaySoundFile"));
        QVERIFY2(play, qPrintable(module.errorString()));
        const QString chime = QCoreApplication::applicationDirPath() + u"/MEDIA/DING.WAV"_s;
        for (const QString& file : {chime, u"/nonexistent/DING.WAV"_s, QFINDTESTDATA("tst_logic.cpp")}) {
            const QDeadlineTimer deadline(6000);
            QVERIFY2((!play(file) || file == chime) && !deadline.hasExpired(), qPrintable(file));
        }
    }
};

QTEST_MAIN(TestLogic)
#include "tst_logic.moc"
