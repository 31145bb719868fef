#include "dialogs/SETTEI.h"

#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"
#include "app/core/CountdownPlacement.h"
#include "app/core/Platform.h"
#include "app/core/Twips.h"
#include "app/settings/SettingsChoices.h"
#include "app/settings/SettingsSaving.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/StoreWriteReport.h"
#include "dialogs/SetteiEnvironmentPage.h"
#include "dialogs/SetteiGeometry.h"
#include "dialogs/SetteiInitialPage.h"
#include "dialogs/SetteiMessagePage.h"
#include "dialogs/WidgetLook.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include <vector>

namespace {
// Help topics of the three pages.
constexpr int firstHelpContext = 11;
} // namespace

SETTEI::SETTEI(const ProgramContext& context, CountdownPlacement* countdown, QWidget* parent)
    : CancelRoutedDialog(parent), context(context), countdown(countdown) {
    setObjectName(QStringLiteral("SETTEI"));
    setWindowTitle(QStringLiteral("各種設定"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(Twips::toPixelRect(120, 120, 6345, 4125));
    SSTab1->setFont(WidgetLook::font(QStringLiteral("ＭＳ Ｐゴシック"), 9.75));
    SSTab1->setUsesScrollButtons(false);
    environmentPage = new SetteiEnvironmentPage(pickers, SetteiEnvironmentPage::pictureFolder());
    initialPage = new SetteiInitialPage(pickers);
    messagePage = new SetteiMessagePage(pickers);
    // What the pickers choose is in force at once, whichever button later closes the window.
    connect(environmentPage, &SetteiEnvironmentPage::pictureChosen, this, &SETTEI::takePicture);
    connect(initialPage, &SetteiInitialPage::colourPicked, this, [this](int index, const QString& colour) {
        this->context.settings.OptColor.at(std::size_t(index)) = colour;
    });
    connect(messagePage, &SetteiMessagePage::fontPicked, this, [this](int index, const std::array<QString, 4>& font) {
        (index == 0 ? this->context.settings.OptFont : this->context.settings.OptFont2) = font;
    });
    SSTab1->addTab(environmentPage, QStringLiteral("環境設定"));
    SSTab1->addTab(initialPage, QStringLiteral("初期設定"));
    SSTab1->addTab(messagePage, QStringLiteral("メッセージ等"));
    const int tabRowHeight = SSTab1->tabBar()->sizeHint().height();
    for (QWidget* page : {static_cast<QWidget*>(environmentPage), static_cast<QWidget*>(initialPage),
                          static_cast<QWidget*>(messagePage)})
        SetteiGeometry::liftChildren(page, tabRowHeight);

    static constexpr std::array<const char16_t*, 4> captions{u"OK", u"キャンセル", u"適用(&A)", u"ヘルプ"};
    static constexpr std::array<const char16_t*, 4> toolTips{u" OK ", u" キャンセル ", u" 適用 ", u" ヘルプ "};
    static constexpr std::array<int, 4> lefts{527, 1937, 3347, 4757};
    for (std::size_t i = 0; i < Command1.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf16(captions[i]), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setToolTip(QString::fromUtf16(toolTips[i]));
        button->setGeometry(Twips::toPixelRect(lefts[i], 4380, 1300, 300));
        button->setFont(WidgetLook::font(QStringLiteral("MS UI Gothic"), 9));
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(int(i)); });
        Command1[i] = button;
    }
    // Enter in a message box or on a switch confirms the window.
    Command1[0]->setDefault(true);

    setTabOrderOfControls();
    initialPage->noteSizesThatDoNotFit(context.platform.availableRectsTwips());

    fixSizeAndCentre(6585, 4770);

    Form_Load();
}

