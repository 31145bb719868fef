#include "app/Conversions.h"

#include <QColor>
#include <QTest>

#include <cmath>

using namespace Conversions;

class TestConversions : public QObject {
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void strictBoolean_data();
    void strictBoolean();
    void numberText_data();
    void numberText();
    void colorFromText_data();
    void colorFromText();
    void roundHalfEven_data();
    void roundHalfEven();
};

void TestConversions::numbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("lenient");
    QTest::addColumn<bool>("strictOk");

    QTest::newRow("plain") << "160" << 160.0 << true;
    QTest::newRow("blanks around") << " 42 " << 42.0 << true;
    QTest::newRow("negative") << "-15" << -15.0 << true;
    QTest::newRow("fraction") << "1073.096" << 1073.096 << true;
    QTest::newRow("exponent") << "1.5e3" << 1500.0 << true;
    QTest::newRow("hex white") << "&H00FFFFFF&" << 16777215.0 << true;
    QTest::newRow("hex black") << "&H00000000&" << 0.0 << true;
    QTest::newRow("hex short") << "&HFF" << 255.0 << true;
    QTest::newRow("hex 16-bit") << "&HFFFF" << -1.0 << true;
    QTest::newRow("hex lower case") << "&hff" << 255.0 << true;
    QTest::newRow("octal") << "&O17" << 15.0 << true;
    QTest::newRow("leading number") << "  12abc" << 12.0 << false;
    QTest::newRow("trailing letters") << "12abc" << 12.0 << false;
    QTest::newRow("dangling exponent") << "7e" << 7.0 << false;
    QTest::newRow("sign only") << "-" << 0.0 << false;
    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("blanks only") << "   " << 0.0 << false;
    QTest::newRow("no digits after &H") << "&H" << 0.0 << false;
    QTest::newRow("True") << "True" << 0.0 << false;
    QTest::newRow("words") << "abc" << 0.0 << false;
    QTest::newRow("comma") << "1,5" << 1.0 << false;
}

void TestConversions::numbers() {
    QFETCH(QString, text);
    QFETCH(double, lenient);
    QFETCH(bool, strictOk);

    QCOMPARE(lenientNumber(text), lenient);
    const auto strict = strictNumber(text);
    QCOMPARE(strict.has_value(), strictOk);
    if (strictOk)
        QCOMPARE(*strict, lenient);
}

void TestConversions::strictBoolean_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("value");

    QTest::newRow("True") << "True" << true << true;
    QTest::newRow("False") << "False" << true << false;
    QTest::newRow("false lower case") << "false" << true << false;
    QTest::newRow("TRUE upper case") << "TRUE" << true << true;
    QTest::newRow("number -1") << "-1" << true << true;
    QTest::newRow("number 0") << "0" << true << false;
    QTest::newRow("maybe") << "maybe" << false << false;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("Truex") << "Truex" << false << false;
}

void TestConversions::strictBoolean() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(bool, value);

    const auto result = Conversions::strictBoolean(text);
    QCOMPARE(result.has_value(), ok);
    if (ok)
        QCOMPARE(*result, value);
}

void TestConversions::numberText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole") << 160.0 << "160";
    QTest::newRow("seven digits") << 1073.0959 << "1073.096";
    QTest::newRow("centred left") << 2880.0 << "2880";
    QTest::newRow("negative") << -15.0 << "-15";
    QTest::newRow("half") << 2.5 << "2.5";
    QTest::newRow("large whole") << 1234567.0 << "1234567";
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
    QTest::newRow("below half") << 10.49 << qint64(10);
    QTest::newRow("above half") << 10.51 << qint64(11);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("-3.5") << -3.5 << qint64(-4);
    QTest::newRow("0.5") << 0.5 << qint64(0);
    QTest::newRow("not a number") << std::nan("") << qint64(0);
}

void TestConversions::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(qint64, rounded);

    QCOMPARE(Conversions::roundHalfEven(value), rounded);
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
