// The fonts: Windows names shown by installed fonts of the same metrics, drawn anti-aliased from outlines.
#include "app/system/FontSetup.h"

#include <QtTest>
#include <QtWidgets>

static const QTemporaryDir configFolder; // before the application: a set-up that keeps Japanese fonts sharp
static const bool bitmapsWanted = [] {
    QFile config(configFolder.filePath(QStringLiteral("fonts.conf")));
    return config.open(QIODevice::WriteOnly) &&
           config.write(R"(<fontconfig><include ignore_missing="yes">/etc/fonts/fonts.conf</include>
<match target="font"><edit name="antialias" mode="assign"><bool>false</bool></edit>
<edit name="embeddedbitmap" mode="assign"><bool>true</bool></edit></match></fontconfig>)") > 0 &&
           qputenv("FONTCONFIG_FILE", QFile::encodeName(config.fileName()));
}();

class TestFontSetup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { // as at start-up, in the Japanese locale, whose fallbacks for a Latin font are Japanese
        QVERIFY(bitmapsWanted);
        installJapaneseLocale();
        installFontSubstitutions();
    }

    void standIns_data() { // each row named after the Windows font name
        QTest::addColumn<QString>("standIn");
        QTest::newRow("ＭＳ Ｐ明朝") << "IPAPMincho";
        QTest::newRow("MS UI Gothic") << "IPAGothic";
        QTest::newRow("Times New Roman") << "Liberation Serif";
        QTest::newRow("Arial") << "Liberation Sans";
    }
    void standIns() {
        QFETCH(QString, standIn);
        QCOMPARE(QFontInfo(QFont(QString::fromUtf8(QTest::currentDataTag()), 14)).family(), standIn);
    }

    void interfaceFontIsAntialiased() { // black on white: outlines leave grey edges, a bitmap two colours
        QImage picture(120, 30, QImage::Format_Grayscale8);
        picture.fill(Qt::white);
        QPainter(&picture).drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("ﾌﾟﾙﾀ各種設定"));
        QVERIFY(std::any_of(picture.constBits(), picture.constBits() + picture.sizeInBytes(),
                            [](uchar g) { return g % 255; }));
    }
};

QTEST_MAIN(TestFontSetup)
#include "tst_fontsetup.moc"
