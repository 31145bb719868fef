// The fonts: every Windows font name the program uses is shown by an installed font of the same
// metrics, and text is drawn anti-aliased from outlines even where fontconfig asks for bitmaps.
#include "app/FontSetup.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestFontSetup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // As at start-up: the Japanese locale, whose fallbacks for a missing Latin font are Japanese fonts.
        installJapaneseLocale();
        installFontSubstitutions();
    }
    void standIns_data();
    void standIns();
    void interfaceFontIsAntialiased();
};

void TestFontSetup::standIns_data() {
    // Each row is named after the Windows font name.
    QTest::addColumn<QString>("standIn");
    QTest::newRow("ＭＳ Ｐ明朝") << "IPAPMincho";
    QTest::newRow("ＭＳ ゴシック") << "IPAGothic";
    QTest::newRow("MS UI Gothic") << "IPAGothic";
    QTest::newRow("Arial") << "Liberation Sans";
}

void TestFontSetup::standIns() {
    QFETCH(QString, standIn);
    QCOMPARE(QFontInfo(QFont(QString::fromUtf8(QTest::currentDataTag()), 14)).family(), standIn);
}

void TestFontSetup::interfaceFontIsAntialiased() {
    // Black on white: glyphs from outlines leave grey edges, a bitmap leaves two colours only.
    QImage picture(120, 30, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("ﾌﾟﾙﾀ各種設定"));
    QSet<QRgb> colours;
    for (int i = 0; i < picture.width() * picture.height(); ++i)
        colours.insert(picture.pixel(i % picture.width(), i / picture.width()));
    QVERIFY2(colours.size() > 2, "drawn in black and white");
}

int main(int argc, char* argv[]) {
    // A fontconfig set-up like those that keep Japanese fonts sharp: no anti-aliasing, embedded
    // bitmaps wherever a font has them.
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("fonts.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>false</bool></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>true</bool></edit>
  </match>
</fontconfig>
)");
    file.close();
    qputenv("FONTCONFIG_FILE", config.toLocal8Bit());
    QApplication app(argc, argv);
    TestFontSetup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fontsetup.moc"
