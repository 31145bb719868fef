#include "app/AppSettings.h"
#include "app/Autostart.h"
#include "countdown/PELTRA.h"
#include "countdown/TrayIndicator.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <memory>

class TestTrayIndicator : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void toolTipText_data();
    void toolTipText();
    void countImageFitsAndReads_data();
    void countImageFitsAndReads();
    void iconWhileMinimised_data();
    void iconWhileMinimised();
    void iconFollowsCount();
    void endAsksAsTheMenuDoes();
    void autostartEntry_data();
    void autostartEntry();
    void autostartLeavesForeignEntries_data();
    void autostartLeavesForeignEntries();
    void autostartFromTrayMenu();

private:
    QSystemTrayIcon* trayIcon(PELTRA& window) { return window.findChild<QSystemTrayIcon*>(); }
    // No icon is made until a tray is wanted.
    bool trayIconShown(PELTRA& window) { return trayIcon(window) && trayIcon(window)->isVisible(); }
    QAction* trayAction(PELTRA& window, const char* name) { return window.findChild<QAction*>(QLatin1String(name)); }

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
    bool trayAvailable = true;
};

void TestTrayIndicator::init() {
    platform = std::make_unique<ScriptedPlatform>();
    store = std::make_unique<TestStore>();
    loadFreshSettings(*platform);
    trayAvailable = true;
    TrayIndicator::setTrayAvailabilityCheck([this] { return trayAvailable; });
}

void TestTrayIndicator::cleanup() {
    store.reset();
    platform.reset();
}

void TestTrayIndicator::toolTipText_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("expected");
    const QString message = QStringLiteral("高校の入学試験まであと・・・");
    QTest::newRow("counting") << message << "10" << message + QStringLiteral(" 10日\nイベント日：2027/03/01");
    QTest::newRow("passed, count cleared") << message << "" << message + QStringLiteral("\nイベント日：2027/03/01");
    QTest::newRow("no message") << ""
                                << "365" << QStringLiteral("365日\nイベント日：2027/03/01");
}

void TestTrayIndicator::toolTipText() {
    QFETCH(QString, message);
    QFETCH(QString, count);
    QFETCH(QString, expected);
    QCOMPARE(trayToolTipText(message, count, QDate(2027, 3, 1)), expected);
}

void TestTrayIndicator::countImageFitsAndReads_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("side");
    for (const int side : {16, 22, 24}) {
        for (const char* count : {"7", "365", "-12", "12345"})
            QTest::addRow("%s at %d px", count, side) << QString::fromLatin1(count) << side;
    }
}

