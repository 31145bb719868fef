#include "app/system/Autostart.h"
#include "countdown/CountdownClock.h"
#include "countdown/TrayIndicator.h"
#include "dialogs/INP_DATE.h"
#include "tests/support/WindowTestHelpers.h"

#include <QCalendarWidget>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>

#include <optional>
#include <tuple>

// Minimised by a click on the count (no button: the title bar), the chime switch, the sound file's name as
// the file system has it, the time, the window back by the timer or by hand, a tray there.
using Return = std::tuple<Qt::MouseButton, bool, QString, QTime, QString, bool>;

class TestCountdownTimers : public QObject {
    Q_OBJECT
    std::optional<CountdownFixture> f;
    bool trayAvailable = true;
    QSystemTrayIcon* trayIcon() { return f->window->findChild<QSystemTrayIcon*>(); }

private slots:
    void init() {
        f.emplace();
        trayAvailable = true;
        TrayIndicator::setTrayAvailabilityCheck([this] { return trayAvailable; });
    }

    void passedEvent_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("Cancel ends") << false;
        QTest::newRow("OK asks for a new date") << true;
    }
    void passedEvent() {
        QFETCH(bool, ok);
        f->settings.TheDate = QDate(2026, 12, 7);
        PELTRA& window = f->open();
        f->platform.clock = QDateTime(QDate(2026, 12, 7), QTime(0, 0, 5));
        window.Timer1_Timer();
        QCOMPARE(window.Label1[2]->text(), QStringLiteral("0")); // the event day itself asks nothing
        QVERIFY(f->platform.messages.isEmpty());

        f->platform.clock = f->platform.clock.addDays(1);
        f->platform.answers << (ok ? MessageAnswer::Ok : MessageAnswer::Cancel);
        bool stopped = false;
        f->platform.onMessage = [&](const ScriptedPlatform::Message&) {
            if (f->platform.messages.size() == 1) // not the event-date window's own confirmation
                stopped = !window.Timer1->isActive() && window.Label1[2]->text().isEmpty();
        };
        if (ok)
            whenModalOpens([&](QWidget* modal) {
                auto* dialog = qobject_cast<INP_DATE*>(modal);
                dialog->MonthView1->setSelectedDate(QDate(2026, 12, 20));
                emit dialog->MonthView1->clicked(QDate(2026, 12, 20));
                QTest::mouseClick(dialog->Command1[0], Qt::LeftButton);
            });
        window.Timer1_Timer();
        QCOMPARE(f->platform.messages.value(0).title, QStringLiteral("設定日付確認"));
        QVERIFY(stopped); // the count stopped and cleared under the question
        QCOMPARE(f->platform.ended, !ok);
        QCOMPARE(window.Label1[2]->text(), ok ? QStringLiteral("12") : QString());
        QCOMPARE(window.Timer1->isActive(), ok);
    }

    void minimiseAndReturn_data() {
        QTest::addColumn<Return>("row");
        const QString ding = QStringLiteral("ding.wav");
        const QTime ten(10, 0);
        QTest::newRow("left click, chime, tray") << Return{Qt::LeftButton, true, ding, ten, "timer", true};
        QTest::newRow("right click, silent, no tray") << Return{Qt::RightButton, false, ding, ten, "timer", false};
        QTest::newRow("sound missing: one message") << Return{Qt::LeftButton, true, {}, ten, "timer", true};
        QTest::newRow("title bar, across midnight") << Return{Qt::NoButton, false, {}, QTime(23, 55), "timer", false};
        QTest::newRow("back by the tray icon") << Return{Qt::LeftButton, true, ding, ten, "icon", true};
        QTest::newRow("back by the window manager") << Return{Qt::LeftButton, true, ding, ten, {}, true};
    }
    void minimiseAndReturn() {
        QFETCH(Return, row);
        const auto& [button, chimeOn, found, start, restoreBy, tray] = row;
        trayAvailable = tray;
        f->settings.OptBM = chimeOn ? QStringLiteral("1") : QStringLiteral("2");
        f->platform.environment[QStringLiteral("windir")] = QStringLiteral("/sys");
        f->platform.existingFiles[QStringLiteral("/sys/MEDIA/DING.WAV")] = found;
        PELTRA& window = f->open();
        const QDateTime minimised = f->platform.clock = QDateTime(QDate(2026, 12, 6), start);
        const qint64 bootAtMinimise = f->platform.bootClock;
        const auto tick = [&](int seconds) {
            f->platform.clock = minimised.addSecs(seconds);
            f->platform.bootClock = bootAtMinimise + seconds * 1000;
            QMetaObject::invokeMethod(window.Timer1, "timeout");
        };
        if (button == Qt::NoButton)
            window.showMinimized();
        else
            QTest::mouseClick(window.Label1[2], button);
        QVERIFY(window.isMinimized() && window.returnSchedule().isPending() &&
                window.countdownClock().countPeriod() == CountdownClock::countingPeriod);
        // The count's timer wakes at the return's deadline, or at midnight when that comes first.
        const int wait = int(std::min<qint64>(600'000, minimised.msecsTo(minimised.date().addDays(1).startOfDay())));
        QVERIFY(window.Timer1->isActive() && qAbs(window.Timer1->remainingTime() - wait) < 1000);
        QCOMPARE(f->saved("M_Left"), button == Qt::NoButton ? "" : "2880"); // a click on the count writes it
        QCOMPARE(trayIcon() && trayIcon()->isVisible(), tray);

        const QImage iconBefore = tray ? trayIcon()->icon().pixmap(24).toImage() : QImage();
        f->settings.TheDate = f->settings.TheDate.addDays(-1);
        tick(599);
        // Not back yet; the tray icon drawn again for the new count.
        QVERIFY(window.isMinimized() && (!tray || trayIcon()->icon().pixmap(24).toImage() != iconBefore));
        if (restoreBy == "icon")
            emit trayIcon()->activated(QSystemTrayIcon::Trigger);
        else if (restoreBy.isEmpty())
            window.showNormal();
        f->platform.onMessage = [&](const ScriptedPlatform::Message&) {
            if (f->platform.messages.size() == 1)
                tick(600); // timers go on firing under a message box
        };
        tick(600);
        QVERIFY(!window.isMinimized() && !window.returnSchedule().isPending());
        QVERIFY2(!trayIcon() || !trayIcon()->isVisible(), "the tray icon stays");
        const bool chime = restoreBy == "timer" && chimeOn; // none when brought back by hand
        // Back by itself, by the tray or by a second start, the count is in its after-return period.
        QVERIFY(restoreBy.isEmpty() || window.countdownClock().countPeriod() == CountdownClock::afterReturnPeriod);
        QCOMPARE(f->platform.soundsPlayed.join(QString()), chime && !found.isEmpty() ? "/sys/MEDIA/" + found : "");
        QCOMPARE(f->platform.messages.size(), int(chime && found.isEmpty()));
    }

    // The tray menu's start-at-login item, over nothing, our entry, or someone else's folder or link.
    void autostart_data() {
        QTest::addColumn<QString>("before");
        QTest::newRow("on") << QString();
        QTest::newRow("off") << "ours";
        QTest::newRow("a folder refused") << "folder";
        QTest::newRow("a link refused") << "link";
    }
    void autostart() {
        QFETCH(QString, before);
        const QString path = Autostart::entryPath();
        QCOMPARE(path, f->store.configFolder() + "/autostart/peltra.desktop");
        QVERIFY(before != "ours" || Autostart::setEnabled(true));
        QVERIFY(before != "folder" || QDir().mkpath(path));
        const QString theirs = f->store.configFolder() + "/theirs";
        QVERIFY(before != "link" || (QDir().mkpath(QFileInfo(path).path()) &&
                                     QFile(theirs).open(QIODevice::WriteOnly) && QFile::link(theirs, path)));

        f->open().showMinimized();
        QAction* item = f->window->findChild<QAction*>(QStringLiteral("trayAutostart"));
        emit f->window->findChild<QMenu*>(QStringLiteral("trayMenu"))->aboutToShow();
        QCOMPARE(item->isChecked(), before == "ours");
        item->trigger();
        const bool on = before != "ours", refused = before == "folder" || before == "link";
        // Refused, the item claims nothing and the user is told where the entry is.
        QCOMPARE(item->isChecked(), on && !refused);
        QCOMPARE(Autostart::isEnabled(), on && !refused);
        QCOMPARE(f->platform.messages.value(0).prompt.contains(path), refused);
        QCOMPARE(QFile::exists(path), on);
        QCOMPARE(QFileInfo(path).isSymLink() && QFileInfo(theirs).size() == 0, before == "link");
        // A build run from its own folder is not on PATH: the entry names it by its full path.
        const QByteArray exec = "\nExec=" + QCoreApplication::applicationFilePath().toUtf8() + '\n';
        QFile entry(path);
        QVERIFY(!on || refused || (entry.open(QIODevice::ReadOnly) && entry.readAll().contains(exec)));
    }
};

QTEST_MAIN(TestCountdownTimers)
#include "tst_countdowntimers.moc"
