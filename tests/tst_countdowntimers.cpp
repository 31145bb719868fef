#include "app/AppSettings.h"
#include "app/Autostart.h"
#include "countdown/TrayIndicator.h"
#include "dialogs/INP_DATE.h"
#include "tests/support/WindowTestHelpers.h"

#include <QCalendarWidget>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <optional>

// The count through the day and past the event, the return after a minimise, and the tray icon that
// stands in for the window meanwhile.
class TestCountdownTimers : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { f.reset(); }
    void countFollowsTheClock();
    void passedEvent_data();
    void passedEvent();
    void clickOnALabel_data();
    void clickOnALabel();
    void returnAfterDelay_data();
    void returnAfterDelay();
    void restoreByHandEndsPendingReturn();
    void tickDuringReturnMessageStartsNoSecond();
    void trayCountReads_data();
    void trayCountReads();
    void trayIconWhileMinimised_data();
    void trayIconWhileMinimised();
    void trayIconFollowsCountAndEnds();
    void autostart_data();
    void autostart();
    void autostartFromTrayMenu();

private:
    QSystemTrayIcon* trayIcon() { return f->window->findChild<QSystemTrayIcon*>(); }
    QAction* trayAction(const char* name) { return f->window->findChild<QAction*>(QLatin1String(name)); }

    std::optional<CountdownFixture> f;
    bool trayAvailable = true;
};

void TestCountdownTimers::init() {
    f.emplace();
    trayAvailable = true;
    TrayIndicator::setTrayAvailabilityCheck([this] { return trayAvailable; });
}

void TestCountdownTimers::countFollowsTheClock() {
    appSettings().TheDate = QDate(2026, 12, 7);
    PELTRA& window = f->open();
    QCOMPARE(window.Label1[2]->text(), QStringLiteral("1"));
    f->platform.clock = QDateTime(QDate(2026, 12, 7), QTime(0, 0, 5));
    window.Timer1_Timer();
    // The event day itself: 0, and nothing else happens.
    QCOMPARE(window.Label1[2]->text(), QStringLiteral("0"));
    QVERIFY(f->platform.messages.isEmpty());
    QVERIFY(window.Timer1->isActive());
    QCOMPARE(window.Timer1->interval(), 10000);
}

void TestCountdownTimers::passedEvent_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Cancel ends") << MessageAnswer::Cancel;
    QTest::newRow("OK asks for a new date") << MessageAnswer::Ok;
}

void TestCountdownTimers::passedEvent() {
    QFETCH(int, answer);
    appSettings().TheDate = QDate(2026, 12, 5);
    appSettings().OptColor[3] = QStringLiteral("&H0000FFFF&"); // a yellow count box
    PELTRA& window = f->open();
    bool timer1Stopped = false;
    int yellowUnderQuestion = -1;
    f->platform.onMessage = [&](const ScriptedPlatform::Message&) {
        timer1Stopped = !window.Timer1->isActive();
        const QImage shot = window.grab().toImage();
        yellowUnderQuestion = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x)
                yellowUnderQuestion += shot.pixel(x, y) == qRgb(255, 255, 0);
        }
    };
    f->platform.answers << answer;
    const bool ok = answer == MessageAnswer::Ok;
    bool timer1StoppedInDialog = false;
    if (ok) {
        whenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<INP_DATE*>(modal);
            timer1StoppedInDialog = !window.Timer1->isActive();
            dialog->MonthView1->setSelectedDate(QDate(2026, 12, 20));
            emit dialog->MonthView1->clicked(QDate(2026, 12, 20));
            QTest::mouseClick(dialog->Command1[0], Qt::LeftButton);
        });
    }
    window.Timer1_Timer();

    QVERIFY(!f->platform.messages.isEmpty()); // OK goes on to the event-date window's own confirmation
    QCOMPARE(f->platform.messages[0].title, QStringLiteral("設定日付確認"));
    QCOMPARE(f->platform.messages[0].style, MessageStyle::Question);
    QVERIFY(timer1Stopped);
    QCOMPARE(yellowUnderQuestion, 0); // the cleared count leaves no empty box behind
    QCOMPARE(f->platform.ended, !ok);
    if (ok) {
        QVERIFY(timer1StoppedInDialog);
        QCOMPARE(appSettings().TheDate, QDate(2026, 12, 20));
        QCOMPARE(window.Label1[2]->text(), QStringLiteral("14"));
        QVERIFY(window.Timer1->isActive());
    } else {
        QVERIFY(window.Label1[2]->text().isEmpty());
        // Nothing is saved on this way out.
        QVERIFY(f->saved("M_Left").isEmpty() && f->saved("Label_Left(0)").isEmpty());
    }
}

