#include "app/Conversions.h"

#include <QColor>
#include <QTest>

#include <cmath>

using namespace Conversions;

class TestConversions : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void numberText_data();
    void numberText();
    void colorFromText_data();
    void colorFromText();
    void roundHalfEven_data();
    void roundHalfEven();
};

void TestConversions::parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("lenient");
    QTest::addColumn<bool>("strictOk"); // the strict number equals the lenient one
    QTest::addColumn<int>("boolean");   // -1: not a switch value

    // clang-format off
    QTest::newRow("plain") << "160" << 160.0 << true << 1;
    QTest::newRow("blanks around") << " 42 " << 42.0 << true << 1;
    QTest::newRow("negative") << "-15" << -15.0 << true << 1;
    QTest::newRow("zero") << "0" << 0.0 << true << 0;
    QTest::newRow("fraction") << "1073.096" << 1073.096 << true << 1;
    QTest::newRow("exponent") << "1.5e3" << 1500.0 << true << 1;
    QTest::newRow("hex white") << "&H00FFFFFF&" << 16777215.0 << true << 1;
    QTest::newRow("hex black") << "&H00000000&" << 0.0 << true << 0;
    QTest::newRow("hex short") << "&HFF" << 255.0 << true << 1;
    QTest::newRow("hex 16-bit") << "&HFFFF" << -1.0 << true << 1;
    QTest::newRow("hex 32-bit by suffix") << "&HFFFF&" << 65535.0 << true << 1;
    QTest::newRow("hex lower case") << "&hff" << 255.0 << true << 1;
    QTest::newRow("octal") << "&O17" << 15.0 << true << 1;
    QTest::newRow("octal 16-bit") << "&O177777" << -1.0 << true << 1;
    QTest::newRow("octal 32-bit") << "&O200000" << 65536.0 << true << 1;
    QTest::newRow("blanks, then letters") << "  12abc" << 12.0 << false << -1;
    QTest::newRow("trailing letters") << "12abc" << 12.0 << false << -1;
    QTest::newRow("dangling exponent") << "7e" << 7.0 << false << -1;
    QTest::newRow("comma") << "1,5" << 1.0 << false << -1;
    QTest::newRow("sign only") << "-" << 0.0 << false << -1;
    QTest::newRow("empty") << "" << 0.0 << false << -1;
    QTest::newRow("no digits after &H") << "&H" << 0.0 << false << -1;
    QTest::newRow("True") << "True" << 0.0 << false << 1;
    QTest::newRow("false") << "false" << 0.0 << false << 0;
    QTest::newRow("TRUE") << "TRUE" << 0.0 << false << 1;
    QTest::newRow("maybe") << "maybe" << 0.0 << false << -1;
    QTest::newRow("Truex") << "Truex" << 0.0 << false << -1;
    // clang-format on
}

void TestConversions::parse() {
    QFETCH(QString, text);
    QFETCH(double, lenient);
    QFETCH(bool, strictOk);
    QFETCH(int, boolean);

    QCOMPARE(lenientNumber(text), lenient);
    const auto strict = strictNumber(text);
    QCOMPARE(strict.has_value(), strictOk);
    if (strictOk)
        QCOMPARE(*strict, lenient);
    const auto flag = strictBoolean(text);
    QCOMPARE(flag.has_value(), boolean >= 0);
    if (flag)
        QCOMPARE(*flag, boolean == 1);
}

void TestConversions::numberText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole") << 160.0 << "160";
    QTest::newRow("seven digits") << 1073.0959 << "1073.096";
    QTest::newRow("centred left") << 2880.0 << "2880";
    QTest::newRow("negative") << -15.0 << "-15";
    QTest::newRow("half") << 2.5 << "2.5";
}

void TestConversions::numberText() {
    QFETCH(double, value);
    QFETCH(QString, text);

    QCOMPARE(Conversions::numberText(value), text);
}

void TestConversions::colorFromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("color");

    QTest::newRow("white") << "&H00FFFFFF&" << QColor(255, 255, 255);
    QTest::newRow("black") << "&H00000000&" << QColor(0, 0, 0);
    QTest::newRow("red in the low byte") << "&H000000FF&" << QColor(255, 0, 0);
    QTest::newRow("green") << "&H0000FF00&" << QColor(0, 255, 0);
    QTest::newRow("blue in the high byte") << "&H00FF0000&" << QColor(0, 0, 255);
    QTest::newRow("decimal blue") << "16711680" << QColor(0, 0, 255);
    QTest::newRow("short hex yellow") << "&HFFFF&" << QColor(255, 255, 0);
    QTest::newRow("decimal mixed") << "8421631" << QColor(255, 128, 128);
    QTest::newRow("empty is black") << "" << QColor(0, 0, 0);
}

void TestConversions::colorFromText() {
    QFETCH(QString, text);
    QFETCH(QColor, color);

    const QColor result = Conversions::colorFromText(text);
    QCOMPARE(result, color);
    QCOMPARE(double(colorValue(result)), lenientNumber(text));
}

void TestConversions::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("rounded");

    QTest::newRow("10.5 down") << 10.5 << qint64(10);
    QTest::newRow("11.5 up") << 11.5 << qint64(12);
    QTest::newRow("630 s in minutes") << 630 / 60.0 << qint64(10);
    QTest::newRow("690 s in minutes") << 690 / 60.0 << qint64(12);
    QTest::newRow("above half") << 10.51 << qint64(11);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("-3.5") << -3.5 << qint64(-4);
    QTest::newRow("not a number") << std::nan("") << qint64(0);
}

void TestConversions::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(qint64, rounded);

    QCOMPARE(Conversions::roundHalfEven(value), rounded);
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
