#include "dialogs/SetteiInitialPage.h"

#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"
#include "app/core/SizePresets.h"
#include "app/core/Twips.h"
#include "app/settings/SettingsChoices.h"
#include "dialogs/SetteiGeometry.h"
#include "dialogs/SetteiPickers.h"
#include "dialogs/WidgetLook.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

struct ColourRow {
    const char16_t* caption;
    const char16_t* toolTip;
    int labelTop;
    int buttonTop;
};

// clang-format off
const std::array<ColourRow, 5> colourRows{{
    {u"文字色(上段)", u" 文字色(上段) ", 360,  330},
    {u"文字色(下段)", u" 文字色(下段) ", 720,  690},
    {u"ｶｳﾝﾄ(文字色)", u" ｶｳﾝﾄ(文字色) ", 1080, 1050},
    {u"ｶｳﾝﾄ(背景色)", u" ｶｳﾝﾄ(背景色) ", 1440, 1410},
    {u"背景色",       u" 背景色 ",       1800, 1770},
}};

struct SizeRow {
    const char16_t* caption;
    const char16_t* toolTip;
    int top;
};

const std::array<SizeRow, 5> sizeRows{{
    {u"特大(1024×768)(&O)",   u" 特大(1024×768) ",  810},
    {u"大　 ( 800×600)(&B)", u" 大( 800×600) ",   1170},
    {u"標準( 640×480)(&N)",   u" 標準( 640×480) ", 1530},
    {u"中　 ( 480×360)(&M)", u" 中( 480×360) ",   1890},
    {u"小　 ( 320×240)(&S)", u" 小( 320×240) ",   2250},
}};
// clang-format on

QGroupBox* makeFrame(QWidget* parent, int index, const QString& caption, QRect geometry) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QStringLiteral("Frame1_%1").arg(index));
    frame->setGeometry(geometry);
    return frame;
}

} // namespace

SetteiInitialPage::SetteiInitialPage(const SetteiPickers& pickers, QWidget* parent)
    : QWidget(parent), pickers(pickers) {
    setObjectName(QStringLiteral("InitialPage"));

    Frame1_0 = makeFrame(this, 0, QStringLiteral(" 復帰間隔 "), Twips::toPixelRect(375, 480, 2580, 975));
    VScroll1 = new QScrollBar(Qt::Vertical, Frame1_0);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setGeometry(Twips::toPixelRect(1425, 420, 240, 240));
    VScroll1->setRange(SettingsChoices::minimumMinutes, SettingsChoices::maximumMinutes);
    VScroll1->setSingleStep(SettingsChoices::minutesStep);
    VScroll1->setPageStep(SettingsChoices::maximumMinutes);
    // Used as up and down arrows: the upper arrow raises the interval. Qt's upper arrow lowers a
    // scroll bar's value, so each step is turned round before it is applied; the bar is drawn upside
    // down to match, its largest value at the top.
    VScroll1->setInvertedAppearance(true);
    connect(VScroll1, &QScrollBar::actionTriggered, this, &SetteiInitialPage::turnStepRound);
    connect(VScroll1, &QScrollBar::valueChanged, this, &SetteiInitialPage::VScroll1_Change);
    // The wheel goes as the arrows do, one step per notch; a scroll bar's own wheel runs the other
    // way and several steps at once.
    VScroll1->installEventFilter(this);
    // Reached by Tab: the arrow keys step it as its arrows do, Page Up and Page Down go to the
    // ends, Home and End too.
    VScroll1->setFocusPolicy(Qt::StrongFocus);
    VScroll1->setAccessibleName(QStringLiteral("復帰間隔（分）"));

    Label4 = new QLabel(Frame1_0);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(Twips::toPixelRect(960, 390, 735, 300));
    Label4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label4->setFont(WidgetLook::font(QStringLiteral("ＭＳ ゴシック"), 12, true));
    SetteiGeometry::paintAsBox(Label4);
    Label4->setAccessibleDescription(QStringLiteral("復帰間隔（分）"));
    // The arrows stand over the right end of the box.
    VScroll1->raise();

    Frame1_7 = makeFrame(this, 7, QStringLiteral(" 画面の配色 "), Twips::toPixelRect(375, 1560, 2580, 2325));
    for (std::size_t i = 0; i < colourRows.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf16(colourRows[i].caption), Frame1_7);
        label->setObjectName(QStringLiteral("Label3_%1").arg(i));
        label->setGeometry(Twips::toPixelRect(240, colourRows[i].labelTop, 1305, 255));
        Label3[i] = label;

        auto* swatch = new QPushButton(Frame1_7);
        swatch->setObjectName(QStringLiteral("Command3_%1").arg(i));
        swatch->setToolTip(QString::fromUtf16(colourRows[i].toolTip));
        swatch->setAccessibleName(label->text());
        swatch->setGeometry(Twips::toPixelRect(1650, colourRows[i].buttonTop, 650, 300));
        connect(swatch, &QPushButton::clicked, this, [this, i] { Command3_Click(int(i)); });
        Command3[i] = swatch;
    }

    Frame1_1 = makeFrame(this, 1, QStringLiteral(" 画面のサイズ "), Twips::toPixelRect(3210, 480, 2760, 2235));
    // The options stand on the page inside the frame's outline, so their places count from the page.
    const QFont optionFont = WidgetLook::font(QStringLiteral("ＭＳ Ｐゴシック"), 11.25);
    for (std::size_t i = 0; i < sizeRows.size(); ++i) {
        auto* option = new QRadioButton(QString::fromUtf16(sizeRows[i].caption), this);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        option->setToolTip(QString::fromUtf16(sizeRows[i].toolTip));
        option->setFont(optionFont);
        // Wide enough for the caption where the stand-in font runs a little wider.
        QRect place = Twips::toPixelRect(3450, sizeRows[i].top, 2325, 270);
        place.setWidth(std::max(place.width(), option->sizeHint().width()));
        option->setGeometry(place);
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            makeCheckedOptionTheTabStop();
            if (on)
                Option1_Click(int(i));
        });
        Option1[i] = option;
    }
    sizeNote = new QLabel(QStringLiteral("※ 画面に収まりません"), this);
    sizeNote->setObjectName(QStringLiteral("sizeNote"));
    sizeNote->setFont(optionFont);
    sizeNote->adjustSize();
    sizeNote->move(Twips::toPixelRect(3450, 2790, 0, 0).topLeft());
    sizeNote->hide();
}

