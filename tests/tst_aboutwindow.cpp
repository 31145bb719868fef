// The about window: a link lights up as a whole under the pointer and opens through the platform, or warns.
#include "dialogs/INFO_VER.h"

#include "app/core/ProductInfo.h"
#include "app/system/FontSetup.h"
#include "tests/support/ScriptedPlatform.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

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

    // A screen reader finds each title once, its shadow not at all, and every link's text (the links
    // as links).
    void titlesReadOnce() {
        ScriptedPlatform platform;
        INFO_VER window(platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList read;
        const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            if (node->role() == QAccessible::StaticText || node->role() == QAccessible::Link)
                read << node->text(QAccessible::Name);
            for (int i = 0; i < node->childCount(); ++i)
                if (QAccessibleInterface* child = node->child(i))
                    walk(child);
        };
        walk(QAccessible::queryAccessibleInterface(&window));
        for (int title : {1, 3, 5, 7, 9, 18, 10, 11, 12, 13, 14})
            QVERIFY2(read.count(window.Label1.at(title)->text()) == 1, qPrintable(read.join(u'|')));
        // The shadows still lie where they are drawn, and the pointer passes through them.
        QLabel* shadow = window.Label1.at(0);
        QCOMPARE(shadow->mapTo(&window, QPoint()), shadow->pos());
        QVERIFY(window.childAt(shadow->geometry().center()) != shadow);
    }

    // Tab from OK reaches the mail link, then the home page; Enter or Space opens the one with the focus, which
    // is lit and framed.
    void keyboard_data() {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("handlerPresent");
        QTest::addColumn<QString>("lit");
        QTest::addColumn<QString>("opened");
        const QString mail = "mailto:" + ProductInfo::mailAddress.toString(), home = ProductInfo::homePage.toString();
        QTest::newRow("mail, Enter") << 1 << int(Qt::Key_Return) << true << "LLnnn" << mail;
        QTest::newRow("home page, Space") << 2 << int(Qt::Key_Space) << true << "nnLLL" << home;
        QTest::newRow("home page, keypad Enter, no browser") << 2 << int(Qt::Key_Enter) << false << "nnLLL" << home;
        QTest::newRow("round to OK: Enter closes") << 3 << int(Qt::Key_Return) << true << "nnnnn" << QString();
        QTest::newRow("mail, another key") << 1 << int(Qt::Key_A) << true << "LLnnn" << QString();
    }
    void keyboard() {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(bool, handlerPresent);
        QFETCH(QString, lit);
        QFETCH(QString, opened);
        ScriptedPlatform platform;
        platform.urlHandlerPresent = handlerPresent;
        INFO_VER window(platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), window.Command1);
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        QString shown;
        for (int link = 10; link <= 14; ++link)
            shown += window.Label1.at(link)->palette().color(QPalette::WindowText) == AboutLinks::highlightColour
                         ? u'L'
                         : u'n';
        QCOMPARE(shown, lit);
        QCOMPARE(window.linkFocus->widget(), focused == window.Command1 ? nullptr : focused);
        QVERIFY(focused == window.Command1 || window.linkFocus->isVisible());
        QTest::keyClick(focused, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(platform.urlsOpened.join(u' '), opened);
        QCOMPARE(platform.messages.size(), int(!handlerPresent));
        QCOMPARE(window.isVisible(), focused != window.Command1);
    }

    // A screen reader finds each link as a link, named by its text and described by its address, and
    // its press action opens it as Enter does; the captions and the path stay texts.
    void linksForScreenReaders_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("opened"); // empty: not a link
        QTest::newRow("mail address") << 11 << "mailto:" + ProductInfo::mailAddress.toString();
        QTest::newRow("home page") << 13 << ProductInfo::homePage.toString();
        QTest::newRow("mail caption") << 10 << QString();
        QTest::newRow("home page path") << 14 << QString();
    }
    void linksForScreenReaders() {
        QFETCH(int, index);
        QFETCH(QString, opened);
        ScriptedPlatform platform;
        INFO_VER window(platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QLabel* label = window.Label1.at(index);
        QAccessibleInterface* link = QAccessible::queryAccessibleInterface(label);
        QVERIFY(link);
        QCOMPARE(link->role() == QAccessible::Link, !opened.isEmpty());
        QCOMPARE(link->text(QAccessible::Name), label->text());
        if (opened.isEmpty())
            return;
        QVERIFY(link->state().linked && link->state().focusable);
        QVERIFY(opened.contains(link->text(QAccessible::Description)));
        QVERIFY(link->actionInterface());
        QCOMPARE(link->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(platform.urlsOpened.join(u' '), opened);
    }
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
