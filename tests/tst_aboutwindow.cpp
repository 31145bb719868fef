// The about window: its links light up as a whole under the pointer and open through the
// platform, saying so where nothing takes the address; and a look at what the window shows.

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
const QString mailMissing = QStringLiteral("「Outlook Express」 が ｲﾝｽﾄｰﾙ されていません。|48|OE ｲﾝｽﾄｰﾙ 確認");
const QString browserMissing = QStringLiteral("「Internet Explorer」 が ｲﾝｽﾄｰﾙ されていません。|48|IE ｲﾝｽﾄｰﾙ 確認");

constexpr int background = -1; // the pointer over no label
const QList<int> allLabels{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 18, 19};

// Labels 10 to 14 as they look: L lit, n normal.
const QString mailLit = QStringLiteral("LLnnn");
const QString homeLit = QStringLiteral("nnLLL");
const QString noneLit = QStringLiteral("nnnnn");

} // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<INFO_VER> window;

    [[nodiscard]] QString linkColours() const {
        QString shown;
        for (int index = 10; index <= 14; ++index) {
            const QColor colour = window->Label1.at(index)->palette().color(QPalette::WindowText);
            shown += colour == QColor(0x00, 0xFF, 0x00) ? u'L' : colour == QColor(0xC0, 0xFF, 0xC0) ? u'n' : u'?';
        }
        return shown;
    }

    [[nodiscard]] QStringList shownMessages() const {
        QStringList log;
        for (const auto& message : platform->messages)
            log << QStringList{message.prompt, QString::number(message.style), message.title}.join(u'|');
        return log;
    }

    // A place on the grey background, a few pixels away from every control.
    [[nodiscard]] QPoint backgroundPoint() const {
        constexpr int margin = 4;
        for (int y = margin; y < window->height() - margin; y += 2)
            for (int x = margin; x < window->width() - margin; x += 2) {
                bool clear = true;
                for (int dy = -margin; dy <= margin && clear; ++dy)
                    for (int dx = -margin; dx <= margin && clear; ++dx)
                        clear = window->childAt(x + dx, y + dy) == nullptr;
                if (clear)
                    return {x, y};
            }
        return {};
    }

    // A real pointer move; coming from a pixel beside, as a move to where the pointer is reports nothing.
    void movePointerOver(int index) {
        QWidget* widget = index == background ? static_cast<QWidget*>(window.get()) : window->Label1.at(index);
        const QPoint at = index == background ? backgroundPoint() : widget->rect().center();
        QTest::mouseMove(widget, at + QPoint(1, 0));
        QTest::mouseMove(widget, at);
        QCoreApplication::processEvents();
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

    void layout() {
        QCOMPARE(window->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        QStringList texts;
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            texts << label->text();
            QVERIFY(label->width() >= label->sizeHint().width()); // no text cut
        }
        for (const QString& text : {QStringLiteral("ペルトラ"), QStringLiteral("Ver.4.3.2"),
                                    QStringLiteral("for Windows 98/Me/NT/2000/XP"), ProductInfo::mailAddress.toString(),
                                    QStringLiteral("https://peltra.example.org/"), QStringLiteral("peltra/")})
            QVERIFY2(texts.contains(text), qPrintable(text));
        QVERIFY(!backgroundPoint().isNull());
        QCOMPARE(linkColours(), noneLit);
        QSignalSpy accepted(window.get(), &QDialog::accepted);
        QTest::mouseClick(window->Command1, Qt::LeftButton);
        QCOMPARE(accepted.count(), 1);
        QVERIFY(!window->isVisible());
    }

    void hover_data() {
        QTest::addColumn<int>("litFirst"); // the label the pointer lights first
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("after");
        for (int index : allLabels) {
            if (index == 10 || index == 11) // the mail link
                QTest::addRow("label %d", index) << 13 << index << mailLit;
            else if (index >= 12 && index <= 14) // the home page link
                QTest::addRow("label %d", index) << 11 << index << homeLit;
            else // no link: whichever is lit stays lit
                QTest::addRow("label %d", index) << (index % 2 ? 11 : 13) << index << (index % 2 ? mailLit : homeLit);
        }
        QTest::newRow("background, mail lit") << 11 << background << noneLit;
        QTest::newRow("background, home page lit") << 13 << background << noneLit;
    }
    void hover() {
        QFETCH(int, litFirst);
        QFETCH(int, index);
        QFETCH(QString, after);
        movePointerOver(litFirst);
        QCOMPARE(linkColours(), litFirst == 11 ? mailLit : homeLit);
        movePointerOver(index);
        QCOMPARE(linkColours(), after);
    }

    void handlersIgnoreOtherIndices() {
        window->Label1_MouseMove(13);
        for (int index : {-1, 0, 9, 15, 16, 17, 18, 20}) {
            window->Label1_MouseMove(index);
            window->Label1_Click(index);
        }
        QCOMPARE(linkColours(), homeLit);
        QVERIFY(platform->urlsOpened.isEmpty());
        QVERIFY(platform->messages.isEmpty());
    }

    void clicks_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("handlerPresent");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        QTest::newRow("mail address") << 11 << Qt::LeftButton << true << QStringList{mailto} << none;
        QTest::newRow("mail caption, no mail program")
            << 10 << Qt::LeftButton << false << QStringList{mailto} << QStringList{mailMissing};
        QTest::newRow("home page caption") << 12 << Qt::LeftButton << true << QStringList{homePage} << none;
        QTest::newRow("home page host, no browser")
            << 13 << Qt::LeftButton << false << QStringList{homePage} << QStringList{browserMissing};
        QTest::newRow("home page path, right button") << 14 << Qt::RightButton << true << QStringList{homePage} << none;
        QTest::newRow("middle button") << 11 << Qt::MiddleButton << false << none << none;
        QTest::newRow("a title, no handler") << 1 << Qt::LeftButton << false << none << none;
        QTest::newRow("a shadow") << 19 << Qt::LeftButton << true << none << none;
    }
    void clicks() {
        QFETCH(int, index);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, handlerPresent);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, messages);
        platform->urlHandlerPresent = handlerPresent;
        QTest::mouseClick(window->Label1.at(index), button);
        QCOMPARE(platform->urlsOpened, opened);
        QCOMPARE(shownMessages(), messages);
        QVERIFY(window->isVisible());
    }

    void doubleClickOpensOnceAndReleaseElsewhereNot() {
        QLabel* label = window->Label1.at(13);
        QTest::mousePress(label, Qt::LeftButton);
        QTest::mouseRelease(label, Qt::LeftButton);
        QTest::mouseDClick(label, Qt::LeftButton);
        QTest::mouseRelease(label, Qt::LeftButton);
        QTest::mousePress(label, Qt::LeftButton, {}, label->rect().center());
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 40, label->height() + 40));
        QCOMPARE(platform->urlsOpened, QStringList{homePage});
    }
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
