#include "app/AppSettings.h"
#include "app/SettingsChoices.h"
#include "app/SettingsSaving.h"
#include "app/SizePresets.h"

#include <QTest>

namespace {

using Values = QList<StoredValue>;

StoredValue config(const char* key, const QString& value) {
    return {Section::Config, QLatin1String(key), value};
}

StoredValue position(const char* key, const QString& value) {
    return {Section::Position, QLatin1String(key), value};
}

StoredValue fonts(const char* key, const QString& value) {
    return {Section::Fonts, QLatin1String(key), value};
}

// Settings as the loader leaves them after a first run, with the count centred at the standard size.
AppSettings loadedSettings() {
    AppSettings s;
    s.OptSize = QStringLiteral("2");
    SelectWindowSize(s, s.OptSize);
    s.OptCent = QStringLiteral("0");
    s.OptDbl = s.OptDateTime = s.OptBM = s.OptMsgMove = s.OptLAct = QStringLiteral("1");
    s.OptHaik = QStringLiteral("0");
    s.OptLATab = QStringLiteral("0");
    s.OptReturn = QStringLiteral("600");
    s.Label_Left = {QStringLiteral("160"), QStringLiteral("160"), QStringLiteral("3000")};
    s.Label_Top = {QStringLiteral("680"), QStringLiteral("4740"), QStringLiteral("2130")};
    s.OptColor = {QStringLiteral("&H00FFFFFF&"), QStringLiteral("&H00FFFFFF&"), QStringLiteral("&H00000000&"),
                  QStringLiteral("&H00FFFFFF&"), QStringLiteral("&H00000000&")};
    s.OptMsg = {QStringLiteral("上"), QStringLiteral("下")};
    s.OptFont = {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("20"), QStringLiteral("False"), QStringLiteral("True")};
    s.OptFont2 = {QStringLiteral("IPAGothic"), QStringLiteral("36"), QStringLiteral("True"), QStringLiteral("False")};
    return s;
}

QString describe(const Values& values) {
    QStringList lines;
    for (const StoredValue& v : values)
        lines << v.section + u'/' + v.key + u'=' + v.value;
    return lines.join(u'\n');
}

} // namespace

class TestSettingsSaving : public QObject {
    Q_OBJECT

private slots:
    void rescalePosition_data();
    void rescalePosition();
    void rescaleLabelPositions();
    void rescaleKeepsPositions_data();
    void rescaleKeepsPositions();
    void environmentTab_data();
    void environmentTab();
    void initialTabSameSize();
    void initialTabNewSize();
    void initialTabInterval_data();
    void initialTabInterval();
    void messagesTab();
    void intervalMinutes_data();
    void intervalMinutes();
    void tabIndex_data();
    void tabIndex();
    void sizeChoice_data();
    void sizeChoice();
    void fontFlagsAndSize_data();
    void fontFlagsAndSize();
    void pickedFont_data();
    void pickedFont();
    void pickedColor_data();
    void pickedColor();
};

