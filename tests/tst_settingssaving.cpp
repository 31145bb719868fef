// The settings window's save routines and its reading of the stored return interval, as plain functions.
#include "app/AppSettings.h"
#include "app/SettingsChoices.h"
#include "app/SettingsSaving.h"
#include "app/SizePresets.h"

#include <QTest>

namespace {

// Settings as the loader leaves them after a first run, at the standard size.
AppSettings loadedSettings() {
    AppSettings s;
    s.OptSize = QStringLiteral("2");
    SelectWindowSize(s, s.OptSize);
    s.OptLATab = QStringLiteral("1");
    s.Label_Left = {QStringLiteral("160"), QStringLiteral("160"), QStringLiteral("3000")};
    s.Label_Top = {QStringLiteral("680"), QStringLiteral("4740"), QStringLiteral("2130")};
    s.OptColor = {QStringLiteral("&H00FFFFFF&"), QStringLiteral("&H00FFFFFF&"), QStringLiteral("&H00000000&"),
                  QStringLiteral("255"), QStringLiteral("&H00000000&")};
    s.OptFont = {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("20"), QStringLiteral("False"), QStringLiteral("True")};
    s.OptFont2 = {QStringLiteral("IPAGothic"), QStringLiteral("36"), QStringLiteral("True"), QStringLiteral("False")};
    return s;
}

// The values as "Section/Key=value", in the order they are written.
QStringList lines(const QList<StoredValue>& values) {
    QStringList result;
    for (const StoredValue& v : values)
        result << v.section + u'/' + v.key + u'=' + v.value;
    return result;
}

} // namespace

class TestSettingsSaving : public QObject {
    Q_OBJECT

private slots:
    void rescalePosition_data();
    void rescalePosition();
    void rescaleKeepsPositions_data();
    void rescaleKeepsPositions();
    void environmentTab_data();
    void environmentTab();
    void initialTab_data();
    void initialTab();
    void messagesTab();
    void intervalMinutes_data();
    void intervalMinutes();
};

void TestSettingsSaving::rescalePosition_data() {
    QTest::addColumn<float>("position");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QString>("expected");
    QTest::newRow("left 160, standard to largest") << 160.0F << 2 << 0 << true << "256";
    QTest::newRow("top 680, standard to largest") << 680.0F << 2 << 0 << false << "1073.096";
    // Divided first, these would end in ...834 and ...343.
    QTest::newRow("left 160, largest to smallest") << 160.0F << 0 << 4 << true << "48.95833";
    QTest::newRow("top 680, standard to middle") << 680.0F << 2 << 3 << false << "509.5342";
}

void TestSettingsSaving::rescalePosition() {
    QFETCH(float, position);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, horizontal);
    QFETCH(QString, expected);
    const SizePreset& oldPreset = sizePreset(from);
    const SizePreset& newPreset = sizePreset(to);
    const float scaled = horizontal ? ::rescalePosition(position, qint16(newPreset.width), qint16(oldPreset.width))
                                    : ::rescalePosition(position, qint16(newPreset.height), qint16(oldPreset.height));
    QCOMPARE(QString::number(double(scaled), 'g', 7), expected);
}

void TestSettingsSaving::rescaleKeepsPositions_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("upperLeft");
    QTest::newRow("same preset") << 2 << 2 << "160";
    QTest::newRow("unknown preset in force") << -1 << 0 << "160";
    QTest::newRow("unknown preset chosen") << 2 << 5 << "160";
    QTest::newRow("not a number") << 2 << 0 << "abc";
}

void TestSettingsSaving::rescaleKeepsPositions() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, upperLeft);
    AppSettings s = loadedSettings();
    s.Label_Left[0] = upperLeft;
    const QStringList written = lines(::rescaleLabelPositions(s, from, to));
    QCOMPARE(s.Label_Left[0], upperLeft);
    // A position that is no number stays as it is and is not written; the others are.
    const bool rescaled = from != to && from >= 0 && to < presetCount;
    QCOMPARE(written.size(), rescaled ? 5 : 0);
    QVERIFY(!written.join(u'\n').contains(QLatin1String("Label_Left(0)")));
}

void TestSettingsSaving::environmentTab_data() {
    QTest::addColumn<QList<bool>>("ticked");
    QTest::addColumn<QStringList>("values"); // OptCent, OptDbl, OptDateTime, OptBM, OptHaik, OptMsgMove, OptLAct
    QTest::addColumn<QString>("tab");        // empty: OptLATab is not written
    QTest::newRow("all ticked") << QList<bool>{1, 1, 1, 1, 1, 1, 1} << QStringList{"1", "1", "1", "1", "1", "1", "1"}
                                << "2";
    QTest::newRow("none ticked") << QList<bool>{0, 0, 0, 0, 0, 0, 0} << QStringList{"0", "0", "0", "2", "0", "0", "0"}
                                 << "";
    QTest::newRow("every other") << QList<bool>{1, 0, 1, 0, 1, 0, 1} << QStringList{"1", "0", "1", "2", "1", "0", "1"}
                                 << "2";
}