void SetteiInitialPage::noteSizesThatDoNotFit(const QList<QRectF>& availableTwips) {
    bool any = false;
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        const bool fits = presetFitsScreens(int(i), availableTwips);
        QString caption = QString::fromUtf16(sizeRows[i].caption);
        if (!fits)
            caption += QStringLiteral(" ※");
        Option1[i]->setText(caption);
        Option1[i]->setAccessibleDescription(fits ? QString() : QStringLiteral("画面に収まりません"));
        Option1[i]->resize(std::max(Option1[i]->width(), Option1[i]->sizeHint().width()), Option1[i]->height());
        any = any || !fits;
    }
    sizeNote->setVisible(any);
}

void SetteiInitialPage::makeCheckedOptionTheTabStop() {
    const bool anyChecked = std::any_of(Option1.begin(), Option1.end(), [](auto* o) { return o->isChecked(); });
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        const bool stop = Option1[i]->isChecked() || (!anyChecked && i == 0);
        Option1[i]->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void SetteiInitialPage::load(const AppSettings& settings) {
    VScroll1->setValue(SettingsChoices::intervalMinutes(settings.OptReturn));
    // The scroll bar reports only changes; the label shows the minutes from the start.
    VScroll1_Change();
    colours = settings.OptColor;
    for (std::size_t i = 0; i < Command3.size(); ++i)
        showSwatch(int(i), Conversions::colorFromText(colours[i]));
    const int size = SettingsChoices::sizeChoice(settings.OptSize);
    Option1[std::size_t(size)]->setChecked(true);
    SelectedSize = size;
}

InitialChoices SetteiInitialPage::choices() const {
    return {double(VScroll1->value()), SelectedSize};
}

void SetteiInitialPage::VScroll1_Change() {
    Label4->setText(QString::number(VScroll1->value()));
}

void SetteiInitialPage::turnStepRound(int action) {
    const int value = VScroll1->value();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        VScroll1->setSliderPosition(value - VScroll1->singleStep());
        break;
    case QAbstractSlider::SliderSingleStepSub:
        VScroll1->setSliderPosition(value + VScroll1->singleStep());
        break;
    case QAbstractSlider::SliderPageStepAdd:
        VScroll1->setSliderPosition(value - VScroll1->pageStep());
        break;
    case QAbstractSlider::SliderPageStepSub:
        VScroll1->setSliderPosition(value + VScroll1->pageStep());
        break;
    default:
        break;
    }
}

bool SetteiInitialPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == VScroll1 && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // The arrows draw no focus: the minutes they step show it, with a plain frame of the same width.
        Label4->setFrameStyle(VScroll1->hasFocus() ? (QFrame::Box | QFrame::Plain) : (QFrame::Panel | QFrame::Sunken));
        return QWidget::eventFilter(watched, event);
    }
    if (watched != VScroll1 || event->type() != QEvent::Wheel)
        return QWidget::eventFilter(watched, event);
    const auto* wheel = static_cast<QWheelEvent*>(event);
    // Away from the user raises the interval, whichever way the desktop turns the content.
    wheelTurn += wheel->inverted() ? -wheel->angleDelta().y() : wheel->angleDelta().y();
    const int notches = wheelTurn / QWheelEvent::DefaultDeltasPerStep;
    wheelTurn -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0)
        VScroll1->setValue(VScroll1->value() + notches * VScroll1->singleStep());
    return true;
}

void SetteiInitialPage::Option1_Click(int index) {
    SelectedSize = index;
}

void SetteiInitialPage::Command3_Click(int index) {
    QString& shown = colours.at(std::size_t(index));
    if (const auto chosen = pickers.pickColor(window(), Conversions::colorFromText(shown))) {
        shown = SettingsChoices::pickedColorText(*chosen);
        showSwatch(index, Conversions::colorFromText(shown));
        emit colourPicked(index, shown);
    }
    window()->raise();
    window()->activateWindow();
}

void SetteiInitialPage::showSwatch(int index, const QColor& color) {
    QPushButton* swatch = Command3.at(std::size_t(index));
    // A picture of the colour: a style sheet would take the button's frame and focus mark away.
    const QSize inside = swatch->size() - QSize(8, 8);
    QPixmap picture(inside);
    picture.fill(color);
    swatch->setIconSize(inside);
    swatch->setIcon(QIcon(picture));
}
