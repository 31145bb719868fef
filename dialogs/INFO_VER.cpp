#include "dialogs/INFO_VER.h"

#include "app/core/Conversions.h"
#include "app/core/Platform.h"
#include "app/core/ProductInfo.h"
#include "app/core/Twips.h"
#include "dialogs/DecorationLayer.h"
#include "dialogs/LinkAccessible.h"
#include "dialogs/WidgetLook.h"

#include <QApplication>
#include <QFocusFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

static void initCursorResource() {
    // The cursor lives in a static library: make sure its resource is linked and registered.
    Q_INIT_RESOURCE(cursor);
}

namespace {

constexpr double clientWidth = 6135;
constexpr double clientHeight = 3975;

QFont minchoFont(double pointSize, bool bold = false, bool underline = false) {
    return WidgetLook::font(QStringLiteral("ＭＳ Ｐ明朝"), pointSize, bold, underline);
}

QFont romanFont() {
    return WidgetLook::font(QStringLiteral("Times New Roman"), 14.25);
}

// A white rule given by its end points; only level and upright lines occur.
QWidget* makeLine(QWidget* parent, double x1, double y1, double x2, double y2) {
    auto* line = new QWidget(parent);
    const int left = Twips::toPixelsX(std::min(x1, x2));
    const int top = Twips::toPixelsY(std::min(y1, y2));
    const int right = Twips::toPixelsX(std::max(x1, x2));
    const int bottom = Twips::toPixelsY(std::max(y1, y2));
    line->setGeometry(left, top, right - left + 1, bottom - top + 1);
    QPalette white = line->palette();
    white.setColor(QPalette::Window, Conversions::colorFromText(QStringLiteral("&H00FFFFFF&")));
    line->setPalette(white);
    line->setAutoFillBackground(true);
    return line;
}

} // namespace

INFO_VER::INFO_VER(Platform& platform, QWidget* parent) : FixedSizeDialog(parent), platform(platform) {
    initCursorResource();
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    // The window keeps the program's icon, which start-up gives every window, and shows it large.

    QPalette grey = palette();
    grey.setColor(QPalette::Window, Conversions::colorFromText(QStringLiteral("&H00808080&")));
    setPalette(grey);
    setAutoFillBackground(true);
    // Moves over the background clear the links' highlight.
    setMouseTracking(true);

    for (auto& layer : shadowLayers) {
        layer = new DecorationLayer(this);
        layer->setGeometry(Twips::toPixelRect(0, 0, clientWidth, clientHeight));
    }
    createTitles();
    createLinks();
    createFrameAndLines();

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    Image1->setScaledContents(true);
    Image1->setAccessibleName(QStringLiteral("ペルトラ のアイコン"));
    Image1->setGeometry(Twips::toPixelRect(735, 390, 480, 480));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::toPixelRect(4440, 1500, 1300, 300));
    Command1->setFont(WidgetLook::font(QStringLiteral("MS UI Gothic"), 9));
    Command1->setToolTip(QStringLiteral(" OK "));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &INFO_VER::Command1_Click);

    stackControls();
    linkFocus = new QFocusFrame(this);
    setTabOrder(Command1, Label1.at(11));
    setTabOrder(Label1.at(11), Label1.at(13));
    Command1->setFocus();

    fixSizeAndCentre(clientWidth, clientHeight);
}

QLabel* INFO_VER::addLabel(int index, const QString& text, const QFont& font, QPointF topLeftTwips, QSizeF sizeTwips,
                           QWidget* parent) {
    auto* label = new QLabel(parent ? parent : this);
    label->setObjectName(QStringLiteral("Label1_%1").arg(index));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QRect geometry = Twips::toPixelRect(topLeftTwips.x(), topLeftTwips.y(), sizeTwips.width(), sizeTwips.height());
    // The stand-in fonts are not always as narrow as the ones the sizes were made for: never cut a text.
    geometry.setSize(geometry.size().expandedTo(label->sizeHint()));
    label->setGeometry(geometry);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    Label1[index] = label;
    return label;
}

