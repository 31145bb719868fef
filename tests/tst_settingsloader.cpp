#include "app/AppSettings.h"
#include "app/SettingsLoader.h"
#include "app/SettingsStore.h"

#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

namespace {

// The store after a first run in which the user chose 2026/12/07: no M_Left, M_Top, label
// positions or OptBFile.
// clang-format off
const QMap<QString, QString> firstRunStore{
    {"Config/TheDate", "2026/12/07"}, {"Config/OptReturn", "600"}, {"Position/OptSize", "2"}, {"Position/OptCent", "0"},
    {"Config/OptDbl", "1"}, {"Config/OptDateTime", "1"}, {"Config/OptBM", "1"}, {"Config/OptHaik", "0"},
    {"Config/OptMsgMove", "1"}, {"Config/OptLAct", "1"}, {"Config/OptLATab", "0"},
    {"Config/OptColor(0)", "&H00FFFFFF&"}, {"Config/OptColor(1)", "&H00FFFFFF&"}, {"Config/OptColor(2)", "&H00000000&"},
    {"Config/OptColor(3)", "&H00FFFFFF&"}, {"Config/OptColor(4)", "&H00000000&"},
    {"Config/OptMsg(0)", "高校の入学試験まであと・・・"}, {"Config/OptMsg(1)", "最後まで全力を尽くして頑張ろう！"},
    {"Fonts/OptFont(0)", "ＭＳ Ｐ明朝"}, {"Fonts/OptFont(1)", "20"}, {"Fonts/OptFont(2)", "False"},
    {"Fonts/OptFont(3)", "False"}, {"Fonts/OptFont2(0)", "ＭＳ Ｐ明朝"}, {"Fonts/OptFont2(1)", "20"},
    {"Fonts/OptFont2(2)", "False"}, {"Fonts/OptFont2(3)", "False"},
};
// clang-format on

QMap<QString, QString> storeContents(const TestStore& store) {
    QMap<QString, QString> contents;
    for (const QString& path : store.keys())
        contents[path] = store.value(path.section(u'/', 0, 0), path.section(u'/', 1));
    return contents;
}

// The field a key loads into; OptSize also shows the window width it selects.
QString fieldText(const AppSettings& s, const QString& key) {
    // clang-format off
    const QHash<QString, QString> fields{
        {"OptReturn", s.OptReturn.toString()}, {"OptSize", s.OptSize + u' ' + QString::number(s.WinWidth)},
        {"OptLATab", s.OptLATab}, {"Label_Top(0)", s.Label_Top[0]}, {"OptFont(2)", s.OptFont[2]},
    };
    // clang-format on
    return fields.value(key, QStringLiteral("<no such field>"));
}

} // namespace