void TestCountdownTimers::clickOnALabel_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("label");
    QTest::addColumn<bool>("minimises");
    QTest::newRow("left on the count") << Qt::LeftButton << 2 << true;
    QTest::newRow("right on the count") << Qt::RightButton << 2 << true;
    QTest::newRow("middle on the count") << Qt::MiddleButton << 2 << false;
    QTest::newRow("left on a message") << Qt::LeftButton << 0 << false;
}

void TestCountdownTimers::clickOnALabel() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, label);
    QFETCH(bool, minimises);
    PELTRA& window = f->open();
    window.move(105, 45);
    window.Timer1->setInterval(60000);
    f->platform.clock = QDateTime(QDate(2026, 12, 6), QTime(14, 30, 15));
    QTest::mouseClick(window.Label1[std::size_t(label)], button);

    QCOMPARE(window.isMinimized(), minimises);
    QCOMPARE(window.Timer1->interval(), minimises ? 10000 : 60000);
    QVERIFY(window.Timer1->isActive());
    QCOMPARE(window.returnSchedule().isPending(), minimises);
    if (minimises)
        QCOMPARE(appSettings().MinimizedAt, float(14 * 3600 + 30 * 60 + 15));
    QCOMPARE(f->saved("M_Left"), minimises ? QStringLiteral("1575") : QString());
    QCOMPARE(f->saved("M_Top"), minimises ? QStringLiteral("675") : QString());
    // The window stays where the user put it.
    QCOMPARE(appSettings().M_Left, minimises ? QStringLiteral("1575") : QStringLiteral("2880"));
    QCOMPARE(window.pos(), QPoint(105, 45));
}

void TestCountdownTimers::returnAfterDelay_data() {
    QTest::addColumn<QString>("sound");
    QTest::addColumn<bool>("soundPresent");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<int>("messages");
    QTest::newRow("chime") << "1" << true << QTime(10, 0) << 0;
    QTest::newRow("silent") << "2" << true << QTime(10, 0) << 0;
    QTest::newRow("sound missing") << "1" << false << QTime(10, 0) << 1;
    QTest::newRow("across midnight") << "2" << false << QTime(23, 55) << 0;
}

void TestCountdownTimers::returnAfterDelay() {
    QFETCH(QString, sound);
    QFETCH(bool, soundPresent);
    QFETCH(QTime, start);
    QFETCH(int, messages);
    appSettings().OptBM = sound;
    if (soundPresent) {
        f->platform.environment[QStringLiteral("windir")] = QStringLiteral("/sys");
        f->platform.existingFiles[QStringLiteral("/sys/MEDIA/DING.WAV")] = QStringLiteral("DING.WAV");
    }
    PELTRA& window = f->open();
    const QDateTime minimised(QDate(2026, 12, 6), start);
    f->platform.clock = minimised;
    QTest::mouseClick(window.Label1[2], Qt::LeftButton);
    f->platform.clock = minimised.addSecs(599);
    window.Timer1_Timer();
    QVERIFY(window.isMinimized());
    f->platform.clock = minimised.addSecs(600);
    window.Timer1_Timer();
    QVERIFY(!window.isMinimized());
    QCOMPARE(window.Timer1->interval(), 60000);
    const QStringList chime{QStringLiteral("/sys/MEDIA/DING.WAV")};
    QCOMPARE(f->platform.soundsPlayed, sound == QLatin1String("1") && soundPresent ? chime : QStringList());
    QCOMPARE(f->platform.messages.size(), messages);
    if (messages)
        QVERIFY(f->platform.messages[0].prompt.contains(QStringLiteral("音声ﾌｧｲﾙ")));
    // Once per minimise: later ticks bring nothing more.
    const qsizetype before = f->platform.soundsPlayed.size() + f->platform.messages.size();
    f->platform.clock = minimised.addSecs(1200);
    window.Timer1_Timer();
    QCOMPARE(f->platform.soundsPlayed.size() + f->platform.messages.size(), before);
}

void TestCountdownTimers::restoreByHandEndsPendingReturn() {
    appSettings().OptBM = QStringLiteral("2");
    PELTRA& window = f->open();
    const QDateTime start = f->platform.clock;
    QTest::mouseClick(window.Label1[2], Qt::LeftButton);
    f->platform.clock = start.addSecs(60);
    window.showNormal(); // from the taskbar
    QVERIFY(!window.returnSchedule().isPending());
    f->platform.clock = start.addSecs(300);
    window.showMinimized(); // the title bar's button: a full delay from now
    f->platform.clock = start.addSecs(899);
    window.Timer1_Timer();
    QVERIFY(window.isMinimized());
    f->platform.clock = start.addSecs(900);
    window.Timer1_Timer();
    QVERIFY(!window.isMinimized());
}

