#include "app/AppSettings.h"
#include "app/SizePresets.h"

#include <QTest>

namespace {
const std::array<qint16, 5> heights{11520, 9000, 7300, 5470, 3650};
const std::array<qint16, 5> widths{15360, 12000, 9600, 7200, 4700};
} // namespace

class TestSizePresets : public QObject {
    Q_OBJECT

private slots:
    void selectWindowSize_data();
    void selectWindowSize();
    void sizePreset_data();
    void sizePreset();
};

void TestSizePresets::selectWindowSize_data() {
    QTest::addColumn<QString>("presetText");
    QTest::addColumn<int>("index"); // -1: no preset

    QTest::newRow("0") << "0" << 0;
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("2") << "2" << 2;
    QTest::newRow("3") << "3" << 3;
    QTest::newRow("4") << "4" << 4;
    QTest::newRow("2.0") << "2.0" << 2;
    QTest::newRow("blanks around") << " 3 " << 3;
    QTest::newRow("5") << "5" << -1;
    QTest::newRow("7") << "7" << -1;
    QTest::newRow("-1") << "-1" << -1;
    QTest::newRow("1.5") << "1.5" << -1;
    QTest::newRow("abc") << "abc" << -1;
    QTest::newRow("leading digit") << "2x" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestSizePresets::selectWindowSize() {
    QFETCH(QString, presetText);
    QFETCH(int, index);

    QCOMPARE(presetIndex(presetText), index < 0 ? std::nullopt : std::optional<int>(index));

    // A size left from an earlier preset stays when the text names none.
    AppSettings settings;
    settings.WinHeight = 1234;
    settings.WinWidth = 4321;
    SelectWindowSize(settings, presetText);
    QCOMPARE(settings.WinHeight, index < 0 ? qint16(1234) : heights[std::size_t(index)]);
    QCOMPARE(settings.WinWidth, index < 0 ? qint16(4321) : widths[std::size_t(index)]);
    QCOMPARE(settings.PresetHeights, heights);
    QCOMPARE(settings.PresetWidths, widths);
}

void TestSizePresets::sizePreset_data() {
    QTest::addColumn<int>("index");
    // Messages left, width, height, points; upper and lower top; count points, top, height; panel 1 width.
    QTest::addColumn<QList<int>>("geometry");
    QTest::addColumn<int>("panels2And3"); // what panel 1 leaves of the window width

    // clang-format off
    QTest::newRow("0") << 0 << QList<int>{210, 14835, 1305, 34, 925, 8150, 200, 3240, 4005, 13000} << 2360;
    QTest::newRow("1") << 1 << QList<int>{230, 11500, 1005, 25, 765, 6120, 140, 2610, 2805,  9670} << 2330;
    QTest::newRow("2") << 2 << QList<int>{160,  9195,  825, 20, 680, 4740, 100, 2130, 2000,  7260} << 2340;
    QTest::newRow("3") << 3 << QList<int>{210,  6675,  795, 15, 450, 3375,  72, 1470, 1455,  4860} << 2340;
    QTest::newRow("4") << 4 << QList<int>{225,  4225,  375,  9, 270, 1995,  46,  840,  915,  2360} << 2340;
    // clang-format on
}

void TestSizePresets::sizePreset() {
    QFETCH(int, index);
    QFETCH(QList<int>, geometry);
    QFETCH(int, panels2And3);

    const SizePreset& p = ::sizePreset(index);
    const QList<int> actual{p.messagesLeft, p.messagesWidth,  p.messagesHeight, p.messagesPointSize, p.upperTop,
                            p.lowerTop,     p.countPointSize, p.countTop,       p.countHeight,       p.panel1Width};
    QCOMPARE(actual, geometry);
    QCOMPARE(p.height, int(heights[std::size_t(index)]));
    QCOMPARE(p.width, int(widths[std::size_t(index)]));
    QCOMPARE(p.width - p.panel1Width, panels2And3);
}

QTEST_GUILESS_MAIN(TestSizePresets)
#include "tst_sizepresets.moc"
