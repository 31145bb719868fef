// The about window: a link lights up as a whole under the pointer and opens through the platform, or warns.
#include "dialogs/INFO_VER.h"

#include "app/core/ProductInfo.h"
#include "app/system/FontSetup.h"
#include "tests/support/ScriptedPlatform.h"

#include <QtTest>
#include <QtWidgets>

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void pointer_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("handlerPresent");
        QTest::addColumn<QString>("lit"); // labels 10 to 14, the two links: L lit, n not
        QTest::addColumn<QString>("opened");
        const QString mail = "mailto:" + ProductInfo::mailAddress.toString(), home = ProductInfo::homePage.toString();
        QTest::newRow("mail caption") << 10 << Qt::LeftButton << true << "LLnnn" << mail;
        QTest::newRow("home page path, right button") << 14 << Qt::RightButton << true << "nnLLL" << home;
        QTest::newRow("no mail program: a warning") << 11 << Qt::LeftButton << false << "LLnnn" << mail;
        QTest::newRow("no browser: a warning") << 13 << Qt::LeftButton << false << "nnLLL" << home;
        QTest::newRow("middle button") << 12 << Qt::MiddleButton << true << "nnLLL" << QString();
        QTest::newRow("a title") << 19 << Qt::LeftButton << false << "nnnnn" << QString();
    }
    void pointer() {
        QFETCH(int, index);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, handlerPresent);
        QFETCH(QString, lit);
        QFETCH(QString, opened);
        ScriptedPlatform platform;
        platform.urlHandlerPresent = handlerPresent;
        INFO_VER window(platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto linkColours = [&] {
            QString shown;
            for (int link = 10; link <= 14; ++link) {
                const QColor c = window.Label1.at(link)->palette().color(QPalette::WindowText);
                shown += u"?nL"[int(c == AboutLinks::normalColour) + 2 * int(c == AboutLinks::highlightColour)];
            }
            return shown;
        };
        QLabel* label = window.Label1.at(index);
        // Real pointer moves, from a pixel beside: a move to where the pointer already is reports nothing.
        QTest::mouseMove(label, label->rect().center() + QPoint(1, 0));
        QTest::mouseMove(label, label->rect().center());
        QCOMPARE(linkColours(), lit);
        QTest::mouseClick(label, button);
        QCOMPARE(platform.urlsOpened.join(u' '), opened);
        QCOMPARE(platform.messages.size(), int(!handlerPresent && !opened.isEmpty()));
        QVERIFY(platform.messages.isEmpty() || platform.messages[0].style == MessageStyle::Exclamation);
        // A double click opens once, a press released off the label nothing; the background puts the link out.
        QTest::mouseDClick(label, button);
        QTest::mouseRelease(label, button);
        QTest::mousePress(label, button);
        QTest::mouseRelease(label, button, {}, QPoint(label->width() + 40, label->height() + 40));
        QCOMPARE(platform.urlsOpened.join(u' '), opened);
        QTest::mouseMove(&window, QPoint(4, window.height() - 4));
        QCOMPARE(linkColours(), QStringLiteral("nnnnn"));
    }
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
