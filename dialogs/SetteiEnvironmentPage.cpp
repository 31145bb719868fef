#include "dialogs/SetteiEnvironmentPage.h"

#include "app/core/AppSettings.h"
#include "app/core/Twips.h"
#include "app/settings/SettingsChoices.h"
#include "dialogs/SetteiGeometry.h"
#include "dialogs/SetteiPickers.h"
#include "dialogs/WidgetLook.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPushButton>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

struct SwitchRow {
    const char16_t* caption;
    const char16_t* toolTip;
    int top;
    QString AppSettings::*setting;
};

// clang-format off
const std::array<SwitchRow, 7> switchRows{{
    {u"画面のセンタリング(&C)",   u" 画面のセンタリング ",   915,  &AppSettings::OptCent},
    {u"ダブルクリックで終了(&D)", u" ダブルクリックで終了 ", 1275, &AppSettings::OptDbl},
    {u"日付・時間の表示(&T)",     u" 日付・時間の表示 ",     1605, &AppSettings::OptDateTime},
    {u"復帰音の再生(&R)",         u" 復帰音の再生 ",         1965, &AppSettings::OptBM},
    {u"背景ファイルの使用(&H)",   u" 背景ファイルの使用 ",   2325, &AppSettings::OptHaik},
    {u"メッセージ等の移動(&M)",   nullptr,                   2685, &AppSettings::OptMsgMove},
    {u"最後のアクティブタブ(&A)", u" 最後のアクティブタブ ", 3045, &AppSettings::OptLAct},
}};
// clang-format on

constexpr std::size_t pictureSwitch = 4;

} // namespace

SetteiEnvironmentPage::SetteiEnvironmentPage(const SetteiPickers& pickers, QString startFolder, QWidget* parent)
    : QWidget(parent), pickers(pickers), startFolder(std::move(startFolder)) {
    setObjectName(QStringLiteral("EnvironmentPage"));
    const QFont switchFont = WidgetLook::font(QStringLiteral("ＭＳ Ｐゴシック"), 11.25);
    for (std::size_t i = 0; i < Check1.size(); ++i) {
        auto* box = new QCheckBox(QString::fromUtf16(switchRows[i].caption), this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(i));
        box->setFont(switchFont);
        if (switchRows[i].toolTip)
            box->setToolTip(QString::fromUtf16(switchRows[i].toolTip));
        box->adjustSize();
        box->move(Twips::toPixelRect(1725, switchRows[i].top, 0, 0).topLeft());
        // Raised by ticks from code as well, as at loading.
        connect(box, &QCheckBox::toggled, this, [this, i] { Check1_Click(int(i)); });
        Check1[i] = box;
    }

    Command4 = new QPushButton(QStringLiteral("..."), this);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->setToolTip(QStringLiteral(" 背景ファイルの選択 "));
    Command4->setAccessibleName(QStringLiteral("背景ファイルの選択"));
    Command4->setGeometry(Twips::toPixelRect(4275, 2340, 325, 300));
    connect(Command4, &QPushButton::clicked, this, &SetteiEnvironmentPage::Command4_Click);
}

void SetteiEnvironmentPage::load(const AppSettings& settings) {
    for (std::size_t i = 0; i < Check1.size(); ++i) {
        Check1[i]->setChecked(SettingsChoices::isTicked(settings.*switchRows[i].setting));
        if (i == pictureSwitch)
            Command4->setEnabled(settings.usesPicture());
    }
}

std::array<bool, 7> SetteiEnvironmentPage::ticked() const {
    std::array<bool, 7> result{};
    for (std::size_t i = 0; i < Check1.size(); ++i)
        result[i] = Check1[i]->isChecked();
    return result;
}

QStringList SetteiEnvironmentPage::fileFilters() {
    struct Format {
        const char* name;
        QStringList extensions;
    };
    const Format formats[] = {
        {"png", {QStringLiteral("png")}},
        {"jpeg", {QStringLiteral("jpg"), QStringLiteral("jpeg")}},
        {"bmp", {QStringLiteral("bmp")}},
        {"gif", {QStringLiteral("gif")}},
    };
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QStringList all;
    QStringList each;
    for (const Format& format : formats) {
        if (!readable.contains(format.name))
            continue;
        QStringList patterns;
        for (const QString& extension : format.extensions)
            patterns << u"*."_s + extension.toUpper() << u"*."_s + extension;
        all << patterns;
        each << u"("_s + patterns.join(u' ') + u')';
    }
    return QStringList{u"背景ﾌｧｲﾙ("_s + all.join(u' ') + u')'} + each + QStringList{u"その他すべてのﾌｧｲﾙ(*)"_s};
}

QString SetteiEnvironmentPage::pictureFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

void SetteiEnvironmentPage::Check1_Click(int /*index*/) {
    Command4->setEnabled(Check1[pictureSwitch]->isChecked());
}

void SetteiEnvironmentPage::Command4_Click() {
    const auto path = pickers.pickFile(window(), startFolder, fileFilters());
    if (path && !path->isEmpty())
        emit pictureChosen(*path);
}