void TestSettingsSaving::environmentTab() {
    QFETCH(QList<bool>, ticked);
    QFETCH(QStringList, values);
    QFETCH(QString, tab);
    AppSettings s = loadedSettings();
    EnvironmentChoices choices;
    std::copy(ticked.begin(), ticked.end(), choices.ticked.begin());
    choices.shownTab = 2;
    const QStringList keys{"Position/OptCent", "Config/OptDbl",     "Config/OptDateTime", "Config/OptBM",
                           "Config/OptHaik",   "Config/OptMsgMove", "Config/OptLAct"};
    QStringList expected;
    for (int i = 0; i < keys.size(); ++i)
        expected << keys[i] + u'=' + values[i];
    if (!tab.isEmpty())
        expected << QStringLiteral("Config/OptLATab=") + tab;
    QCOMPARE(lines(SaveEnvironmentTab(s, choices)), expected);
    QCOMPARE((QStringList{s.OptCent, s.OptDbl, s.OptDateTime, s.OptBM, s.OptHaik, s.OptMsgMove, s.OptLAct}), values);
    QCOMPARE(s.OptLATab, tab.isEmpty() ? QStringLiteral("1") : tab);
}

void TestSettingsSaving::initialTab_data() {
    QTest::addColumn<double>("minutes");
    QTest::addColumn<int>("size");
    QTest::addColumn<QStringList>("written");
    const QStringList colours{"Config/OptColor(0)=&H00FFFFFF&", "Config/OptColor(1)=&H00FFFFFF&",
                              "Config/OptColor(2)=&H00000000&", "Config/OptColor(3)=255",
                              "Config/OptColor(4)=&H00000000&"};
    QTest::newRow("same size: positions stay")
        << 15.0 << 2 << QStringList{"Config/OptReturn=900", "Position/OptSize=2"} + colours;
    // The positions of the new size go to the store with it.
    QTest::newRow("new size") << 360.0 << 0
                              << QStringList{"Config/OptReturn=21600",         "Position/Label_Left(0)=256",
                                             "Position/Label_Top(0)=1073.096", "Position/Label_Left(1)=256",
                                             "Position/Label_Top(1)=7480.109", "Position/Label_Left(2)=4800",
                                             "Position/Label_Top(2)=3361.315", "Position/OptSize=0"} +
                                     colours;
}

void TestSettingsSaving::initialTab() {
    QFETCH(double, minutes);
    QFETCH(int, size);
    QFETCH(QStringList, written);
    AppSettings s = loadedSettings();
    const QDateTime now(QDate(2026, 12, 6), QTime(13, 5, 30, 900));
    QCOMPARE(lines(SaveInitialTab(s, {minutes, size}, now)), written);
    QCOMPARE(s.OptReturn.toDouble(), minutes * 60);
    QCOMPARE(returnDelaySeconds(s), qint64(minutes * 60));
    QCOMPARE(s.OptSize, QString::number(size));
    QCOMPARE(s.MinimizedAt, 13.0F * 3600 + 5 * 60 + 30); // the return countdown starts again
    QCOMPARE(s.Label_Top[0], QString(size == 2 ? "680" : "1073.096"));
}

void TestSettingsSaving::messagesTab() {
    AppSettings s = loadedSettings();
    const QStringList expected{
        "Config/OptMsg(0)=新しい上段", "Config/OptMsg(1)=",      "Fonts/OptFont(0)=ＭＳ Ｐ明朝",
        "Fonts/OptFont2(0)=IPAGothic", "Fonts/OptFont(1)=20",    "Fonts/OptFont2(1)=36",
        "Fonts/OptFont(2)=False",      "Fonts/OptFont2(2)=True", "Fonts/OptFont(3)=True",
        "Fonts/OptFont2(3)=False",
    };
    QCOMPARE(lines(SaveMessagesTab(s, {QStringLiteral("新しい上段"), QString()})), expected);
    QCOMPARE(s.OptMsg[0], QStringLiteral("新しい上段"));
    QCOMPARE(s.OptMsg[1], QString());
}

void TestSettingsSaving::intervalMinutes_data() {
    QTest::addColumn<QVariant>("optReturn");
    QTest::addColumn<int>("minutes");
    QTest::newRow("630: half rounds down to even") << QVariant(QStringLiteral("630")) << 10;
    QTest::newRow("690: half rounds up to even") << QVariant(QStringLiteral("690")) << 12;
    QTest::newRow("a number once saved") << QVariant(1800.0) << 30;
    QTest::newRow("5 seconds: the shortest") << QVariant(QStringLiteral("5")) << 5;
    QTest::newRow("huge: the longest") << QVariant(QStringLiteral("1e300")) << 360;
    QTest::newRow("not a number: the default") << QVariant(QStringLiteral("abc")) << 10;
    QTest::newRow("nothing: the default") << QVariant() << 10;
}

void TestSettingsSaving::intervalMinutes() {
    QFETCH(QVariant, optReturn);
    QFETCH(int, minutes);
    QCOMPARE(SettingsChoices::intervalMinutes(optReturn), minutes);
}

QTEST_GUILESS_MAIN(TestSettingsSaving)
#include "tst_settingssaving.moc"
