// Settings from the store to memory at start-up, and from the settings window back to the store.
#include "app/AppSettings.h"
#include "app/SettingsChoices.h"
#include "app/SettingsLoader.h"
#include "app/SettingsSaving.h"
#include "app/SizePresets.h"
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

using namespace Qt::StringLiterals;

namespace {

// Settings as the loader leaves them at the standard size.
AppSettings loadedSettings() {
    AppSettings s;
    s.OptSize = u"2"_s;
    SelectWindowSize(s, s.OptSize);
    s.OptLATab = u"1"_s;
    s.Label_Left = {u"160"_s, u"160"_s, u"3000"_s};
    s.Label_Top = {u"680"_s, u"4740"_s, u"2130"_s};
    s.OptColor = {u"&H00FFFFFF&"_s, u"&H00FFFFFF&"_s, u"&H00000000&"_s, u"255"_s, u"&H00000000&"_s};
    s.OptFont = {u"ＭＳ Ｐ明朝"_s, u"20"_s, u"False"_s, u"True"_s};
    s.OptFont2 = {u"IPAGothic"_s, u"36"_s, u"True"_s, u"False"_s};
    return s;
}

// What a save routine hands the store, as "Section/Key=value" in order.
QStringList lines(const QList<StoredValue>& values) {
    QStringList result;
    for (const StoredValue& v : values)
        result << v.section + u'/' + v.key + u'=' + v.value;
    return result;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;

    // Loads with a stored date unless the test gives what the event-date window does.
    [[nodiscard]] AppSettings load(const std::function<void()>& askForDate = [] { QFAIL("date asked for"); }) {
        AppSettings settings;
        loadSettings(settings, SettingsStore::instance(), *platform, askForDate);
        return settings;
    }

private slots:
    void init() {
        platform = std::make_unique<ScriptedPlatform>();
        store = std::make_unique<TestStore>();
        appSettings() = AppSettings{};
    }
    void cleanup() {
        store.reset();
        platform.reset();
    }

    // The date is asked for before anything is written; defaults go to the file, positions stay in
    // memory, and the next start writes nothing.
    void firstStart_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("windowShown");
        QTest::newRow("了解") << "Command1_0" << true;
        QTest::newRow("キャンセル") << "Command1_1" << false;
    }
    void firstStart() {
        QFETCH(QString, button);
        QFETCH(bool, windowShown);
        whenModalOpens([&](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), u"イベント日の設定"_s);
            QVERIFY(store->keys().isEmpty());
            QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        const auto window = startUp(*platform);
        QCOMPARE(window != nullptr, windowShown);
        QCOMPARE(platform->ended, !windowShown);
        if (!windowShown) {
            QVERIFY(store->keys().isEmpty());
            return;
        }
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].prompt, u"イベント日を設定しました。"_s);
        QVERIFY(window->isVisible());
        QCOMPARE(window->Label1[2]->text(), u"1"_s);
        QCOMPARE(store->value(Section::Config, u"TheDate"_s), u"2026/12/07"_s);
        QCOMPARE(store->value(Section::Position, u"OptSize"_s), u"2"_s);
        QCOMPARE(store->value(Section::Config, u"OptReturn"_s), u"600"_s);
        for (const char* key : {"Position/M_Left", "Position/Label_Top(0)", "Config/OptBFile"})
            QVERIFY2(!store->keys().contains(QLatin1String(key)), key);
        QCOMPARE(appSettings().Label_Top, (std::array<QString, 3>{"680", "4740", "2130"}));
        QCOMPARE(appSettings().HelpFilePath, u"/opt/peltra/PELTRA.HLP"_s);
        const QByteArray written = store->fileBytes();
        QCOMPARE(load().TheDate, QDate(2026, 12, 7));
        QCOMPARE(store->fileBytes(), written);
    }

    void endedWhileAskingForDate() {
        QVERIFY(load([&] { platform->endProgram(); }).OptSize.isEmpty());
        QVERIFY(store->keys().isEmpty());
    }

    void laterStartUsesTheStore() {
        store->preset(Section::Config, u"TheDate"_s, u"2027/03/01"_s);
        store->preset(Section::Position, u"OptSize"_s, u"4"_s);
        store->preset(Section::Position, u"M_Left"_s, u"1500"_s);
        store->preset(Section::Position, u"M_Top"_s, u"750"_s);
        store->preset(Section::Config, u"OptMsg(0)"_s, u"卒業まであと"_s);
        const auto window = startUp(*platform);
        QVERIFY(window && platform->messages.isEmpty());
        QCOMPARE(window->Label1[0]->text(), u"卒業まであと"_s);
        QCOMPARE(window->Label1[2]->text(), u"85"_s);
        QCOMPARE(window->windowPosition(), QPointF(1500, 750));
        QVERIFY(qAbs(window->windowOuterSize().width() - 4700) < 15.5);
        QVERIFY(qAbs(window->windowOuterSize().height() - 3650) < 15.5);
    }

    // Unusable stored texts give the default in memory and a window; the stored text stays.
    void unusableStoredValues_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("inMemory");
        // clang-format off
        QTest::newRow("delay not a number") << "Config" << "OptReturn" << "abc" << "600";
        QTest::newRow("delay negative") << "Config" << "OptReturn" << "-5" << "600";
        QTest::newRow("size kept") << "Position" << "OptSize" << "4" << "4 4700";
        QTest::newRow("size unknown") << "Position" << "OptSize" << "巨大" << "2 9600";
        QTest::newRow("tab unknown") << "Config" << "OptLATab" << "7" << "0";
        QTest::newRow("label kept") << "Position" << "Label_Top(0)" << "1073.096" << "1073.096";
        QTest::newRow("label far away") << "Position" << "Label_Top(0)" << "1e300" << "680";
        QTest::newRow("bold maybe") << "Fonts" << "OptFont(2)" << "maybe" << "False";
        QTest::newRow("colour in words") << "Config" << "OptColor(4)" << "緑" << "緑";
        // clang-format on
    }
    void unusableStoredValues() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, inMemory);
        store->preset(Section::Config, u"TheDate"_s, u"2027/03/01"_s);
        store->preset(section, key, stored);
        const AppSettings s = load();
        const QHash<QString, QString> fields{{u"OptReturn"_s, s.OptReturn.toString()},
                                             {u"OptSize"_s, s.OptSize + u' ' + QString::number(s.WinWidth)},
                                             {u"OptLATab"_s, s.OptLATab},
                                             {u"Label_Top(0)"_s, s.Label_Top[0]},
                                             {u"OptFont(2)"_s, s.OptFont[2]},
                                             {u"OptColor(4)"_s, s.OptColor[4]}};
        QCOMPARE(fields.value(key), inMemory);
        QVERIFY(startUp(*platform));
        QCOMPARE(store->value(section, key), stored);
    }

    void eventDate_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QDate>("date"); // null: the date is asked for
        QTest::newRow("ISO") << "2027-03-01" << QDate(2027, 3, 1);
        QTest::newRow("no such day") << "2026/13/45" << QDate();
    }
    void eventDate() {
        QFETCH(QString, stored);
        QFETCH(QDate, date);
        store->preset(Section::Config, u"TheDate"_s, stored);
        int asked = 0;
        // The event-date window closed without a date: loading goes on.
        QCOMPARE(load([&] { ++asked; }).TheDate, date);
        QCOMPARE(asked, date.isValid() ? 0 : 1);
        QCOMPARE(store->value(Section::Config, u"TheDate"_s), stored);
        QCOMPARE(store->value(Section::Config, u"OptReturn"_s), u"600"_s);
    }

    // Screen sizes in twips; M_Left|M_Top centre the window, MinimizedAt drops the fraction.
    void startValues_data() {
        QTest::addColumn<QSizeF>("screen");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<QString>("expected");
        QTest::newRow("preset 4") << QSizeF(19200, 14400) << "4" << QDateTime(QDate(2027, 3, 1), QTime(13, 5, 30, 999))
                                  << "7250|5375|47130|2027/03/01|午後 01:05";
        QTest::newRow("odd sizes") << QSizeF(15361, 11521) << "3" << QDateTime(QDate(2027, 12, 31), QTime(23, 59, 59))
                                   << "4080.5|3025.5|86399|2027/12/31|午後 11:59";
    }
    void startValues() {
        QFETCH(QSizeF, screen);
        QFETCH(QString, size);
        QFETCH(QDateTime, clock);
        QFETCH(QString, expected);
        store->preset(Section::Config, u"TheDate"_s, u"2027/03/01"_s);
        store->preset(Section::Position, u"OptSize"_s, size);
        platform->screenSize = screen;
        platform->clock = clock;
        const AppSettings s = load();
        QCOMPARE(QStringList({s.M_Left, s.M_Top, QString::number(s.MinimizedAt), s.DateText, s.TimeText}).join(u'|'),
                 expected);
    }

    // Nothing is read from it, nothing hangs, nothing is written through it; the first run reports one
    // failed save.
    void settingsPathNotOwnRegularFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to a device") << "device";
        QTest::newRow("link to another user's file") << "other";
    }
    void settingsPathNotOwnRegularFile() {
        QFETCH(QString, kind);
        const QByteArray path = QFile::encodeName(store->iniPath());
        QVERIFY(QDir().mkpath(QFileInfo(store->iniPath()).path()));
        const QByteArray target = QFile::encodeName(store->configFolder() + u"/target"_s);
        const bool root = ::geteuid() == 0;
        if (kind == u"fifo") {
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        } else if (kind == u"device") {
            // As root a device node of our own, so that a fault replaces no node of the system.
            QCOMPARE(root ? ::mknod(target.constData(), S_IFCHR | 0666, makedev(1, 3)) : ::symlink("/dev/null", target),
                     0);
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
        QVERIFY(::lstat(target.constData(), &before) == 0 || kind == u"fifo");
        SettingsStore::instance().reopen();

        whenModalOpens(
            [](QWidget* modal) { QTest::mouseClick(modal->findChild<QPushButton*>(u"Command1_0"_s), Qt::LeftButton); });
        QVERIFY(startUp(*platform));
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].style, MessageStyle::Exclamation);
        QCOMPARE(platform->messages[0].prompt, u"設定を保存できませんでした。\n"_s + store->iniPath());
        struct stat after {};
        QCOMPARE(::lstat(path.constData(), &after), 0);
        QCOMPARE(S_ISFIFO(after.st_mode), kind == u"fifo");
        QCOMPARE(S_ISLNK(after.st_mode), kind != u"fifo");
        if (kind != u"fifo") {
            QCOMPARE(::lstat(target.constData(), &after), 0);
            QCOMPARE(std::tuple(after.st_mode, after.st_uid, after.st_ino, after.st_size),
                     std::tuple(before.st_mode, before.st_uid, before.st_ino, before.st_size));
        }
        QCOMPARE(QDir(store->configFolder() + u"/PELTRA"_s)
                     .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
                     .size(),
                 1);
    }

    // Positions scale with the window, multiplied before divided; those that cannot are left alone.
    void rescalePositions_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("upperLeft");
        QTest::addColumn<int>("count"); // positions written
        QTest::addColumn<QString>("first");
        QTest::newRow("standard to largest") << 2 << 0 << "160" << 6 << "256";
        QTest::newRow("largest to smallest") << 0 << 4 << "160" << 6 << "48.95833";
        QTest::newRow("same size") << 2 << 2 << "160" << 0 << "";
        QTest::newRow("unknown size in force") << -1 << 0 << "160" << 0 << "";
        QTest::newRow("unknown size chosen") << 2 << 5 << "160" << 0 << "";
        QTest::newRow("not a number, heights") << 2 << 3 << "abc" << 5 << "509.5342";
    }
    void rescalePositions() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, upperLeft);
        QFETCH(int, count);
        QFETCH(QString, first);
        AppSettings s = loadedSettings();
        s.Label_Left[0] = upperLeft;
        const QList<StoredValue> written = rescaleLabelPositions(s, from, to);
        QCOMPARE(written.size(), count);
        QCOMPARE(written.isEmpty() ? QString() : written[0].value, first);
        QCOMPARE(s.Label_Left[0], count && upperLeft == u"160" ? first : upperLeft);
    }

    void environmentPage_data() {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("values"); // OptCent, OptDbl, OptDateTime, OptBM, OptHaik, OptMsgMove, OptLAct
        QTest::newRow("all ticked: the shown tab kept") << true << "1111111";
        QTest::newRow("none ticked: no chime is 2") << false << "0002000";
    }
    void environmentPage() {
        QFETCH(bool, ticked);
        QFETCH(QString, values);
        AppSettings s = loadedSettings();
        EnvironmentChoices choices;
        choices.ticked.fill(ticked);
        choices.shownTab = 2;
        const QStringList keys{"Position/OptCent", "Config/OptDbl",     "Config/OptDateTime", "Config/OptBM",
                               "Config/OptHaik",   "Config/OptMsgMove", "Config/OptLAct"};
        QStringList expected;
        for (int i = 0; i < keys.size(); ++i)
            expected << keys[i] + u'=' + values[i];
        if (ticked)
            expected << u"Config/OptLATab=2"_s;
        QCOMPARE(lines(SaveEnvironmentTab(s, choices)), expected);
        QCOMPARE(s.OptCent + s.OptDbl + s.OptDateTime + s.OptBM + s.OptHaik + s.OptMsgMove + s.OptLAct, values);
        QCOMPARE(s.OptLATab, ticked ? u"2"_s : u"1"_s);
    }

    // The positions of a new size go to the store with it; the return countdown starts again.
    void initialPage_data() {
        QTest::addColumn<double>("minutes");
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("same size") << 15.0 << 2 << QStringList{"Config/OptReturn=900", "Position/OptSize=2"};
        QTest::newRow("new size") << 360.0 << 0
                                  << QStringList{"Config/OptReturn=21600",         "Position/Label_Left(0)=256",
                                                 "Position/Label_Top(0)=1073.096", "Position/Label_Left(1)=256",
                                                 "Position/Label_Top(1)=7480.109", "Position/Label_Left(2)=4800",
                                                 "Position/Label_Top(2)=3361.315", "Position/OptSize=0"};
    }
    void initialPage() {
        QFETCH(double, minutes);
        QFETCH(int, size);
        QFETCH(QStringList, written);
        AppSettings s = loadedSettings();
        const QList<StoredValue> values =
            SaveInitialTab(s, {minutes, size}, QDateTime({2026, 12, 6}, {13, 5, 30, 900}));
        QCOMPARE(lines(values).first(written.size()), written);
        QVERIFY(lines(values).contains(u"Config/OptColor(3)=255"_s));
        QCOMPARE(returnDelaySeconds(s), qint64(minutes * 60));
        QCOMPARE(s.OptSize, QString::number(size));
        QCOMPARE(s.MinimizedAt, 13.0F * 3600 + 5 * 60 + 30);
    }

    void messagesPage() {
        AppSettings s = loadedSettings();
        const QStringList expected{
            "Config/OptMsg(0)=新しい上段", "Config/OptMsg(1)=",      "Fonts/OptFont(0)=ＭＳ Ｐ明朝",
            "Fonts/OptFont2(0)=IPAGothic", "Fonts/OptFont(1)=20",    "Fonts/OptFont2(1)=36",
            "Fonts/OptFont(2)=False",      "Fonts/OptFont2(2)=True", "Fonts/OptFont(3)=True",
            "Fonts/OptFont2(3)=False",
        };
        QCOMPARE(lines(SaveMessagesTab(s, {u"新しい上段"_s, QString()})), expected);
        QCOMPARE(s.OptMsg, (std::array<QString, 2>{"新しい上段", ""}));
    }

    // The stored delay as the settings window shows it, in minutes.
    void intervalMinutes_data() {
        QTest::addColumn<QVariant>("optReturn");
        QTest::addColumn<int>("minutes");
        QTest::newRow("half to even") << QVariant(u"630"_s) << 10;
        QTest::newRow("a number once saved") << QVariant(1800.0) << 30;
        QTest::newRow("the shortest") << QVariant(u"5"_s) << 5;
        QTest::newRow("the longest") << QVariant(u"1e300"_s) << 360;
        QTest::newRow("not a number") << QVariant(u"abc"_s) << 10;
        QTest::newRow("nothing") << QVariant() << 10;
    }
    void intervalMinutes() {
        QFETCH(QVariant, optReturn);
        QFETCH(int, minutes);
        QCOMPARE(SettingsChoices::intervalMinutes(optReturn), minutes);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