void TestSettingsSaving::rescalePosition_data() {
    QTest::addColumn<float>("position");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QString>("expected");
    QTest::newRow("left 160, standard to largest") << 160.0F << 2 << 0 << true << "256";
    QTest::newRow("top 680, standard to largest") << 680.0F << 2 << 0 << false << "1073.096";
    // Divided first, these would end in ...834 and ...343; in double precision 7480.11.
    QTest::newRow("left 160, largest to smallest") << 160.0F << 0 << 4 << true << "48.95833";
    QTest::newRow("top 680, standard to middle") << 680.0F << 2 << 3 << false << "509.5342";
    QTest::newRow("top 4740, standard to largest") << 4740.0F << 2 << 0 << false << "7480.109";
    QTest::newRow("top 4740, standard to smallest") << 4740.0F << 2 << 4 << false << "2370";
    QTest::newRow("negative left") << -300.0F << 2 << 0 << true << "-480";
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

void TestSettingsSaving::rescaleLabelPositions() {
    AppSettings s = loadedSettings();
    const Values written = ::rescaleLabelPositions(s, 2, 0);
    const Values expected{
        position("Label_Left(0)", "256"),  position("Label_Top(0)", "1073.096"),
        position("Label_Left(1)", "256"),  position("Label_Top(1)", "7480.109"),
        position("Label_Left(2)", "4800"), position("Label_Top(2)", "3361.315"),
    };
    QVERIFY2(written == expected, qPrintable(describe(written)));
    QCOMPARE(s.Label_Left[0], QStringLiteral("256"));
    QCOMPARE(s.Label_Top[1], QStringLiteral("7480.109"));
    QCOMPARE(s.Label_Top[2], QStringLiteral("3361.315"));
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
    const Values written = ::rescaleLabelPositions(s, from, to);
    QCOMPARE(s.Label_Left[0], upperLeft);
    const bool rescaled = from != to && from >= 0 && to < presetCount;
    // A position that is no number stays as it is and is not written; the others are.
    QCOMPARE(written.size(), rescaled ? 5 : 0);
    for (const StoredValue& value : written)
        QVERIFY(value.key != QLatin1String("Label_Left(0)"));
}

void TestSettingsSaving::environmentTab_data() {
    QTest::addColumn<QList<bool>>("ticked");
    QTest::addColumn<int>("shownTab");
    QTest::addColumn<QStringList>("values"); // OptCent, OptDbl, OptDateTime, OptBM, OptHaik, OptMsgMove, OptLAct
    QTest::addColumn<QString>("tab");        // empty: OptLATab is not written
    QTest::newRow("all ticked, page 2") << QList<bool>{1, 1, 1, 1, 1, 1, 1} << 2
                                        << QStringList{"1", "1", "1", "1", "1", "1", "1"} << "2";
    QTest::newRow("none ticked") << QList<bool>{0, 0, 0, 0, 0, 0, 0} << 1
                                 << QStringList{"0", "0", "0", "2", "0", "0", "0"} << "";
    QTest::newRow("sound off only") << QList<bool>{1, 1, 1, 0, 1, 1, 1} << 0
                                    << QStringList{"1", "1", "1", "2", "1", "1", "1"} << "0";
    QTest::newRow("tab memory off") << QList<bool>{0, 1, 0, 1, 0, 1, 0} << 2
                                    << QStringList{"0", "1", "0", "1", "0", "1", "0"} << "";
}

void TestSettingsSaving::environmentTab() {
    QFETCH(QList<bool>, ticked);
    QFETCH(int, shownTab);
    QFETCH(QStringList, values);
    QFETCH(QString, tab);
    AppSettings s = loadedSettings();
    s.OptLATab = QStringLiteral("1");
    EnvironmentChoices choices;
    std::copy(ticked.begin(), ticked.end(), choices.ticked.begin());
    choices.shownTab = shownTab;
    const Values written = SaveEnvironmentTab(s, choices);

    Values expected{
        position("OptCent", values[0]), config("OptDbl", values[1]),  config("OptDateTime", values[2]),
        config("OptBM", values[3]),     config("OptHaik", values[4]), config("OptMsgMove", values[5]),
        config("OptLAct", values[6]),
    };
    if (!tab.isEmpty())
        expected.append(config("OptLATab", tab));
    QVERIFY2(written == expected, qPrintable(describe(written)));
    const QStringList fields{s.OptCent, s.OptDbl, s.OptDateTime, s.OptBM, s.OptHaik, s.OptMsgMove, s.OptLAct};
    QCOMPARE(fields, values);
    QCOMPARE(s.OptLATab, tab.isEmpty() ? QStringLiteral("1") : tab);
}

void TestSettingsSaving::initialTabSameSize() {
    AppSettings s = loadedSettings();
    s.OptColor[3] = QStringLiteral("255"); // picked earlier
    const QDateTime now(QDate(2026, 12, 6), QTime(13, 5, 30, 900));
    const Values written = SaveInitialTab(s, {15, 2}, now);
    const Values expected{
        config("OptReturn", "900"),           position("OptSize", "2"),
        config("OptColor(0)", "&H00FFFFFF&"), config("OptColor(1)", "&H00FFFFFF&"),
        config("OptColor(2)", "&H00000000&"), config("OptColor(3)", "255"),
        config("OptColor(4)", "&H00000000&"),
    };
    QVERIFY2(written == expected, qPrintable(describe(written)));
    QCOMPARE(s.OptReturn.typeId(), QMetaType::Double);
    QCOMPARE(s.OptReturn.toDouble(), 900.0);
    QCOMPARE(s.MinimizedAt, 13.0F * 3600 + 5 * 60 + 30);
    QCOMPARE(s.Label_Left[0], QStringLiteral("160"));
    QCOMPARE(s.Label_Top[0], QStringLiteral("680"));
}

void TestSettingsSaving::initialTabNewSize() {
    AppSettings s = loadedSettings();
    const Values written = SaveInitialTab(s, {10, 0}, QDateTime(QDate(2026, 12, 6), QTime(8, 0)));
    const Values expected{
        config("OptReturn", "600"),
        // The positions of the new size go to the store with it.
        position("Label_Left(0)", "256"),
        position("Label_Top(0)", "1073.096"),
        position("Label_Left(1)", "256"),
        position("Label_Top(1)", "7480.109"),
        position("Label_Left(2)", "4800"),
        position("Label_Top(2)", "3361.315"),
        position("OptSize", "0"),
        config("OptColor(0)", "&H00FFFFFF&"),
        config("OptColor(1)", "&H00FFFFFF&"),
        config("OptColor(2)", "&H00000000&"),
        config("OptColor(3)", "&H00FFFFFF&"),
        config("OptColor(4)", "&H00000000&"),
    };
    QVERIFY2(written == expected, qPrintable(describe(written)));
    QCOMPARE(s.OptSize, QStringLiteral("0"));

    // Saved again without a new choice, nothing moves.
    const Values again = SaveInitialTab(s, {10, 0}, QDateTime(QDate(2026, 12, 6), QTime(8, 0)));
    QCOMPARE(again.size(), 7);
    QCOMPARE(s.Label_Left[0], QStringLiteral("256"));
}

void TestSettingsSaving::initialTabInterval_data() {
    QTest::addColumn<double>("minutes");
    QTest::addColumn<QString>("stored");
    QTest::newRow("5 minutes") << 5.0 << "300";
    QTest::newRow("10 minutes") << 10.0 << "600";
    QTest::newRow("360 minutes") << 360.0 << "21600";
}

void TestSettingsSaving::initialTabInterval() {
    QFETCH(double, minutes);
    QFETCH(QString, stored);
    AppSettings s = loadedSettings();
    const Values written = SaveInitialTab(s, {minutes, 2}, QDateTime(QDate(2026, 12, 6), QTime(8, 0)));
    QCOMPARE(written.first(), config("OptReturn", stored));
    QCOMPARE(s.OptReturn.toDouble(), stored.toDouble());
    QCOMPARE(returnDelaySeconds(s), qint64(stored.toInt()));
}

void TestSettingsSaving::messagesTab() {
    AppSettings s = loadedSettings();
    const Values written = SaveMessagesTab(s, {QStringLiteral("新しい上段"), QString()});
    const Values expected{
        config("OptMsg(0)", "新しい上段"), config("OptMsg(1)", ""),      fonts("OptFont(0)", "ＭＳ Ｐ明朝"),
        fonts("OptFont2(0)", "IPAGothic"), fonts("OptFont(1)", "20"),    fonts("OptFont2(1)", "36"),
        fonts("OptFont(2)", "False"),      fonts("OptFont2(2)", "True"), fonts("OptFont(3)", "True"),
        fonts("OptFont2(3)", "False"),
    };
    QVERIFY2(written == expected, qPrintable(describe(written)));
    QCOMPARE(s.OptMsg[0], QStringLiteral("新しい上段"));
    QCOMPARE(s.OptMsg[1], QString());
}

void TestSettingsSaving::intervalMinutes_data() {
    QTest::addColumn<QVariant>("optReturn");
    QTest::addColumn<int>("minutes");
    QTest::newRow("600 as loaded") << QVariant(QStringLiteral("600")) << 10;
    QTest::newRow("1800 as loaded") << QVariant(QStringLiteral("1800")) << 30;
    QTest::newRow("a number once saved") << QVariant(300.0) << 5;
    QTest::newRow("half rounds down to even") << QVariant(QStringLiteral("630")) << 10;
    QTest::newRow("half rounds up to even") << QVariant(QStringLiteral("690")) << 12;
    QTest::newRow("21600") << QVariant(QStringLiteral("21600")) << 360;
    QTest::newRow("5 seconds: the shortest") << QVariant(QStringLiteral("5")) << 5;
    QTest::newRow("0") << QVariant(QStringLiteral("0")) << 5;
    QTest::newRow("a day: the longest") << QVariant(QStringLiteral("86400")) << 360;
    QTest::newRow("huge") << QVariant(QStringLiteral("1e300")) << 360;
    QTest::newRow("not a number: the default") << QVariant(QStringLiteral("abc")) << 10;
    QTest::newRow("empty: the default") << QVariant(QString()) << 10;
    QTest::newRow("nothing: the default") << QVariant() << 10;
}

void TestSettingsSaving::intervalMinutes() {
    QFETCH(QVariant, optReturn);
    QFETCH(int, minutes);
    QCOMPARE(SettingsChoices::intervalMinutes(optReturn), minutes);
}

void TestSettingsSaving::tabIndex_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tab");
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("2") << "2" << 2;
    QTest::newRow("7") << "7" << 0;
    QTest::newRow("-1") << "-1" << 0;
    QTest::newRow("1.5") << "1.5" << 0;
    QTest::newRow("abc") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestSettingsSaving::tabIndex() {
    QFETCH(QString, text);
    QFETCH(int, tab);
    QCOMPARE(SettingsChoices::tabIndex(text), tab);
}

void TestSettingsSaving::sizeChoice_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("preset");
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("4") << "4" << 4;
    QTest::newRow("9: the standard size") << "9" << 2;
    QTest::newRow("abc: the standard size") << "abc" << 2;
    QTest::newRow("empty: the standard size") << "" << 2;
}