void TestCountdownTimers::tickDuringReturnMessageStartsNoSecond() {
    PELTRA& window = f->open();
    QTest::mouseClick(window.Label1[2], Qt::LeftButton);
    f->platform.clock = f->platform.clock.addSecs(600);
    // Timers go on firing under the message box: one fires while it is up.
    f->platform.onMessage = [&](const ScriptedPlatform::Message&) {
        f->platform.onMessage = nullptr;
        window.Timer1_Timer();
    };
    window.Timer1_Timer();
    QCOMPARE(f->platform.messages.size(), 1);
    QVERIFY(!window.isMinimized());
}

void TestCountdownTimers::trayCountReads_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("side");
    QTest::newRow("one digit, smallest") << "7" << 16;
    QTest::newRow("three digits") << "365" << 22;
    QTest::newRow("negative") << "-12" << 24;
    QTest::newRow("five digits, smallest") << "12345" << 16;
}

void TestCountdownTimers::trayCountReads() {
    QFETCH(QString, count);
    QFETCH(int, side);
    QPixmap orange(64, 64);
    orange.fill(QColor(230, 120, 0));
    const QImage image = trayCountImage(QIcon(orange), count, side);
    QCOMPARE(image.size(), QSize(side, side));
    // The number is white on a dark backing; the icon is neither.
    QRect number;
    int darkPixels = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::min({pixel.red(), pixel.green(), pixel.blue()}) > 200)
                number |= QRect(x, y, 1, 1);
            else if (std::max({pixel.red(), pixel.green(), pixel.blue()}) < 90)
                ++darkPixels;
        }
    }
    QVERIFY2(darkPixels >= side, "no dark backing under the number");
    QVERIFY2(number.height() >= side * 0.4, qPrintable(QStringLiteral("number only %1 px high").arg(number.height())));
    // Cut off at an edge, a number would lose its outline there.
    QVERIFY2(QRect(1, 1, side - 2, side - 2).contains(number), "the number reaches the icon's edge");
}

void TestCountdownTimers::trayIconWhileMinimised_data() {
    QTest::addColumn<bool>("available");
    QTest::addColumn<bool>("byClickOnCount");
    QTest::addColumn<QString>("restoreBy");
    QTest::newRow("count click, icon click") << true << true << "icon";
    QTest::newRow("window manager, menu 元に戻す") << true << false << "menu";
    QTest::newRow("count click, window manager restores") << true << true << "window manager";
    QTest::newRow("no system tray") << false << true << "window manager";
}

void TestCountdownTimers::trayIconWhileMinimised() {
    QFETCH(bool, available);
    QFETCH(bool, byClickOnCount);
    QFETCH(QString, restoreBy);
    trayAvailable = available;
    PELTRA& window = f->open();
    QVERIFY(!trayIcon());
    if (byClickOnCount)
        window.Label1_Click(2);
    else
        window.showMinimized();
    QVERIFY(window.isMinimized());
    QCOMPARE(trayIcon() && trayIcon()->isVisible(), available);
    if (available)
        QVERIFY(!trayIcon()->icon().isNull());

    if (restoreBy == QLatin1String("icon"))
        emit trayIcon()->activated(QSystemTrayIcon::Trigger);
    else if (restoreBy == QLatin1String("menu"))
        trayAction("trayRestore")->trigger();
    else
        window.showNormal();
    QVERIFY(!window.isMinimized());
    QVERIFY(!trayIcon() || !trayIcon()->isVisible());
    // Brought back as the automatic return does, but without its sound.
    QVERIFY(!window.returnSchedule().isPending());
    QVERIFY(f->platform.soundsPlayed.isEmpty() && f->platform.messages.isEmpty());
}

void TestCountdownTimers::trayIconFollowsCountAndEnds() {
    appSettings().OptMsg[0] = QStringLiteral("<b>試験</b>まであと");
    PELTRA& window = f->open();
    window.Label1_Click(2);
    const QImage iconBefore = trayIcon()->icon().pixmap(24).toImage();
    f->platform.clock = f->platform.clock.addDays(1);
    QMetaObject::invokeMethod(window.Timer1, "timeout");
    QCOMPARE(window.Label1[2]->text(), QStringLiteral("9"));
    QTextDocument shown;
    shown.setHtml(trayIcon()->toolTip());
    // A message is shown as typed, never as markup.
    QCOMPARE(shown.toPlainText(), QStringLiteral("<b>試験</b>まであと 9日\nイベント日：2026/12/16"));
    QVERIFY(trayIcon()->icon().pixmap(24).toImage() != iconBefore);

    // Its menu's end asks as the window's menu does.
    f->platform.answers << MessageAnswer::Cancel;
    trayAction("trayEnd")->trigger();
    QCOMPARE(f->platform.messages.size(), 1);
    QCOMPARE(f->platform.messages[0].title, QStringLiteral("終了確認"));
    QVERIFY(!f->platform.ended && trayIcon()->isVisible());
    trayAction("trayEnd")->trigger();
    QVERIFY(f->platform.ended);
}

