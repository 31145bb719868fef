#include "dialogs/INFO_VER.h"

#include "app/FontSetup.h"
#include "app/ProductInfo.h"
#include "app/Twips.h"
#include "dialogs/AboutLinks.h"
#include "tests/support/ScriptedPlatform.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>

namespace {

using Link = AboutLinks::Link;

const QColor lightGreen(0xC0, 0xFF, 0xC0);
const QColor green(0x00, 0xFF, 0x00);
const QColor yellow(0xFF, 0xFF, 0x00);
const QColor lightYellow(0xFF, 0xFF, 0xC0);

const QString mailAddress = ProductInfo::mailAddress.toString();
const QString homePage = ProductInfo::homePage.toString();
const QString mailMissing = QStringLiteral("「Outlook Express」 が ｲﾝｽﾄｰﾙ されていません。|48|OE ｲﾝｽﾄｰﾙ 確認");
const QString browserMissing = QStringLiteral("「Internet Explorer」 が ｲﾝｽﾄｰﾙ されていません。|48|IE ｲﾝｽﾄｰﾙ 確認");

const QList<int> allLabels{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 18, 19};
const QList<int> linkLabels{10, 11, 12, 13, 14};

QPoint twipsPoint(double left, double top) {
    return {Twips::toPixelsX(left), Twips::toPixelsY(top)};
}

QSize twipsSize(double width, double height) {
    return {Twips::toPixelsX(width), Twips::toPixelsY(height)};
}

} // namespace

Q_DECLARE_METATYPE(AboutLinks::Link)

class TestAboutWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<INFO_VER> window;

    [[nodiscard]] QStringList shown() const {
        QStringList log;
        for (const auto& message : platform->messages)
            log << QStringList{message.prompt, QString::number(message.style), message.title}.join(u'|');
        return log;
    }

    [[nodiscard]] QColor colourOf(int index) const {
        return window->Label1.at(index)->palette().color(QPalette::WindowText);
    }

    // Which link the five link labels show lit; checks that a link is lit as a whole.
    [[nodiscard]] Link litLink() const {
        const bool mail = colourOf(10) == green;
        const bool home = colourOf(12) == green;
        if (colourOf(11) != colourOf(10) || colourOf(13) != colourOf(12) || colourOf(14) != colourOf(12))
            return Link(-1);
        for (int index : linkLabels)
            if (colourOf(index) != green && colourOf(index) != lightGreen)
                return Link(-1);
        if (mail && home)
            return Link(-1);
        return mail ? Link::Mail : home ? Link::HomePage : Link::None;
    }

    // A real pointer move, as the window system delivers it. A move to where the pointer already
    // is reports nothing, and every test row opens its window at the same place: come from a
    // pixel beside it.
    void movePointerTo(QWidget* widget, QPoint at) {
        QTest::mouseMove(widget, at + QPoint(1, 0));
        QTest::mouseMove(widget, at);
        QCoreApplication::processEvents();
    }

    void movePointerOver(int index) {
        QLabel* label = window->Label1.at(index);
        movePointerTo(label, label->rect().center());
    }

    void lightUp(Link link) {
        if (link == Link::Mail)
            movePointerOver(11);
        else if (link == Link::HomePage)
            movePointerOver(13);
        else
            movePointerTo(window.get(), backgroundPoint());
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

private slots:
    void initTestCase() {
        // The fonts as the program maps them, so that texts take the room they take there.
        installFontSubstitutions();
        // An icon for the program, as start-up gives it.
        QIcon icon;
        for (const int size : {16, 32}) {
            QImage image(size, size, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            for (int i = 0; i < size; ++i)
                image.setPixelColor(i, size - 1 - i, QColor(0x20 * (size / 16), 0x80, 0xC0));
            icon.addPixmap(QPixmap::fromImage(image));
        }
        QApplication::setWindowIcon(icon);
    }

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

    void windowAndIcon() {
        QCOMPARE(window->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        const QSize client = twipsSize(6135, 3975);
        QCOMPARE(window->size(), client);
        QCOMPARE(window->minimumSize(), client);
        QCOMPARE(window->maximumSize(), client);
        QVERIFY(!(window->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
        QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY((window->geometry().center() - window->screen()->availableGeometry().center()).manhattanLength() <= 2);
        QCOMPARE(window->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
        // The program's icon, as start-up sets it for every window, in the title bar and large.
        QVERIFY(!window->Image1->pixmap().isNull());
        QCOMPARE(window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        QCOMPARE(window->Image1->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
                 QApplication::windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32));
    }

    void controlPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("twips");
        const auto row = [](const QString& name, double left, double top, double width, double height) {
            QTest::newRow(qPrintable(name)) << name << QRectF(left, top, width, height);
        };
        row(QStringLiteral("Label1_1"), 1710, 300, 3675, 855);
        row(QStringLiteral("Label1_0"), 1830, 420, 3675, 855);
        row(QStringLiteral("Label1_3"), 5340, 870, 285, 285);
        row(QStringLiteral("Label1_2"), 5460, 990, 285, 285);
        row(QStringLiteral("Label1_5"), 420, 900, 1065, 315);
        row(QStringLiteral("Label1_4"), 510, 990, 1065, 315);
        row(QStringLiteral("Label1_18"), 390, 1320, 3825, 315);
        row(QStringLiteral("Label1_19"), 480, 1410, 3825, 315);
        row(QStringLiteral("Label1_7"), 390, 1650, 2775, 315);
        row(QStringLiteral("Label1_6"), 480, 1740, 2775, 315);
        row(QStringLiteral("Label1_9"), 3675, 1680, 525, 315);
        row(QStringLiteral("Label1_8"), 3780, 1770, 525, 315);
        row(QStringLiteral("Label1_10"), 570, 2325, 1665, 255);
        row(QStringLiteral("Label1_11"), 570, 2550, 2055, 255);
        row(QStringLiteral("Label1_12"), 570, 2970, 1425, 255);
        row(QStringLiteral("Label1_13"), 570, 3195, 2895, 255);
        row(QStringLiteral("Label1_14"), 570, 3420, 1065, 255);
        row(QStringLiteral("Image1"), 735, 390, 480, 480);
        row(QStringLiteral("Frame1"), 3930, 2025, 2115, 1860);
        row(QStringLiteral("Command1"), 4440, 1500, 1300, 300);
    }
    void controlPlaces() {
        QFETCH(QString, name);
        QFETCH(QRectF, twips);
        auto* control = window->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->pos(), twipsPoint(twips.left(), twips.top()));
        const QSize designed = twipsSize(twips.width(), twips.height());
        if (qobject_cast<QLabel*>(control) && control != window->Image1) {
            // Labels grow where the stand-in font is wider, and never cut their text.
            auto* label = static_cast<QLabel*>(control);
            QVERIFY(label->width() >= designed.width());
            QVERIFY(label->height() >= designed.height());
            QVERIFY(label->width() >= label->sizeHint().width());
            QVERIFY(label->height() >= label->sizeHint().height());
        } else {
            QCOMPARE(control->size(), designed);
        }
    }

    void lines_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QLineF>("twips");
        QTest::newRow("top") << 0 << QLineF(90, 90, 6030, 90);
        QTest::newRow("rule under the titles") << 1 << QLineF(210, 2130, 3810, 2130);
        QTest::newRow("left") << 2 << QLineF(90, 90, 90, 3870);
        QTest::newRow("right, down to the frame") << 3 << QLineF(6030, 90, 6030, 2010);
        QTest::newRow("bottom, up to the frame") << 4 << QLineF(90, 3870, 3810, 3870);
    }
    void lines() {
        QFETCH(int, index);
        QFETCH(QLineF, twips);
        QWidget* line = window->Line1[std::size_t(index)];
        QCOMPARE(line->objectName(), QStringLiteral("Line1_%1").arg(index));
        const QPoint start = twipsPoint(twips.x1(), twips.y1());
        const QPoint end = twipsPoint(twips.x2(), twips.y2());
        QCOMPARE(line->geometry(), QRect(start, end));
        QVERIFY(line->autoFillBackground());
        QCOMPARE(line->palette().color(QPalette::Window), QColor(Qt::white));
        // The border leaves the frame's corner open.
        QVERIFY(!line->geometry().intersects(window->Frame1->geometry()));
    }

    void texts_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        const QString mincho = QStringLiteral("ＭＳ Ｐ明朝");
        const QString roman = QStringLiteral("Times New Roman");
        // A title and its shadow: the same text and font.
        const auto pair = [](const char* name, int first, int second, const QString& text, const QString& family,
                             double points, bool bold) {
            QTest::newRow(name) << first << text << QString() << family << points << bold << false;
            QTest::addRow("%s's shadow", name) << second << text << QString() << family << points << bold << false;
        };
        pair("name", 1, 0, ProductInfo::name.toString(), mincho, 42, true);
        pair("mark", 3, 2, QStringLiteral("☆"), mincho, 12, true);
        pair("version", 5, 4, QStringLiteral("Ver.4.3.2"), roman, 14.25, false);
        pair("systems", 18, 19, QStringLiteral("for Windows 98/Me/NT/2000/XP"), roman, 14.25, false);
        pair("copyright", 7, 6, ProductInfo::copyright.toString(), roman, 14.25, false);
        pair("author", 9, 8, ProductInfo::author.toString(), mincho, 11.25, false);
        const auto link = [&](const char* name, int index, const QString& text, const QString& address) {
            QTest::newRow(name) << index << text << u' ' + address + u' ' << mincho << 11.25 << false << true;
        };
        link("mail caption", 10, QStringLiteral("E-Mail Address："), mailAddress);
        link("mail address", 11, mailAddress, mailAddress);
        link("home page caption", 12, QStringLiteral("URL Address："), homePage);
        link("home page host", 13, QStringLiteral("https://peltra.example.org/"), homePage);
        link("home page path", 14, QStringLiteral("peltra/"), homePage);
    }
    void texts() {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        QLabel* label = window->Label1.at(index);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->toolTip(), toolTip);
        QCOMPARE(label->font().family(), family);
        QCOMPARE(label->font().pointSizeF(), points);
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(label->font().underline(), underline);
        QVERIFY(!label->autoFillBackground()); // transparent over the grey
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void titleColours_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("name") << 1 << 0 << yellow;
        QTest::newRow("mark") << 3 << 2 << yellow;
        QTest::newRow("version") << 5 << 4 << lightYellow;
        QTest::newRow("systems") << 18 << 19 << yellow;
        QTest::newRow("copyright") << 7 << 6 << yellow;
        QTest::newRow("author") << 9 << 8 << yellow;
    }
    void titleColours() {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(QColor, colour);
        QCOMPARE(colourOf(first), colour);
        // The shadow keeps the platform's label colour and lies a little lower right, over the first.
        QCOMPARE(colourOf(second), QApplication::palette(window->Label1.at(second)).color(QPalette::WindowText));
        const QPoint offset = window->Label1.at(second)->pos() - window->Label1.at(first)->pos();
        QVERIFY(offset.x() > 0 && offset.y() > 0);
        const QObjectList order = window->children();
        QVERIFY(order.indexOf(window->Label1.at(second)) > order.indexOf(window->Label1.at(first)));
    }

    void stacking() {
        // Children are listed from the bottom of the stack to its top.
        const QObjectList order = window->children();
        QList<QObject*> expected{window->Label1.at(18), window->Label1.at(19)};
        for (int index : {14, 13, 12, 11, 10})
            expected << window->Label1.at(index);
        expected << window->Image1;
        for (QWidget* line : window->Line1)
            expected << line;
        for (int index : {1, 3, 5, 7, 9, 0, 2, 4, 6, 8})
            expected << window->Label1.at(index);
        expected << window->Frame1 << window->Command1;
        QList<QObject*> actual;
        for (QObject* child : order)
            if (expected.contains(child))
                actual << child;
        QCOMPARE(actual, expected);
    }

    void frameNote() {
        QVERIFY(window->Frame1->title().isEmpty());
        QCOMPARE(window->FrameNote->parentWidget(), window->Frame1);
        QCOMPARE(window->FrameNote->text(), ProductInfo::freewareNote.toString());
        QCOMPARE(window->FrameNote->textFormat(), Qt::PlainText);
        QCOMPARE(window->FrameNote->font().family(), QStringLiteral("ＭＳ Ｐ明朝"));
        QCOMPARE(window->FrameNote->font().pointSizeF(), 9.0);
        QCOMPARE(window->FrameNote->palette().color(QPalette::WindowText), lightYellow);
        QVERIFY(window->FrameNote->wordWrap());
        // Two lines, inside the frame.
        const int lineHeight = window->FrameNote->fontMetrics().height();
        const int textHeight = window->FrameNote->heightForWidth(window->FrameNote->width());
        QVERIFY2(textHeight > lineHeight && textHeight <= 2 * lineHeight + 2, qPrintable(QString::number(textHeight)));
        QVERIFY(window->Frame1->rect().contains(window->FrameNote->geometry()));
    }

    void okButton() {
        QCOMPARE(window->Command1->text(), QStringLiteral("OK"));
        QCOMPARE(window->Command1->toolTip(), QStringLiteral(" OK "));
        QCOMPARE(window->Command1->font().family(), QStringLiteral("MS UI Gothic"));
        QCOMPARE(window->Command1->font().pointSizeF(), 9.0);
        // The only control that takes the focus.
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(QApplication::focusWidget(), window->Command1);
        for (QWidget* child : window->findChildren<QWidget*>())
            if (child != window->Command1)
                QCOMPARE(child->focusPolicy(), Qt::NoFocus);
        QSignalSpy accepted(window.get(), &QDialog::accepted);
        QTest::mouseClick(window->Command1, Qt::LeftButton);
        QCOMPARE(accepted.count(), 1);
        QVERIFY(!window->isVisible());
    }

    void closedByKeys_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter presses OK") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void closedByKeys() {
        QFETCH(int, key);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!window->isVisible());
        QVERIFY(platform->urlsOpened.isEmpty());
    }

    void linksStartNormal() {
        for (int index : linkLabels) {
            QCOMPARE(colourOf(index), lightGreen);
            const QCursor cursor = window->Label1.at(index)->cursor();
            QCOMPARE(cursor.shape(), Qt::BitmapCursor);
            QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
            QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
        }
        QCOMPARE(int(litLink()), int(Link::None));
    }

    void hover_data() {
        QTest::addColumn<Link>("before");
        QTest::addColumn<int>("index");
        QTest::addColumn<Link>("after");
        for (Link before : {Link::None, Link::Mail, Link::HomePage}) {
            static const char* const names[] = {"nothing lit", "mail lit", "home page lit"};
            for (int index : allLabels) {
                const Link link = AboutLinks::linkOf(index);
                QTest::addRow("%s, over label %d", names[int(before)], index)
                    << before << index << (link == Link::None ? before : link);
            }
        }
    }
    void hover() {
        QFETCH(Link, before);
        QFETCH(int, index);
        QFETCH(Link, after);
        lightUp(before);
        QCOMPARE(int(litLink()), int(before));
        movePointerOver(index);
        QCOMPARE(int(litLink()), int(after));
    }

    void handlersIgnoreOtherIndices() {
        // The handlers themselves, as the old window's label events called them: indices that are
        // no link change nothing and open nothing.
        window->Label1_MouseMove(13);
        for (int index : {-1, 0, 9, 15, 16, 17, 18, 20, 100}) {
            window->Label1_MouseMove(index);
            window->Label1_Click(index);
        }
        QCOMPARE(int(litLink()), int(Link::HomePage));
        QVERIFY(platform->urlsOpened.isEmpty());
        QVERIFY(platform->messages.isEmpty());
        window->Label1_MouseMove(10);
        QCOMPARE(int(litLink()), int(Link::Mail));
        window->Form_MouseMove();
        QCOMPARE(int(litLink()), int(Link::None));
    }

    void backgroundClearsBoth_data() {
        QTest::addColumn<Link>("before");
        QTest::newRow("mail lit") << Link::Mail;
        QTest::newRow("home page lit") << Link::HomePage;
        QTest::newRow("nothing lit") << Link::None;
    }
    void backgroundClearsBoth() {
        QFETCH(Link, before);
        lightUp(before);
        QCOMPARE(int(litLink()), int(before));
        QVERIFY(!backgroundPoint().isNull());
        movePointerTo(window.get(), backgroundPoint());
        QCOMPARE(int(litLink()), int(Link::None));
        for (int index : linkLabels)
            QCOMPARE(colourOf(index), lightGreen);
    }

    void clicks_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("handlerPresent");
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("messages");
        const QString mailto = QStringLiteral("mailto:") + mailAddress;
        for (bool present : {true, false}) {
            for (int index : allLabels) {
                const Link link = AboutLinks::linkOf(index);
                QStringList opened;
                QStringList messages;
                if (link == Link::Mail)
                    opened << mailto;
                else if (link == Link::HomePage)
                    opened << homePage;
                if (!present && link == Link::Mail)
                    messages << mailMissing;
                else if (!present && link == Link::HomePage)
                    messages << browserMissing;
                QTest::addRow("label %d, %s", index, present ? "handler" : "no handler")
                    << index << present << int(Qt::LeftButton) << opened << messages;
                if (link != Link::None)
                    QTest::addRow("label %d, %s, right button", index, present ? "handler" : "no handler")
                        << index << present << int(Qt::RightButton) << opened << messages;
            }
        }
    }
    void clicks() {
        QFETCH(int, index);
        QFETCH(bool, handlerPresent);
        QFETCH(int, button);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, messages);
        platform->urlHandlerPresent = handlerPresent;
        QTest::mouseClick(window->Label1.at(index), Qt::MouseButton(button));
        QCOMPARE(platform->urlsOpened, opened);
        QCOMPARE(shown(), messages);
        QVERIFY(window->isVisible()); // a link leaves the window open
    }

    void doubleClickOpensOnce() {
        // As a double click arrives: press, release, then the second press as a double click.
        QLabel* label = window->Label1.at(13);
        QTest::mousePress(label, Qt::LeftButton);
        QTest::mouseRelease(label, Qt::LeftButton);
        QTest::mouseDClick(label, Qt::LeftButton);
        QTest::mouseRelease(label, Qt::LeftButton);
        QCOMPARE(platform->urlsOpened, QStringList{homePage});
    }

    void releasedElsewhereIsNoClick() {
        QLabel* label = window->Label1.at(11);
        QTest::mousePress(label, Qt::LeftButton, {}, label->rect().center());
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 40, label->height() + 40));
        QVERIFY(platform->urlsOpened.isEmpty());
        QTest::mousePress(label, Qt::MiddleButton, {}, label->rect().center());
        QTest::mouseRelease(label, Qt::MiddleButton, {}, label->rect().center());
        QVERIFY(platform->urlsOpened.isEmpty());
    }

    void freshColoursAtEveryOpening() {
        movePointerOver(11);
        QCOMPARE(int(litLink()), int(Link::Mail));
        window = std::make_unique<INFO_VER>();
        QCOMPARE(int(litLink()), int(Link::None));
    }
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
