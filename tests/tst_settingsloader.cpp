#include "app/AppSettings.h"
#include "app/SettingsLoader.h"
#include "app/SettingsStore.h"

#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

// The store after a first run in which the user chose 2026/12/07.
// clang-format off
const QMap<QString, QString> firstRunStore{
    {"Config/TheDate", "2026/12/07"}, {"Config/OptReturn", "600"}, {"Position/OptSize", "2"},
    {"Position/OptCent", "0"}, {"Config/OptDbl", "1"}, {"Config/OptDateTime", "1"}, {"Config/OptBM", "1"},
    {"Config/OptHaik", "0"}, {"Config/OptMsgMove", "1"}, {"Config/OptLAct", "1"}, {"Config/OptLATab", "0"},
    {"Config/OptColor(0)", "&H00FFFFFF&"}, {"Config/OptColor(1)", "&H00FFFFFF&"},
    {"Config/OptColor(2)", "&H00000000&"}, {"Config/OptColor(3)", "&H00FFFFFF&"},
    {"Config/OptColor(4)", "&H00000000&"},
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

QString fieldText(const AppSettings& s, const QString& key) {
    // clang-format off
    const QHash<QString, QString> fields{
        {"OptReturn", s.OptReturn.toString()}, {"OptSize", s.OptSize}, {"OptLATab", s.OptLATab},
        {"Label_Top(0)", s.Label_Top[0]}, {"OptFont(2)", s.OptFont[2]}, {"OptMsg(0)", s.OptMsg[0]},
    };
    // clang-format on
    return fields.value(key, QStringLiteral("<no such field>"));
}

} // namespace

class TestSettingsLoader : public QObject {
    Q_OBJECT

private slots:
    void firstRun();
    void endedWhileAskingForDate();
    void storedValues_data();
    void storedValues();
    void handEditedFile();
    void eventDate_data();
    void eventDate();
    void startValues_data();
    void startValues();
};

void TestSettingsLoader::firstRun() {
    TestStore store;
    ScriptedPlatform platform;
    AppSettings settings;
    int asked = 0;
    loadSettings(settings, SettingsStore::instance(), platform, [&] {
        ++asked;
        // The date is asked for before anything else is written.
        QVERIFY(store.keys().isEmpty());
        SettingsStore::instance().Save(Section::Config, QStringLiteral("TheDate"), QStringLiteral("2026/12/07"));
        settings.TheDate = QDate(2026, 12, 7);
    });

    QCOMPARE(asked, 1);
    QCOMPARE(storeContents(store), firstRunStore);
    QCOMPARE(settings.TheDate, QDate(2026, 12, 7));
    QCOMPARE(settings.OptReturn.typeId(), int(QMetaType::QString));
    QCOMPARE(returnDelaySeconds(settings), qint64(600));
    QCOMPARE(settings.WinWidth, qint16(9600));
    QCOMPARE(settings.Label_Left, (std::array<QString, 3>{"160", "160", ""}));
    QCOMPARE(settings.Label_Top, (std::array<QString, 3>{"680", "4740", "2130"}));
    QCOMPARE(settings.OptBFile, QString());
    QCOMPARE(settings.OptFont2[3], QStringLiteral("False"));

    // The next start finds everything and writes nothing.
    AppSettings again;
    loadSettings(again, SettingsStore::instance(), platform, [&] { ++asked; });
    QCOMPARE(asked, 1);
    QCOMPARE(storeContents(store), firstRunStore);
    QCOMPARE(again.TheDate, QDate(2026, 12, 7));
    QCOMPARE(again.OptMsg, settings.OptMsg);
    QVERIFY(platform.messages.isEmpty());
}

void TestSettingsLoader::endedWhileAskingForDate() {
    TestStore store;
    ScriptedPlatform platform;
    AppSettings settings;
    loadSettings(settings, SettingsStore::instance(), platform, [&] { platform.endProgram(); });

    QVERIFY(store.keys().isEmpty());
    QVERIFY(!settings.OptReturn.isValid());
    QVERIFY(settings.OptSize.isEmpty());
}

