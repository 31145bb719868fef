// What the about window's links do, apart from the window: which label belongs to which link,
// the colours under the pointer, the address split over two labels, and opening an address.

#include "dialogs/AboutLinks.h"

#include "app/ProductInfo.h"
#include "tests/support/ScriptedPlatform.h"

#include <QtTest>

namespace {
using Link = AboutLinks::Link;
const QColor normal(0xC0, 0xFF, 0xC0);
const QColor lit(0x00, 0xFF, 0x00);
} // namespace

Q_DECLARE_METATYPE(AboutLinks::Link)

class TestAboutLinks : public QObject {
    Q_OBJECT

private slots:
    void coloursUnderThePointer_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<Link>("link");
        QTest::addColumn<QString>("colours"); // labels 10 to 14: L lit, n normal, - unchanged
        for (int index = -1; index <= 20; ++index) {
            const bool mail = index == 10 || index == 11;
            const bool home = index >= 12 && index <= 14;
            QTest::addRow("label %d", index) << index
                                             << (mail   ? Link::Mail
                                                 : home ? Link::HomePage
                                                        : Link::None)
                                             << (mail   ? "LLnnn"
                                                 : home ? "nnLLL"
                                                        : "-----");
        }
    }
    void coloursUnderThePointer() {
        QFETCH(int, index);
        QFETCH(Link, link);
        QFETCH(QString, colours);
        QCOMPARE(int(AboutLinks::linkOf(index)), int(link));
        const auto shown = AboutLinks::coloursForPointerOver(index);
        QCOMPARE(shown.has_value(), colours != QLatin1String("-----"));
        for (int i = 0; shown && i < AboutLinks::linkLabelCount; ++i)
            QCOMPARE((*shown)[std::size_t(i)], colours[i] == u'L' ? lit : normal);
    }

    void backgroundColours() {
        for (const QColor& colour : AboutLinks::normalColours())
            QCOMPARE(colour, normal);
    }

    void homePageParts_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("path");
        QTest::newRow("ours") << ProductInfo::homePage.toString() << "https://peltra.example.org/"
                              << "peltra/";
        QTest::newRow("no path") << "https://a.example/"
                                 << "https://a.example/" << QString();
        QTest::newRow("no slash") << "https://a.example"
                                  << "https://a.example" << QString();
        QTest::newRow("deep path") << "http://x.example/a/b/c.html"
                                   << "http://x.example/"
                                   << "a/b/c.html";
        QTest::newRow("no scheme") << "www.example.org/p/"
                                   << "www.example.org/"
                                   << "p/";
    }
    void homePageParts() {
        QFETCH(QString, address);
        QFETCH(QString, host);
        QFETCH(QString, path);
        QCOMPARE(AboutLinks::homePageHost(address), host);
        QCOMPARE(AboutLinks::homePagePath(address), path);
    }

    void open_data() {
        QTest::addColumn<Link>("link");
        QTest::addColumn<bool>("handlerPresent");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("message");
        const QString mailto = QStringLiteral("mailto:") + ProductInfo::mailAddress.toString();
        const QString home = ProductInfo::homePage.toString();
        QTest::newRow("mail") << Link::Mail << true << mailto << QString();
        QTest::newRow("mail, no mail program")
            << Link::Mail << false << mailto << "「Outlook Express」 が ｲﾝｽﾄｰﾙ されていません。|48|OE ｲﾝｽﾄｰﾙ 確認";
        QTest::newRow("home page") << Link::HomePage << true << home << QString();
        QTest::newRow("home page, no browser")
            << Link::HomePage << false << home << "「Internet Explorer」 が ｲﾝｽﾄｰﾙ されていません。|48|IE ｲﾝｽﾄｰﾙ 確認";
        QTest::newRow("no link") << Link::None << false << QString() << QString();
    }
    void open() {
        QFETCH(Link, link);
        QFETCH(bool, handlerPresent);
        QFETCH(QString, opened);
        QFETCH(QString, message);
        ScriptedPlatform platform;
        platform.urlHandlerPresent = handlerPresent;
        AboutLinks::open(link, platform);
        QCOMPARE(platform.urlsOpened, opened.isEmpty() ? QStringList() : QStringList{opened});
        QStringList shown;
        for (const auto& m : platform.messages)
            shown << QStringList{m.prompt, QString::number(m.style), m.title}.join(u'|');
        QCOMPARE(shown, message.isEmpty() ? QStringList() : QStringList{message});
    }
};

QTEST_MAIN(TestAboutLinks)
#include "tst_aboutlinks.moc"