void SETTEI::setTabOrderOfControls() {
    // Page by page, then the buttons, then the tab row.
    std::vector<QWidget*> chain;
    const auto& switches = environmentPage->Check1;
    chain.insert(chain.end(), switches.begin(), switches.begin() + 5);
    chain.push_back(environmentPage->Command4);
    chain.insert(chain.end(), switches.begin() + 5, switches.end());
    chain.push_back(initialPage->VScroll1);
    chain.insert(chain.end(), initialPage->Command3.begin(), initialPage->Command3.end());
    chain.insert(chain.end(), initialPage->Option1.begin(), initialPage->Option1.end());
    chain.insert(chain.end(), messagePage->Text2.begin(), messagePage->Text2.end());
    chain.insert(chain.end(), messagePage->Command2.begin(), messagePage->Command2.end());
    chain.insert(chain.end(), messagePage->Check2.begin(), messagePage->Check2.end());
    chain.insert(chain.end(), messagePage->Check3.begin(), messagePage->Check3.end());
    chain.insert(chain.end(), Command1.begin(), Command1.end());
    chain.push_back(SSTab1);
    for (std::size_t i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

void SETTEI::Form_Load() {
    const AppSettings& settings = context.settings;
    environmentPage->load(settings);
    // Whether or not the tab is remembered now, the one last recorded is shown.
    SSTab1->setCurrentIndex(SettingsChoices::tabIndex(settings.OptLATab));
    initialPage->load(settings);
    messagePage->load(settings);
}

void SETTEI::Command1_Click(int index) {
    // Whatever the button saves goes to the file as one write, written before the window closes.
    SettingsStore::Batch batch(context.store);
    switch (index) {
    case 0:
        SaveEnvironmentTab();
        SaveInitialTab();
        SaveMessagesTab();
        report(batch.commit());
        closeWindow(QDialog::Accepted);
        break;
    case 1:
        // What the pickers chose stays in force.
        closeWindow(QDialog::Rejected);
        break;
    case 2:
        switch (SSTab1->currentIndex()) {
        case 0:
            SaveEnvironmentTab();
            break;
        case 1:
            SaveInitialTab();
            break;
        case 2:
            SaveMessagesTab();
            break;
        default:
            break;
        }
        report(batch.commit());
        break;
    case 3:
        if (const int tab = SSTab1->currentIndex(); tab >= 0 && tab <= 2)
            context.platform.winHelp(this, context.settings.HelpFilePath, HelpCommand::Context, firstHelpContext + tab);
        break;
    default:
        break;
    }
}

void SETTEI::SaveEnvironmentTab() {
    placeCountdownWindow(environmentPage->Check1[0]->isChecked());
    const EnvironmentChoices choices{environmentPage->ticked(), SSTab1->currentIndex()};
    report(writeStoredValues(context.store, ::SaveEnvironmentTab(context.settings, choices)));
}

void SETTEI::SaveInitialTab() {
    report(writeStoredValues(context.store,
                             ::SaveInitialTab(context.settings, initialPage->choices(), context.platform.now())));
}

void SETTEI::SaveMessagesTab() {
    report(writeStoredValues(context.store, ::SaveMessagesTab(context.settings, messagePage->messages())));
}

void SETTEI::takePicture(const QString& path) {
    report(context.store.Save(SettingsKeys::OptBFile, path));
    context.settings.OptBFile = path;
}

void SETTEI::report(const StoreWrite& write) {
    reportStoreWrite(context.platform, write);
}

void SETTEI::placeCountdownWindow(bool centre) {
    if (!countdown)
        return;
    // A window at the very corner has never been placed by the user: centre it once.
    if (centre || countdown->windowPosition() == QPointF(0, 0))
        countdown->centreNow();
    if (!centre) {
        // The next layout of the countdown window keeps it where it now is.
        AppSettings& settings = context.settings;
        const QPointF place = countdown->windowPosition();
        settings.M_Top = Conversions::numberText(place.y());
        settings.M_Left = Conversions::numberText(place.x());
    }
}

void SETTEI::cancelRequested() {
    Command1_Click(1);
}