void TestTrayIndicator::countImageFitsAndReads() {
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

void TestTrayIndicator::iconWhileMinimised_data() {
    QTest::addColumn<bool>("available");
    QTest::addColumn<bool>("byClickOnCount");
    QTest::addColumn<QString>("restoreBy");
    QTest::newRow("count click, icon click") << true << true << "icon";
    QTest::newRow("window manager, menu 元に戻す") << true << false << "menu";
    QTest::newRow("count click, window manager restores") << true << true << "window manager";
    QTest::newRow("no system tray") << false << true << "window manager";
}

void TestTrayIndicator::iconWhileMinimised() {
    QFETCH(bool, available);
    QFETCH(bool, byClickOnCount);
    QFETCH(QString, restoreBy);
    trayAvailable = available;
    const auto window = openCountdownWindow();
    QVERIFY(!trayIcon(*window));

    if (byClickOnCount)
        window->Label1_Click(2);
    else
        window->showMinimized();
    QVERIFY(window->isMinimized());
    QCOMPARE(trayIconShown(*window), available);
    if (available)
        QVERIFY(!trayIcon(*window)->icon().isNull());

    if (restoreBy == QLatin1String("icon"))
        emit trayIcon(*window)->activated(QSystemTrayIcon::Trigger);
    else if (restoreBy == QLatin1String("menu"))
        trayAction(*window, "trayRestore")->trigger();
    else
        window->showNormal();
    QVERIFY(!window->isMinimized());
    QVERIFY(!trayIconShown(*window));
    // Brought back as the automatic return does, but without its sound.
    QVERIFY(!window->returnSchedule().isPending());
    QVERIFY(platform->soundsPlayed.isEmpty());
    QVERIFY(platform->messages.isEmpty());
}

void TestTrayIndicator::iconFollowsCount() {
    appSettings().OptMsg[0] = QStringLiteral("<b>試験</b>まであと");
    const auto window = openCountdownWindow();
    window->Label1_Click(2);
    const QString before = trayIcon(*window)->toolTip();
    const QImage iconBefore = trayIcon(*window)->icon().pixmap(24).toImage();

    platform->clock = platform->clock.addDays(1);
    QMetaObject::invokeMethod(window->Timer1, "timeout");
    QCOMPARE(window->Label1[2]->text(), QStringLiteral("9"));
    QTextDocument shown;
    shown.setHtml(trayIcon(*window)->toolTip());
    // A message is shown as typed, never as markup.
    QCOMPARE(shown.toPlainText(),
             trayToolTipText(QStringLiteral("<b>試験</b>まであと"), QStringLiteral("9"), appSettings().TheDate));
    QVERIFY(trayIcon(*window)->toolTip() != before);
    QVERIFY(trayIcon(*window)->icon().pixmap(24).toImage() != iconBefore);
}

void TestTrayIndicator::endAsksAsTheMenuDoes() {
    const auto window = openCountdownWindow();
    window->Label1_Click(2);
    platform->answers << MessageAnswer::Cancel;
    trayAction(*window, "trayEnd")->trigger();
    QCOMPARE(platform->messages.size(), 1);
    QCOMPARE(platform->messages[0].title, QStringLiteral("終了確認"));
    QVERIFY(!platform->ended);
    QVERIFY(trayIcon(*window)->isVisible());
    trayAction(*window, "trayEnd")->trigger();
    QVERIFY(platform->ended);
}

void TestTrayIndicator::autostartEntry_data() {
    QTest::addColumn<QString>("configHome");
    QTest::addColumn<bool>("entryBefore");
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << "set" << false << true;
    QTest::newRow("on again") << "set" << true << true;
    QTest::newRow("off") << "set" << true << false;
    QTest::newRow("off again") << "set" << false << false;
    QTest::newRow("XDG_CONFIG_HOME unset") << "unset" << false << true;
    QTest::newRow("XDG_CONFIG_HOME relative") << "relative" << true << false;
}

void TestTrayIndicator::autostartEntry() {
    QFETCH(QString, configHome);
    QFETCH(bool, entryBefore);
    QFETCH(bool, on);
    QTemporaryDir home;
    const QByteArray previousHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    const auto restoreHome = qScopeGuard([&] { qputenv("HOME", previousHome); });
    if (configHome == QLatin1String("unset"))
        qunsetenv("XDG_CONFIG_HOME");
    else if (configHome == QLatin1String("relative"))
        qputenv("XDG_CONFIG_HOME", "config");
    const QString expectedPath =
        configHome == QLatin1String("set")
            ? qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/autostart/peltra.desktop")
            : home.path() + QStringLiteral("/.config/autostart/peltra.desktop");
    const QString path = Autostart::entryPath();
    if (entryBefore)
        QVERIFY(Autostart::setEnabled(true));

    QString error;
    QVERIFY2(Autostart::setEnabled(on, &error), qPrintable(error));
    QCOMPARE(path, expectedPath);
    QCOMPARE(QFile::exists(path), on);
    QCOMPARE(Autostart::isEnabled(), on);
    if (on) {
        QFile entry(path);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        // A build run from its own folder is not on PATH: the entry names it by its full path.
        QVERIFY(text.contains("\nExec=" + QCoreApplication::applicationFilePath().toUtf8() + '\n'));
        QVERIFY(text.contains("\nName[ja]=ペルトラ\n"));
        QVERIFY(text.contains("\nX-GNOME-Autostart-enabled=true\n"));
    }
}

void TestTrayIndicator::autostartLeavesForeignEntries_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("on");
    QTest::newRow("folder, on") << "folder" << true;
    QTest::newRow("folder, off") << "folder" << false;
    QTest::newRow("link, on") << "link" << true;
    QTest::newRow("link, off") << "link" << false;
}

void TestTrayIndicator::autostartLeavesForeignEntries() {
    QFETCH(QString, kind);
    QFETCH(bool, on);
    const QString path = Autostart::entryPath();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    const QString target = path + QStringLiteral(".mine");
    QFile mine(target);
    QVERIFY(mine.open(QIODevice::WriteOnly));
    mine.write("[Desktop Entry]\nExec=something-else\n");
    mine.close();
    QVERIFY(kind == QLatin1String("folder") ? QDir().mkdir(path) : QFile::link(target, path));

    QString error;
    QVERIFY(!Autostart::setEnabled(on, &error));
    QVERIFY(error.contains(path));
    QVERIFY(!Autostart::isEnabled());
    const QFileInfo after(path);
    QCOMPARE(after.isDir() && !after.isSymLink(), kind == QLatin1String("folder"));
    QCOMPARE(after.isSymLink(), kind == QLatin1String("link"));
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), QByteArray("[Desktop Entry]\nExec=something-else\n"));
}

void TestTrayIndicator::autostartFromTrayMenu() {
    const auto window = openCountdownWindow();
    window->Label1_Click(2);
    auto* menu = window->findChild<QMenu*>(QStringLiteral("trayMenu"));
    QAction* autostart = trayAction(*window, "trayAutostart");
    emit menu->aboutToShow();
    QVERIFY(!autostart->isChecked());
    autostart->trigger();
    QVERIFY(Autostart::isEnabled());
    emit menu->aboutToShow();
    QVERIFY(autostart->isChecked());
    autostart->trigger();
    QVERIFY(!QFile::exists(Autostart::entryPath()));
    QVERIFY(!autostart->isChecked());

    // Refused: the user is told why, and the item does not claim what did not happen.
    QVERIFY(QDir().mkpath(Autostart::entryPath()));
    autostart->trigger();
    QVERIFY(!autostart->isChecked());
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(platform->messages[0].prompt.contains(Autostart::entryPath()));
}

QTEST_MAIN(TestTrayIndicator)
#include "tst_trayindicator.moc"