void TestSettingsSaving::sizeChoice() {
    QFETCH(QString, text);
    QFETCH(int, preset);
    QCOMPARE(SettingsChoices::sizeChoice(text), preset);
}

void TestSettingsSaving::fontFlagsAndSize_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<double>("pointSize");
    QTest::newRow("True") << "True" << true << 20.0;
    QTest::newRow("False") << "False" << false << 20.0;
    QTest::newRow("true in any case") << "TRUE" << true << 20.0;
    QTest::newRow("a size") << "11.25" << true << 11.25;
    QTest::newRow("0") << "0" << false << 20.0;
    QTest::newRow("no flag, no size") << "abc" << false << 20.0;
}

void TestSettingsSaving::fontFlagsAndSize() {
    QFETCH(QString, text);
    QFETCH(bool, flag);
    QFETCH(double, pointSize);
    QCOMPARE(SettingsChoices::fontFlag(text), flag);
    QCOMPARE(SettingsChoices::fontPointSize(text), pointSize);
}

void TestSettingsSaving::pickedFont_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("same family: the stored name stays")
        << "IPAPMincho" << 20.0 << true << false << QStringList{"ＭＳ Ｐ明朝", "20", "True", "False"};
    QTest::newRow("another family") << "IPAGothic" << 10.5 << false << true
                                    << QStringList{"IPAGothic", "10.5", "False", "True"};
    QTest::newRow("single precision size")
        << "IPAGothic" << 11.3 << false << false << QStringList{"IPAGothic", "11.3", "False", "False"};
}