void TestSettingsLoader::storedValues_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("inMemory");
    QTest::addColumn<qint64>("delay");
    QTest::addColumn<int>("winWidth");

    // clang-format off
    QTest::newRow("delay kept") << "Config" << "OptReturn" << "1800" << "1800" << qint64(1800) << 9600;
    QTest::newRow("delay not a number") << "Config" << "OptReturn" << "abc" << "600" << qint64(600) << 9600;
    QTest::newRow("delay negative") << "Config" << "OptReturn" << "-5" << "600" << qint64(600) << 9600;
    QTest::newRow("size 0") << "Position" << "OptSize" << "0" << "0" << qint64(600) << 15360;
    QTest::newRow("size 4") << "Position" << "OptSize" << "4" << "4" << qint64(600) << 4700;
    QTest::newRow("size 9") << "Position" << "OptSize" << "9" << "2" << qint64(600) << 9600;
    QTest::newRow("size not a number") << "Position" << "OptSize" << "abc" << "2" << qint64(600) << 9600;
    QTest::newRow("tab kept") << "Config" << "OptLATab" << "2" << "2" << qint64(600) << 9600;
    QTest::newRow("tab 7") << "Config" << "OptLATab" << "7" << "0" << qint64(600) << 9600;
    QTest::newRow("label kept") << "Position" << "Label_Top(0)" << "1073.096" << "1073.096" << qint64(600) << 9600;
    QTest::newRow("label not a number") << "Position" << "Label_Top(0)" << "x" << "680" << qint64(600) << 9600;
    QTest::newRow("bold kept") << "Fonts" << "OptFont(2)" << "True" << "True" << qint64(600) << 9600;
    QTest::newRow("bold maybe") << "Fonts" << "OptFont(2)" << "maybe" << "False" << qint64(600) << 9600;
    QTest::newRow("message with comma") << "Config" << "OptMsg(0)" << "あと, 少し" << "あと, 少し" << qint64(600) << 9600;
    // clang-format on
}

void TestSettingsLoader::storedValues() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, inMemory);
    QFETCH(qint64, delay);
    QFETCH(int, winWidth);

    TestStore store;
    store.preset(QStringLiteral("Config"), QStringLiteral("TheDate"), QStringLiteral("2027/03/01"));
    store.preset(section, key, stored);
    ScriptedPlatform platform;
    AppSettings settings;
    loadSettings(settings, SettingsStore::instance(), platform, [] { QFAIL("a stored date was asked for"); });

    QCOMPARE(fieldText(settings, key), inMemory);
    QCOMPARE(returnDelaySeconds(settings), delay);
    QCOMPARE(int(settings.WinWidth), winWidth);
    QCOMPARE(settings.PresetWidths[4], qint16(4700));
    // The stored text stays as it was, whether the program could use it or not.
    QCOMPARE(store.value(section, key), stored);
}

void TestSettingsLoader::handEditedFile() {
    TestStore store;
    QDir().mkpath(QFileInfo(store.iniPath()).path());
    QFile file(store.iniPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    // Unquoted commas, as a user typing into the file writes them, with and without escaped brackets.
    file.write(QStringLiteral("[Config]\nTheDate=2027/03/01\nOptMsg(0)=あと, 少し\nOptMsg%281%29=1, 2, 3\n").toUtf8());
    file.close();
    SettingsStore::instance().reopen();
    ScriptedPlatform platform;
    AppSettings settings;
    loadSettings(settings, SettingsStore::instance(), platform, [] { QFAIL("a stored date was asked for"); });

    QCOMPARE(settings.OptMsg[0], QStringLiteral("あと, 少し"));
    QCOMPARE(settings.OptMsg[1], QStringLiteral("1, 2, 3"));
}

void TestSettingsLoader::eventDate_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QDate>("date"); // null: the date is asked for

    QTest::newRow("stored form") << "2027/03/01" << QDate(2027, 3, 1);
    QTest::newRow("ISO") << "2027-03-01" << QDate(2027, 3, 1);
    QTest::newRow("date that has passed") << "2001/01/01" << QDate(2001, 1, 1);
    QTest::newRow("no such day") << "2026/13/45" << QDate();
    QTest::newRow("words") << "next spring" << QDate();
}

