#include "app/AppSettings.h"
#include "app/StartUp.h"
#include "countdown/PELTRA.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

class TestStartUp : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartAsksForTheDate_data();
    void firstStartAsksForTheDate();
    void laterStartUsesTheStore();
    void unusableStoredValuesStillGiveAWindow();
    void settingsPathNotOwnRegularFile_data();
    void settingsPathNotOwnRegularFile();

private:
    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
};

void TestStartUp::init() {
    platform = std::make_unique<ScriptedPlatform>();
    store = std::make_unique<TestStore>();
    appSettings() = AppSettings{};
}

void TestStartUp::cleanup() {
    store.reset();
    platform.reset();
}

void TestStartUp::firstStartAsksForTheDate_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("windowShown");
    QTest::newRow("了解") << "Command1_0" << true;
    QTest::newRow("キャンセル") << "Command1_1" << false;
}

void TestStartUp::firstStartAsksForTheDate() {
    QFETCH(QString, button);
    QFETCH(bool, windowShown);
    QString dialogTitle;
    QDate calendarDate;
    whenModalOpens([&](QWidget* modal) {
        dialogTitle = modal->windowTitle();
        QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
    });
    const auto window = startUp(*platform);

    QCOMPARE(dialogTitle, QStringLiteral("イベント日の設定"));
    QCOMPARE(window != nullptr, windowShown);
    QCOMPARE(platform->ended, !windowShown);
    if (!windowShown) {
        QVERIFY(store->keys().isEmpty());
        return;
    }
    QCOMPARE(platform->messages.size(), 1);
    QCOMPARE(platform->messages[0].prompt, QStringLiteral("イベント日を設定しました。"));
    QCOMPARE(store->value(Section::Config, QStringLiteral("TheDate")), QStringLiteral("2026/12/07"));
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("ペルトラ for Windows"));
    QCOMPARE(window->Label1[2]->text(), QStringLiteral("1"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("OptSize")), QStringLiteral("2"));
    QVERIFY(!store->keys().contains(QStringLiteral("Position/M_Left")));
    QCOMPARE(appSettings().HelpFilePath, QStringLiteral("/opt/peltra/PELTRA.HLP"));
}

void TestStartUp::laterStartUsesTheStore() {
    store->preset(Section::Config, QStringLiteral("TheDate"), QStringLiteral("2027/03/01"));
    store->preset(Section::Position, QStringLiteral("OptSize"), QStringLiteral("4"));
    store->preset(Section::Position, QStringLiteral("M_Left"), QStringLiteral("1500"));
    store->preset(Section::Position, QStringLiteral("M_Top"), QStringLiteral("750"));
    store->preset(Section::Config, QStringLiteral("OptMsg(0)"), QStringLiteral("卒業まであと"));
    const auto window = startUp(*platform);
    QVERIFY(window);
    QVERIFY(platform->messages.isEmpty());
    QCOMPARE(window->Label1[0]->text(), QStringLiteral("卒業まであと"));
    QCOMPARE(window->Label1[2]->text(), QStringLiteral("85"));
    QCOMPARE(window->windowPosition(), QPointF(1500, 750));
    QVERIFY(qAbs(window->windowOuterSize().width() - 4700) < 15.5);
    QVERIFY(qAbs(window->windowOuterSize().height() - 3650) < 15.5);
}

void TestStartUp::unusableStoredValuesStillGiveAWindow() {
    store->preset(Section::Config, QStringLiteral("TheDate"), QStringLiteral("2027/03/01"));
    store->preset(Section::Position, QStringLiteral("OptSize"), QStringLiteral("巨大"));
    store->preset(Section::Position, QStringLiteral("Label_Top(1)"), QStringLiteral("1e300"));
    store->preset(Section::Config, QStringLiteral("OptColor(4)"), QStringLiteral("緑"));
    store->preset(Section::Fonts, QStringLiteral("OptFont(2)"), QStringLiteral("maybe"));
    const auto window = startUp(*platform);
    QVERIFY(window);
    QVERIFY(qAbs(window->windowOuterSize().width() - 9600) < 15.5);
    QVERIFY(qAbs(window->layout().labelPosition(1).y() - 4740) < 15.5);
    QVERIFY(!window->Label1[0]->font().bold());
    // The stored texts are left as they were.
    QCOMPARE(store->value(Section::Position, QStringLiteral("OptSize")), QStringLiteral("巨大"));
}

void TestStartUp::settingsPathNotOwnRegularFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to a device") << "device";
    QTest::newRow("link to another user's file") << "other";
}

// Nothing is read from it, nothing hangs, nothing is written through it; the first run reports one failed
// save and does not claim the date was kept.
void TestStartUp::settingsPathNotOwnRegularFile() {
    QFETCH(QString, kind);
    const QByteArray path = QFile::encodeName(store->iniPath());
    QVERIFY(QDir().mkpath(QFileInfo(store->iniPath()).path()));
    const QByteArray target = QFile::encodeName(store->configFolder() + QStringLiteral("/target"));
    const bool root = ::geteuid() == 0;
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        // As root a device node of our own, so that a fault replaces no node of the system.
        QCOMPARE(root ? ::mknod(target.constData(), S_IFCHR | 0666, makedev(1, 3)) : ::symlink("/dev/null", target), 0);
        QCOMPARE(::symlink(target.constData(), path.constData()), 0);
    } else {
        if (!root)
            QSKIP("only root can give a file to another user");
        QFile file(QFile::decodeName(target));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[Config]\nTheDate=2027/03/01\n") > 0);
        file.close();
        QCOMPARE(::chown(target.constData(), 65534, 65534), 0);
        QCOMPARE(::symlink(target.constData(), path.constData()), 0);
    }
    struct stat before {};
    QVERIFY(::lstat(target.constData(), &before) == 0 || kind == QLatin1String("fifo"));
    SettingsStore::instance().reopen();

    whenModalOpens([](QWidget* modal) {
        QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("Command1_0")), Qt::LeftButton);
    });
    const auto window = startUp(*platform);
    QVERIFY(window);
    QCOMPARE(platform->messages.size(), 1);
    QCOMPARE(platform->messages[0].style, int(MessageStyle::Exclamation));
    QCOMPARE(platform->messages[0].prompt, QStringLiteral("設定を保存できませんでした。\n") + store->iniPath());

    struct stat after {};
    QCOMPARE(::lstat(path.constData(), &after), 0);
    QCOMPARE(S_ISFIFO(after.st_mode), kind == QLatin1String("fifo"));
    QCOMPARE(S_ISLNK(after.st_mode), kind != QLatin1String("fifo"));
    if (kind != QLatin1String("fifo")) {
        QCOMPARE(::lstat(target.constData(), &after), 0);
        QCOMPARE(std::tuple(after.st_mode, after.st_uid, after.st_ino, after.st_size),
                 std::tuple(before.st_mode, before.st_uid, before.st_ino, before.st_size));
    }
    QCOMPARE(QDir(store->configFolder() + QStringLiteral("/PELTRA"))
                 .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
                 .size(),
             1);
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