class TestSettingsLoader : public QObject {
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
    }

    void cleanup() {
        store.reset();
        platform.reset();
    }

    void firstRun() {
        int asked = 0;
        const AppSettings settings = load([&] {
            ++asked;
            QVERIFY(store->keys().isEmpty()); // the date is asked for before anything else is written
            SettingsStore::instance().Save(Section::Config, QStringLiteral("TheDate"), QStringLiteral("2026/12/07"));
        });
        QCOMPARE(asked, 1);
        QCOMPARE(storeContents(*store), firstRunStore);
        // Defaults kept in memory only.
        QCOMPARE(settings.Label_Left, (std::array<QString, 3>{"160", "160", ""}));
        QCOMPARE(settings.Label_Top, (std::array<QString, 3>{"680", "4740", "2130"}));
        QCOMPARE(settings.OptBFile, QString());

        // The next start finds everything, the date included, and leaves the store as it was.
        QCOMPARE(load().TheDate, QDate(2026, 12, 7));
        QCOMPARE(storeContents(*store), firstRunStore);
    }

    void endedWhileAskingForDate() {
        const AppSettings settings = load([&] { platform->endProgram(); });
        QVERIFY(store->keys().isEmpty());
        QVERIFY(settings.OptSize.isEmpty());
    }

    // Unusable stored texts give the default in memory, and the stored text stays as it was.
    void storedValues_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("inMemory");
        // clang-format off
        QTest::newRow("delay not a number") << "Config" << "OptReturn" << "abc" << "600";
        QTest::newRow("delay negative") << "Config" << "OptReturn" << "-5" << "600";
        QTest::newRow("size 4") << "Position" << "OptSize" << "4" << "4 4700";
        QTest::newRow("size 9") << "Position" << "OptSize" << "9" << "2 9600";
        QTest::newRow("tab 7") << "Config" << "OptLATab" << "7" << "0";
        QTest::newRow("label kept") << "Position" << "Label_Top(0)" << "1073.096" << "1073.096";
        QTest::newRow("label not a number") << "Position" << "Label_Top(0)" << "x" << "680";
        QTest::newRow("bold maybe") << "Fonts" << "OptFont(2)" << "maybe" << "False";
        // clang-format on
    }
    void storedValues() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, inMemory);
        store->preset(QStringLiteral("Config"), QStringLiteral("TheDate"), QStringLiteral("2027/03/01"));
        store->preset(section, key, stored);
        QCOMPARE(fieldText(load(), key), inMemory);
        QCOMPARE(store->value(section, key), stored);
    }

    void handEditedFile() {
        QVERIFY(QDir().mkpath(QFileInfo(store->iniPath()).path()));
        QFile file(store->iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        // Unquoted commas, as a user typing into the file writes them, with and without escaped brackets.
        file.write(
            QStringLiteral("[Config]\nTheDate=2027/03/01\nOptMsg(0)=あと, 少し\nOptMsg%281%29=1, 2, 3\n").toUtf8());
        file.close();
        SettingsStore::instance().reopen();
        QCOMPARE(load().OptMsg, (std::array<QString, 2>{"あと, 少し", "1, 2, 3"}));
    }

    void eventDate_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QDate>("date"); // null: the date is asked for
        QTest::newRow("ISO") << "2027-03-01" << QDate(2027, 3, 1);
        QTest::newRow("no such day") << "2026/13/45" << QDate();
        QTest::newRow("words") << "next spring" << QDate();
    }
    void eventDate() {
        QFETCH(QString, stored);
        QFETCH(QDate, date);
        store->preset(QStringLiteral("Config"), QStringLiteral("TheDate"), stored);
        int asked = 0;
        // The event-date window closed without a date: loading goes on.
        QCOMPARE(load([&] { ++asked; }).TheDate, date);
        QCOMPARE(asked, date.isValid() ? 0 : 1);
        QCOMPARE(store->value(QStringLiteral("Config"), QStringLiteral("TheDate")), stored);
        QCOMPARE(store->value(QStringLiteral("Config"), QStringLiteral("OptReturn")), QStringLiteral("600"));
    }

    // Screen sizes in twips. Expected: M_Left|M_Top (not stored, see firstRun)|MinimizedAt|DateText|TimeText.
    void startValues_data() {
        QTest::addColumn<QSizeF>("screen");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("1024x768, preset 2, midnight") << QSizeF(15360, 11520) << "2"
            << QDateTime(QDate(2026, 1, 2), QTime(0, 0)) << "2880|2110|0|2026/01/02|午前 12:00";
        QTest::newRow("1280x960, preset 4, fraction cut off") << QSizeF(19200, 14400) << "4"
            << QDateTime(QDate(2027, 3, 1), QTime(13, 5, 30, 999)) << "7250|5375|47130|2027/03/01|午後 01:05";
        QTest::newRow("odd sizes, preset 3, last second") << QSizeF(15361, 11521) << "3"
            << QDateTime(QDate(2027, 12, 31), QTime(23, 59, 59, 500)) << "4080.5|3025.5|86399|2027/12/31|午後 11:59";
        // clang-format on
    }
    void startValues() {
        QFETCH(QSizeF, screen);
        QFETCH(QString, size);
        QFETCH(QDateTime, clock);
        QFETCH(QString, expected);
        store->preset(QStringLiteral("Config"), QStringLiteral("TheDate"), QStringLiteral("2027/03/01"));
        store->preset(QStringLiteral("Position"), QStringLiteral("OptSize"), size);
        platform->screenSize = screen;
        platform->clock = clock;
        const AppSettings s = load();
        QCOMPARE(QStringList({s.M_Left, s.M_Top, QString::number(s.MinimizedAt), s.DateText, s.TimeText}).join(u'|'),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestSettingsLoader)
#include "tst_settingsloader.moc"