void TestCountdownTimers::autostart_data() {
    QTest::addColumn<QString>("configHome");
    QTest::addColumn<QString>("before"); // what is at the entry's path: nothing, ours, a folder or a link
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << "set"
                        << "" << true;
    QTest::newRow("on again") << "set"
                              << "ours" << true;
    QTest::newRow("off") << "set"
                         << "ours" << false;
    QTest::newRow("off again") << "set"
                               << "" << false;
    QTest::newRow("XDG_CONFIG_HOME unset") << "unset"
                                           << "" << true;
    QTest::newRow("XDG_CONFIG_HOME relative") << "relative"
                                              << "ours" << false;
    QTest::newRow("a folder refused") << "set"
                                      << "folder" << true;
    QTest::newRow("a link refused") << "set"
                                    << "link" << false;
}

void TestCountdownTimers::autostart() {
    QFETCH(QString, configHome);
    QFETCH(QString, before);
    QFETCH(bool, on);
    QTemporaryDir home;
    const QByteArray previousHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    const auto restoreHome = qScopeGuard([&] { qputenv("HOME", previousHome); });
    if (configHome == QLatin1String("unset"))
        qunsetenv("XDG_CONFIG_HOME");
    else if (configHome == QLatin1String("relative"))
        qputenv("XDG_CONFIG_HOME", "config");
    const QString path = Autostart::entryPath();
    const QString config = configHome == QLatin1String("set") ? f->store.configFolder() : home.filePath(".config");
    QCOMPARE(path, config + QStringLiteral("/autostart/peltra.desktop"));
    const QString mine = home.filePath(QStringLiteral("mine.desktop"));
    QFile other(mine);
    QVERIFY(other.open(QIODevice::WriteOnly) && other.write("[Desktop Entry]\nExec=other\n") > 0);
    other.close();
    if (before == QLatin1String("ours"))
        QVERIFY(Autostart::setEnabled(true));
    else if (before == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (before == QLatin1String("link"))
        QVERIFY(QDir().mkpath(QFileInfo(path).path()) && QFile::link(mine, path));

    QString error;
    const bool refused = before == QLatin1String("folder") || before == QLatin1String("link");
    QCOMPARE(Autostart::setEnabled(on, &error), !refused);
    QCOMPARE(Autostart::isEnabled(), on && !refused);
    if (refused) {
        // Someone else's entry is left as it was, and the user is told where it is.
        QVERIFY(error.contains(path));
        QCOMPARE(QFileInfo(path).isSymLink(), before == QLatin1String("link"));
        QVERIFY(QFileInfo(path).isDir() || QFileInfo(path).isSymLink());
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("[Desktop Entry]\nExec=other\n"));
        return;
    }
    QCOMPARE(QFile::exists(path), on);
    QFile entry(path);
    if (on && entry.open(QIODevice::ReadOnly)) {
        const QByteArray text = entry.readAll();
        // A build run from its own folder is not on PATH: the entry names it by its full path.
        QVERIFY(text.contains("\nExec=" + QCoreApplication::applicationFilePath().toUtf8() + '\n'));
        QVERIFY(text.contains("\nX-GNOME-Autostart-enabled=true\n"));
    }
}

void TestCountdownTimers::autostartFromTrayMenu() {
    PELTRA& window = f->open();
    window.Label1_Click(2);
    auto* menu = window.findChild<QMenu*>(QStringLiteral("trayMenu"));
    QAction* autostart = trayAction("trayAutostart");
    emit menu->aboutToShow();
    QVERIFY(!autostart->isChecked());
    autostart->trigger();
    emit menu->aboutToShow();
    QVERIFY(autostart->isChecked() && Autostart::isEnabled());
    autostart->trigger();
    QVERIFY(!autostart->isChecked() && !QFile::exists(Autostart::entryPath()));
    // Refused: the user is told why, and the item does not claim what did not happen.
    QVERIFY(QDir().mkpath(Autostart::entryPath()));
    autostart->trigger();
    QVERIFY(!autostart->isChecked());
    QCOMPARE(f->platform.messages.size(), 1);
    QVERIFY(f->platform.messages[0].prompt.contains(Autostart::entryPath()));
}

QTEST_MAIN(TestCountdownTimers)
#include "tst_countdowntimers.moc"