void INFO_VER::createTitles() {
    struct Pair {
        int first, second;
        QString text;
        QFont font;
        QPointF firstAt, secondAt;
        QSizeF size;
        const char* colour;
    };
    const QFont nameFont = minchoFont(42, true);
    const Pair pairs[] = {
        {1, 0, ProductInfo::name.toString(), nameFont, {1710, 300}, {1830, 420}, {3675, 855}, "&H0000FFFF&"},
        // A small star after the name.
        {3, 2, QStringLiteral("☆"), minchoFont(12, true), {5340, 870}, {5460, 990}, {285, 285}, "&H0000FFFF&"},
        {5, 4, ProductInfo::versionText.toString(), romanFont(), {420, 900}, {510, 990}, {1065, 315}, "&H00C0FFFF&"},
        {18,
         19,
         ProductInfo::platformsText.toString(),
         romanFont(),
         {390, 1320},
         {480, 1410},
         {3825, 315},
         "&H0000FFFF&"},
        {7, 6, ProductInfo::copyright.toString(), romanFont(), {390, 1650}, {480, 1740}, {2775, 315}, "&H0000FFFF&"},
        {9,
         8,
         ProductInfo::author.toString(),
         minchoFont(11.25),
         {3675, 1680},
         {3780, 1770},
         {525, 315},
         "&H0000FFFF&"},
    };
    for (const Pair& pair : pairs) {
        QLabel* coloured = addLabel(pair.first, pair.text, pair.font, pair.firstAt, pair.size);
        WidgetLook::setTextColour(coloured, Conversions::colorFromText(QLatin1String(pair.colour)));
        // The second keeps the platform's label colour and lies over the first as its shadow.
        addLabel(pair.second, pair.text, pair.font, pair.secondAt, pair.size, shadowLayers[pair.second == 19 ? 0 : 1]);
    }
}

void INFO_VER::createLinks() {
    const QString mail = ProductInfo::mailAddress.toString();
    const QString homePage = ProductInfo::homePage.toString();
    struct Link {
        int index;
        QString text;
        QRectF twips;
        QString address;
    };
    const Link links[] = {
        {10, QStringLiteral("E-Mail Address："), {570, 2325, 1665, 255}, mail},
        {11, mail, {570, 2550, 2055, 255}, mail},
        {12, QStringLiteral("URL Address："), {570, 2970, 1425, 255}, homePage},
        {13, AboutLinks::homePageHost(homePage), {570, 3195, 2895, 255}, homePage},
        {14, AboutLinks::homePagePath(homePage), {570, 3420, 1065, 255}, homePage},
    };
    const QCursor hand(QPixmap(QStringLiteral(":/cursor/link-cursor.png")), 12, 1);
    for (const Link& link : links) {
        QLabel* label =
            addLabel(link.index, link.text, minchoFont(11.25, false, true), link.twips.topLeft(), link.twips.size());
        label->setToolTip(u' ' + link.address + u' ');
        label->setCursor(hand);
        if (link.index == 11 || link.index == 13) {
            label->setFocusPolicy(Qt::StrongFocus);
            LinkAccessible::markAsLink(label);
        }
    }
    setLinkColours(AboutLinks::normalColours());
}