void TestSettingsLoader::eventDate() {
    QFETCH(QString, stored);
    QFETCH(QDate, date);

    TestStore store;
    store.preset(QStringLiteral("Config"), QStringLiteral("TheDate"), stored);
    ScriptedPlatform platform;
    AppSettings settings;
    settings.TheDate = QDate(1999, 9, 9);
    int asked = 0;
    // The event-date window closed by its close box: no date is set and loading goes on.
    loadSettings(settings, SettingsStore::instance(), platform, [&] { ++asked; });

    QCOMPARE(asked, date.isValid() ? 0 : 1);
    QCOMPARE(settings.TheDate, date);
    QCOMPARE(store.value(QStringLiteral("Config"), QStringLiteral("TheDate")), stored);
    QCOMPARE(store.value(QStringLiteral("Config"), QStringLiteral("OptReturn")), QStringLiteral("600"));
}

void TestSettingsLoader::startValues_data() {
    QTest::addColumn<QSizeF>("screen");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QDateTime>("clock");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<float>("minimizedAt");
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QString>("timeText");

    // clang-format off
    QTest::newRow("1024x768, preset 2, midnight") << QSizeF(15360, 11520) << "2" << QDateTime(QDate(2026, 1, 2), QTime(0, 0))
        << "2880" << "2110" << 0.0F << "2026/01/02" << "午前 12:00";
    QTest::newRow("1024x768, preset 0, morning") << QSizeF(15360, 11520) << "0" << QDateTime(QDate(2026, 12, 6), QTime(10, 0))
        << "0" << "0" << 36000.0F << "2026/12/06" << "午前 10:00";
    QTest::newRow("1280x960, preset 4, fraction cut off") << QSizeF(19200, 14400) << "4"
        << QDateTime(QDate(2027, 3, 1), QTime(13, 5, 30, 999)) << "7250" << "5375" << 47130.0F << "2027/03/01" << "午後 01:05";
    QTest::newRow("odd sizes, preset 3, last second") << QSizeF(15361, 11521) << "3"
        << QDateTime(QDate(2027, 12, 31), QTime(23, 59, 59, 500)) << "4080.5" << "3025.5" << 86399.0F << "2027/12/31" << "午後 11:59";
    QTest::newRow("screen smaller than the window") << QSizeF(9000, 6750) << "0" << QDateTime(QDate(2026, 12, 6), QTime(12, 0))
        << "-3180" << "-2385" << 43200.0F << "2026/12/06" << "午後 12:00";
    // clang-format on
}

void TestSettingsLoader::startValues() {
    QFETCH(QSizeF, screen);
    QFETCH(QString, size);
    QFETCH(QDateTime, clock);
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(float, minimizedAt);
    QFETCH(QString, dateText);
    QFETCH(QString, timeText);

    TestStore store;
    store.preset(QStringLiteral("Config"), QStringLiteral("TheDate"), QStringLiteral("2027/03/01"));
    store.preset(QStringLiteral("Position"), QStringLiteral("OptSize"), size);
    ScriptedPlatform platform;
    platform.screenSize = screen;
    platform.clock = clock;
    AppSettings settings;
    loadSettings(settings, SettingsStore::instance(), platform, [] {});

    // The centred position is kept in memory only.
    QCOMPARE(settings.M_Left, left);
    QCOMPARE(settings.M_Top, top);
    QVERIFY(!store.keys().contains(QStringLiteral("Position/M_Left")));
    QVERIFY(!store.keys().contains(QStringLiteral("Position/M_Top")));
    QCOMPARE(settings.MinimizedAt, minimizedAt);
    QCOMPARE(settings.DateText, dateText);
    QCOMPARE(settings.TimeText, timeText);
}

QTEST_GUILESS_MAIN(TestSettingsLoader)
#include "tst_settingsloader.moc"
