#include "dialogs/SetteiMessagePage.h"

#include "app/core/AppSettings.h"
#include "app/core/Twips.h"
#include "app/settings/SettingsChoices.h"
#include "dialogs/SetteiGeometry.h"
#include "dialogs/SetteiPickers.h"
#include "dialogs/WidgetLook.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QCheckBox* makeFlagBox(const QString& caption, const QString& name, QWidget* frame, int left) {
    auto* box = new QCheckBox(caption, frame);
    box->setObjectName(name);
    box->setToolTip(u' ' + caption + u' ');
    box->adjustSize();
    box->move(Twips::toPixelRect(left, 690, 0, 0).topLeft());
    // It shows the font's flag; the font picker sets it.
    box->setEnabled(false);
    return box;
}

} // namespace

SetteiMessagePage::SetteiMessagePage(const SetteiPickers& pickers, QWidget* parent)
    : QWidget(parent), pickers(pickers) {
    setObjectName(QStringLiteral("MessagePage"));

    static constexpr std::array<const char16_t*, 2> captions{u"上段", u"下段"};
    static constexpr std::array<const char16_t*, 2> toolTips{u" 上段のメッセージ ", u" 下段のメッセージ "};
    static constexpr std::array<int, 2> tops{690, 1470};
    for (std::size_t i = 0; i < Text2.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf16(captions[i]), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        label->adjustSize();
        label->move(Twips::toPixelRect(240, tops[i], 0, 0).topLeft());
        Label1[i] = label;

        auto* text = new QLineEdit(this);
        text->setObjectName(QStringLiteral("Text2_%1").arg(i));
        text->setToolTip(QString::fromUtf16(toolTips[i]));
        text->setGeometry(Twips::toPixelRect(810, tops[i] - 30, 5235, 570));
        text->setFont(WidgetLook::font(QStringLiteral("ＭＳ ゴシック"), 12, true));
        SetteiGeometry::paintAsBox(text);
        label->setBuddy(text);
        text->setAccessibleName(QString::fromUtf16(toolTips[i]).trimmed());
        Text2[i] = text;
    }

    Frame1_6 = new QGroupBox(QStringLiteral(" メッセージ：フォント・スタイル"), this);
    Frame1_6->setObjectName(QStringLiteral("Frame1_6"));
    Frame1_6->setGeometry(Twips::toPixelRect(300, 2220, 2880, 1200));
    Frame1_2 = new QGroupBox(QStringLiteral(" カウント：フォント・スタイル"), this);
    Frame1_2->setObjectName(QStringLiteral("Frame1_2"));
    Frame1_2->setGeometry(Twips::toPixelRect(3150, 2220, 2880, 1200));

    const std::array<QGroupBox*, 2> frames{Frame1_6, Frame1_2};
    for (std::size_t i = 0; i < frames.size(); ++i) {
        auto* name = new QLabel(frames[i]);
        name->setObjectName(QStringLiteral("Label2_%1").arg(i));
        name->setTextFormat(Qt::PlainText);
        name->setToolTip(QStringLiteral(" フォント名 "));
        name->setGeometry(Twips::toPixelRect(240, 330, 2100, 300));
        name->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        SetteiGeometry::paintAsBox(name);
        Label2[i] = name;

        auto* button = new QPushButton(QStringLiteral("..."), frames[i]);
        button->setObjectName(QStringLiteral("Command2_%1").arg(i));
        button->setToolTip(QStringLiteral(" ﾌｫﾝﾄ･ｽﾀｲﾙ "));
        // Named after its frame: the two buttons show the same text.
        button->setAccessibleName(frames[i]->title().trimmed());
        name->setAccessibleDescription(frames[i]->title().trimmed());
        button->setGeometry(Twips::toPixelRect(2340, 330, 300, 300));
        connect(button, &QPushButton::clicked, this, [this, i] { Command2_Click(int(i)); });
        Command2[i] = button;
    }
    Check2[0] = makeFlagBox(QStringLiteral("太字"), QStringLiteral("Check2_0"), Frame1_6, 240);
    Check2[1] = makeFlagBox(QStringLiteral("斜体"), QStringLiteral("Check2_1"), Frame1_6, 1200);
    Check3[0] = makeFlagBox(QStringLiteral("太字"), QStringLiteral("Check3_0"), Frame1_2, 240);
}

void SetteiMessagePage::load(const AppSettings& settings) {
    loadedMessages = settings.OptMsg;
    Text2[0]->setText(settings.OptMsg[0]);
    Text2[1]->setText(settings.OptMsg[1]);
    shownMessages = {Text2[0]->text(), Text2[1]->text()};
    fonts = {settings.OptFont, settings.OptFont2};
    Label2[0]->setText(settings.OptFont[0]);
    showFontFlags(0, settings.OptFont);
    Label2[1]->setText(settings.OptFont2[0]);
    showFontFlags(1, settings.OptFont2);
}

std::array<QString, 2> SetteiMessagePage::messages() const {
    const auto message = [this](std::size_t i) {
        return Text2[i]->text() == shownMessages[i] ? loadedMessages[i] : Text2[i]->text();
    };
    return {message(0), message(1)};
}

void SetteiMessagePage::showFontFlags(int index, const std::array<QString, 4>& font) {
    if (index == 0) {
        Check2[0]->setChecked(SettingsChoices::fontFlag(font[2]));
        Check2[1]->setChecked(SettingsChoices::fontFlag(font[3]));
    } else {
        Check3[0]->setChecked(SettingsChoices::fontFlag(font[2]));
    }
}

void SetteiMessagePage::Command2_Click(int index) {
    std::array<QString, 4>& font = fonts.at(std::size_t(index));

    QFont initial(font[0]);
    initial.setPointSizeF(SettingsChoices::fontPointSize(font[1]));
    initial.setBold(SettingsChoices::fontFlag(font[2]));
    initial.setItalic(SettingsChoices::fontFlag(font[3]));
    // The dialog lists installed families only, not the names that stand for them.
    const QString presetFamily = QFontInfo(initial).family();
    initial.setFamily(presetFamily);

    if (const auto chosen = pickers.pickFont(window(), initial)) {
        font = SettingsChoices::pickedFontTexts(font, presetFamily, chosen->family(), chosen->pointSizeF(),
                                                chosen->bold(), chosen->italic());
        Label2.at(std::size_t(index))->setText(font[0]);
        emit fontPicked(index, font);
    }
    showFontFlags(index, font);
    window()->raise();
    window()->activateWindow();
}