void INFO_VER::createFrameAndLines() {
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips::toPixelRect(3930, 2025, 2115, 1860));

    FrameNote = new QLabel(Frame1);
    FrameNote->setObjectName(QStringLiteral("FrameNote"));
    FrameNote->setTextFormat(Qt::PlainText);
    FrameNote->setText(ProductInfo::freewareNote.toString());
    FrameNote->setFont(minchoFont(9));
    FrameNote->setWordWrap(true);
    FrameNote->setAlignment(Qt::AlignCenter);
    FrameNote->setGeometry(Twips::toPixelRect(120, 180, 1875, 1560));
    WidgetLook::setTextColour(FrameNote, Conversions::colorFromText(QStringLiteral("&H00C0FFFF&")));

    struct Ends {
        double x1, y1, x2, y2;
    };
    // Together a border that leaves the frame's corner open, and a rule under the titles.
    static constexpr Ends ends[] = {
        {90, 90, 6030, 90}, {210, 2130, 3810, 2130}, {90, 90, 90, 3870}, {6030, 90, 6030, 2010}, {90, 3870, 3810, 3870},
    };
    for (std::size_t i = 0; i < Line1.size(); ++i) {
        Line1[i] = makeLine(this, ends[i].x1, ends[i].y1, ends[i].x2, ends[i].y2);
        Line1[i]->setObjectName(QStringLiteral("Line1_%1").arg(i));
    }
}

void INFO_VER::stackControls() {
    // From the bottom up: the shadows, the links, the picture and the rules, then the titles; the
    // frame and the button stay above them all.
    QList<QWidget*> order{Label1.at(18), shadowLayers[0]};
    for (int index = 14; index >= 10; --index)
        order << Label1.at(index);
    order << Image1;
    for (QWidget* line : Line1)
        order << line;
    for (int index : {1, 3, 5, 7, 9})
        order << Label1.at(index);
    order << shadowLayers[1]; // shadows 0, 2, 4, 6 and 8
    order << Frame1 << Command1;
    for (QWidget* widget : order)
        widget->raise();
}

void INFO_VER::setLinkColours(const AboutLinks::LinkColours& colours) {
    for (int i = 0; i < AboutLinks::linkLabelCount; ++i)
        WidgetLook::setTextColour(Label1.at(AboutLinks::firstLinkLabel + i), colours[std::size_t(i)]);
}

void INFO_VER::Command1_Click() {
    accept();
}

void INFO_VER::Form_MouseMove() {
    setLinkColours(AboutLinks::normalColours());
}

void INFO_VER::Label1_Click(int index) {
    AboutLinks::open(AboutLinks::linkOf(index), platform);
}

void INFO_VER::Label1_MouseMove(int index) {
    if (const auto colours = AboutLinks::coloursForPointerOver(index))
        setLinkColours(*colours);
}

void INFO_VER::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    event->accept();
}

int INFO_VER::labelIndexOf(const QObject* object) const {
    for (const auto& [index, label] : Label1)
        if (label == object)
            return index;
    return -1;
}

bool INFO_VER::eventFilter(QObject* watched, QEvent* event) {
    const int index = labelIndexOf(watched);
    if (index < 0)
        return FixedSizeDialog::eventFilter(watched, event);
    if (linkKeyboardEvent(index, event))
        return true;
    switch (event->type()) {
    case QEvent::MouseMove:
        Label1_MouseMove(index);
        return true; // not on to the window: that would clear the highlight again
    case QEvent::MouseButtonPress: {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        pressedLabel = button == Qt::LeftButton || button == Qt::RightButton ? index : -1;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        // A click is a press and a release on the same label; the second press of a double click
        // comes as a double-click event and opens nothing twice.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = pressedLabel == index && Label1.at(index)->rect().contains(mouse->position().toPoint());
        pressedLabel = -1;
        if (click)
            Label1_Click(index);
        return true;
    }
    case QEvent::MouseButtonDblClick:
        pressedLabel = -1;
        return true;
    default:
        return FixedSizeDialog::eventFilter(watched, event);
    }
}

bool INFO_VER::linkKeyboardEvent(int index, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        if (const auto colours = AboutLinks::coloursForPointerOver(index))
            setLinkColours(*colours);
        linkFocus->setWidget(Label1.at(index));
        return false;
    case QEvent::FocusOut:
        setLinkColours(AboutLinks::normalColours());
        linkFocus->setWidget(nullptr);
        return false;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool activates =
            key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
        if (!activates || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        Label1_Click(index);
        return true;
    }
    default:
        return false;
    }
}
