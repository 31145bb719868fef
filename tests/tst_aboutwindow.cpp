// The about window: its links light up as a whole under the pointer and open through the platform,
// saying so where nothing takes the address.
#include "dialogs/INFO_VER.h"

#include "app/FontSetup.h"
#include "app/ProductInfo.h"
#include "tests/support/ScriptedPlatform.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {
const QString mailto = QStringLiteral("mailto:") + ProductInfo::mailAddress.toString();
const QString homePage = ProductInfo::homePage.toString();
constexpr int background = -1; // the pointer over no label
} // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<INFO_VER> window;

    // Labels 10 to 14, the two links, as they look: L lit, n normal.
    [[nodiscard]] QString linkColours() const {
        QString shown;
        for (int index = 10; index <= 14; ++index) {
            const QColor colour = window->Label1.at(index)->palette().color(QPalette::WindowText);
            shown += colour == AboutLinks::highlightColour ? u'L' : colour == AboutLinks::normalColour ? u'n' : u'?';
        }
        return shown;
    }

    // A place on the grey background, a few pixels away from every control.
    [[nodiscard]] QPoint backgroundPoint() const {
        for (int y = 4; y < window->height() - 4; y += 2)
            for (int x = 4; x < window->width() - 4; x += 2) {
                const QRect around(x - 4, y - 4, 9, 9);
                if (!window->childAt(around.topLeft()) && !window->childAt(around.bottomRight()) &&
                    !window->childAt(around.topRight()) && !window->childAt(around.bottomLeft()) &&
                    !window->childAt(around.center()))
                    return {x, y};
            }
        return {};
    }

    // A real pointer move; from a pixel beside, as a move to where the pointer already is reports nothing.
    void movePointerOver(int index) {
        QWidget* widget = index == background ? static_cast<QWidget*>(window.get()) : window->Label1.at(index);
        const QPoint at = index == background ? backgroundPoint() : widget->rect().center();
        QTest::mouseMove(widget, at + QPoint(1, 0));
        QTest::mouseMove(widget, at);
    }

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void init() {
        platform = std::make_unique<ScriptedPlatform>();
        window = std::make_unique<INFO_VER>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() {
        window.reset();
        platform.reset();
    }

    void noTextCutAndOkCloses() {
        for (const QLabel* label : window->findChildren<QLabel*>())
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        QCOMPARE(linkColours(), QStringLiteral("nnnnn"));
        QTest::mouseClick(window->Command1, Qt::LeftButton);
        QCOMPARE(window->result(), int(QDialog::Accepted));
        QVERIFY(!window->isVisible());
    }

    void hover_data() {
        QTest::addColumn<int>("litFirst");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("after");
        QTest::newRow("mail caption lights the whole mail link") << 13 << 10 << "LLnnn";
        QTest::newRow("home page path lights the whole home page link") << 11 << 14 << "nnLLL";
        QTest::newRow("a title keeps what is lit") << 13 << 3 << "nnLLL";
        QTest::newRow("the background puts it out") << 11 << background << "nnnnn";
    }
    void hover() {
        QFETCH(int, litFirst);
        QFETCH(int, index);
        QFETCH(QString, after);
        movePointerOver(litFirst);
        movePointerOver(index);
        QCOMPARE(linkColours(), after);
    }

    void clicks_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("handlerPresent");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<int>("messages"); // not-installed warnings
        QTest::newRow("mail caption") << 10 << Qt::LeftButton << true << QStringList{mailto} << 0;
        QTest::newRow("home page, right button") << 14 << Qt::RightButton << true << QStringList{homePage} << 0;
        QTest::newRow("no mail program") << 11 << Qt::LeftButton << false << QStringList{mailto} << 1;
        QTest::newRow("no browser") << 13 << Qt::LeftButton << false << QStringList{homePage} << 1;
        QTest::newRow("middle button") << 11 << Qt::MiddleButton << true << QStringList{} << 0;
        QTest::newRow("a title") << 19 << Qt::LeftButton << false << QStringList{} << 0;
    }
    void clicks() {
        QFETCH(int, index);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, handlerPresent);
        QFETCH(QStringList, opened);
        QFETCH(int, messages);
        platform->urlHandlerPresent = handlerPresent;
        QTest::mouseClick(window->Label1.at(index), button);
        QCOMPARE(platform->urlsOpened, opened);
        QCOMPARE(platform->messages.size(), messages);
        if (messages)
            QCOMPARE(platform->messages[0].style, MessageStyle::Exclamation);
        QVERIFY(window->isVisible());
    }

    void doubleClickOpensOnceAndReleaseElsewhereNot() {
        QLabel* label = window->Label1.at(13);
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::mouseDClick(label, Qt::LeftButton);
        QTest::mouseRelease(label, Qt::LeftButton);
        QTest::mousePress(label, Qt::LeftButton, {}, label->rect().center());
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 40, label->height() + 40));
        QCOMPARE(platform->urlsOpened, QStringList{homePage});
    }
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