void TestSettingsSaving::pickedFont() {
    QFETCH(QString, family);
    QFETCH(double, pointSize);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QStringList, texts);
    const std::array<QString, 4> current{QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("20"), QStringLiteral("False"),
                                         QStringLiteral("False")};
    const auto picked =
        SettingsChoices::pickedFontTexts(current, QStringLiteral("IPAPMincho"), family, pointSize, bold, italic);
    QCOMPARE(QStringList(picked.begin(), picked.end()), texts);
}

void TestSettingsSaving::pickedColor_data() {
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("red") << QColor(255, 0, 0) << "255";
    QTest::newRow("green") << QColor(0, 255, 0) << "65280";
    QTest::newRow("blue") << QColor(0, 0, 255) << "16711680";
    QTest::newRow("white") << QColor(255, 255, 255) << "16777215";
    QTest::newRow("black") << QColor(0, 0, 0) << "0";
    QTest::newRow("light yellow") << QColor(0xFF, 0xFF, 0x80) << "8454143";
}

void TestSettingsSaving::pickedColor() {
    QFETCH(QColor, color);
    QFETCH(QString, text);
    QCOMPARE(SettingsChoices::pickedColorText(color), text);
}

QTEST_GUILESS_MAIN(TestSettingsSaving)
#include "tst_settingssaving.moc"
