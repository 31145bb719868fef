// The settings window's buttons: what each one saves, and what the countdown window shows afterwards.
#include "app/AppSettings.h"
#include "app/Twips.h"
#include "countdown/PELTRA.h"
#include "dialogs/SETTEI.h"
#include "dialogs/SetteiEnvironmentPage.h"
#include "dialogs/SetteiInitialPage.h"
#include "dialogs/SetteiMessagePage.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/SettingsWindowTesting.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace SettingsWindowTesting;

namespace {
// One pixel is 15 twips at 96 dpi; read-backs snap to it.
constexpr double pixelTolerance = 15.5;
} // namespace

class TestSettingsButtons : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void okSavesEveryPage();
    void applySavesShownPage_data();
    void applySavesShownPage();
    void leavingSavesNothing_data();
    void leavingSavesNothing();
    void tabMemory_data();
    void tabMemory();
    void returnSound_data();
    void returnSound();
    void helpByPage_data();
    void helpByPage();
    void enterConfirms();
    void centringMovesCountdownAtOnce();
    void centringOff_data();
    void centringOff();
    void newSizeReachesCountdownWindow();
    void cancelledWindowLeavesCountdownAlone();

private:
    void load() { loadFreshSettings(*platform); }
    std::unique_ptr<PELTRA> openCountdown();

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
};

void TestSettingsButtons::init() {
    platform = std::make_unique<ScriptedPlatform>();
    store = std::make_unique<TestStore>();
    store->preset(Section::Config, QStringLiteral("TheDate"), QStringLiteral("2026/12/24"));
}

void TestSettingsButtons::cleanup() {
    store.reset();
    platform.reset();
}

std::unique_ptr<PELTRA> TestSettingsButtons::openCountdown() {
    auto window = std::make_unique<PELTRA>();
    window->Form_Load();
    window->Form_Activate();
    window->show();
    return window;
}

void TestSettingsButtons::okSavesEveryPage() {
    load();
    const auto window = openSettings();
    QTest::mouseClick(window->environmentPage->Check1[1], Qt::LeftButton); // double-click end off
    window->SSTab1->setCurrentIndex(1);
    window->initialPage->VScroll1->setValue(45);
    QTest::mouseClick(window->initialPage->Option1[4], Qt::LeftButton);
    window->SSTab1->setCurrentIndex(2);
    window->messagePage->Text2[1]->setText(QStringLiteral("合格！"));
    QTest::mouseClick(window->Command1[0], Qt::LeftButton);

    QVERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Accepted));
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptDbl")), QStringLiteral("0"));
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptLATab")), QStringLiteral("2"));
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptReturn")), QStringLiteral("2700"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("OptSize")), QStringLiteral("4"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Top(0)")), QStringLiteral("340"));
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptMsg(1)")), QStringLiteral("合格！"));
    QCOMPARE(store->value(Section::Fonts, QStringLiteral("OptFont2(3)")), QStringLiteral("False"));
    QCOMPARE(appSettings().OptDbl, QStringLiteral("0"));
    QCOMPARE(appSettings().OptSize, QStringLiteral("4"));
    QCOMPARE(appSettings().OptMsg[1], QStringLiteral("合格！"));
    QCOMPARE(appSettings().Label_Top[0], QStringLiteral("340"));
}

void TestSettingsButtons::applySavesShownPage_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("環境設定") << 0 << environmentKeys;
    QTest::newRow("初期設定") << 1 << initialKeys;
    QTest::newRow("メッセージ等") << 2 << messageKeys;
}

void TestSettingsButtons::applySavesShownPage() {
    QFETCH(int, tab);
    QFETCH(QStringList, written);
    load();
    const auto window = openSettings();
    markStore(*store, environmentKeys + initialKeys + messageKeys);
    window->SSTab1->setCurrentIndex(tab);
    QTest::mouseClick(window->Command1[2], Qt::LeftButton);
    QVERIFY(window->isVisible());
    for (const QString& path : environmentKeys + initialKeys + messageKeys) {
        const bool marked = store->value(sectionOf(path), keyOf(path)) == QLatin1String("mark");
        QVERIFY2(marked != written.contains(path), qPrintable(path));
    }
    // Applying again writes the same; the window stays open.
    QTest::mouseClick(window->Command1[2], Qt::LeftButton);
    QVERIFY(window->isVisible());
}

void TestSettingsButtons::leavingSavesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("キャンセル") << "cancel";
    QTest::newRow("close box") << "close";
    QTest::newRow("Escape") << "escape";
}

void TestSettingsButtons::leavingSavesNothing() {
    QFETCH(QString, how);
    load();
    const AppSettings before = appSettings();
    const auto contents = storeContents(*store);
    auto window = openSettings();
    QTest::mouseClick(window->environmentPage->Check1[3], Qt::LeftButton);
    window->SSTab1->setCurrentIndex(1);
    window->initialPage->VScroll1->setValue(60);
    QTest::mouseClick(window->initialPage->Option1[0], Qt::LeftButton);
    window->SSTab1->setCurrentIndex(2);
    window->messagePage->Text2[0]->setText(QStringLiteral("変更"));
    if (how == QLatin1String("cancel"))
        QTest::mouseClick(window->Command1[1], Qt::LeftButton);
    else if (how == QLatin1String("close"))
        window->close();
    else
        QTest::keyClick(window.get(), Qt::Key_Escape);

    QVERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Rejected));
    QCOMPARE(storeContents(*store), contents);
    QCOMPARE(appSettings().OptBM, before.OptBM);
    QCOMPARE(appSettings().OptSize, before.OptSize);
    QCOMPARE(appSettings().OptReturn, before.OptReturn);
    QCOMPARE(appSettings().OptMsg[0], before.OptMsg[0]);
    QCOMPARE(appSettings().OptLATab, before.OptLATab);

    // The next opening shows the old values.
    window = openSettings();
    QVERIFY(window->environmentPage->Check1[3]->isChecked());
    QCOMPARE(window->initialPage->Label4->text(), QStringLiteral("10"));
    QVERIFY(window->initialPage->Option1[2]->isChecked());
    QCOMPARE(window->messagePage->Text2[0]->text(), before.OptMsg[0]);
    QCOMPARE(window->SSTab1->currentIndex(), 0);
}

void TestSettingsButtons::tabMemory_data() {
    QTest::addColumn<bool>("remember");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("recorded");
    QTest::newRow("remembered, page 2") << true << 2 << "2";
    QTest::newRow("remembered, page 1") << true << 1 << "1";
    QTest::newRow("not remembered") << false << 2 << "1";
}

void TestSettingsButtons::tabMemory() {
    QFETCH(bool, remember);
    QFETCH(int, tab);
    QFETCH(QString, recorded);
    store->preset(Section::Config, QStringLiteral("OptLATab"), QStringLiteral("1"));
    load();
    auto window = openSettings();
    if (window->environmentPage->Check1[6]->isChecked() != remember)
        QTest::mouseClick(window->environmentPage->Check1[6], Qt::LeftButton);
    window->SSTab1->setCurrentIndex(tab);
    QTest::mouseClick(window->Command1[0], Qt::LeftButton);
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptLAct")), QString(remember ? "1" : "0"));
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptLATab")), recorded);
    QCOMPARE(appSettings().OptLATab, recorded);
    window = openSettings();
    QCOMPARE(window->SSTab1->currentIndex(), recorded.toInt());
}

void TestSettingsButtons::returnSound_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("saved");
    QTest::newRow("untick: 2") << "1"
                               << "2";
    QTest::newRow("tick: 1") << "2"
                             << "1";
}

void TestSettingsButtons::returnSound() {
    QFETCH(QString, stored);
    QFETCH(QString, saved);
    store->preset(Section::Config, QStringLiteral("OptBM"), stored);
    load();
    const auto window = openSettings();
    QTest::mouseClick(window->environmentPage->Check1[3], Qt::LeftButton);
    QTest::mouseClick(window->Command1[2], Qt::LeftButton);
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptBM")), saved);
    QCOMPARE(appSettings().OptBM, saved);
}

void TestSettingsButtons::helpByPage_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("context");
    QTest::newRow("環境設定") << 0 << 11;
    QTest::newRow("初期設定") << 1 << 12;
    QTest::newRow("メッセージ等") << 2 << 13;
}

void TestSettingsButtons::helpByPage() {
    QFETCH(int, tab);
    QFETCH(int, context);
    load();
    const auto contents = storeContents(*store);
    const auto window = openSettings();
    window->SSTab1->setCurrentIndex(tab);
    QTest::mouseClick(window->Command1[3], Qt::LeftButton);
    QCOMPARE(platform->helpRequests.size(), 1);
    QCOMPARE(platform->helpRequests[0].window.data(), window.get());
    QCOMPARE(platform->helpRequests[0].helpFile, QStringLiteral("/opt/peltra/PELTRA.HLP"));
    QCOMPARE(platform->helpRequests[0].command, 1);
    QCOMPARE(platform->helpRequests[0].data, context);
    QVERIFY(window->isVisible());
    QCOMPARE(storeContents(*store), contents);
}

void TestSettingsButtons::enterConfirms() {
    load();
    const auto window = openSettings();
    int fontPicks = 0;
    window->pickers.pickFont = [&](QWidget*, const QFont&) -> std::optional<QFont> {
        ++fontPicks;
        return std::nullopt;
    };
    window->SSTab1->setCurrentIndex(2);
    QTest::mouseClick(window->messagePage->Command2[0], Qt::LeftButton);
    QCOMPARE(fontPicks, 1);
    window->messagePage->Text2[0]->setFocus();
    window->messagePage->Text2[0]->selectAll();
    QTest::keyClicks(window->messagePage->Text2[0], QStringLiteral("abc"));
    QTest::keyClick(window->messagePage->Text2[0], Qt::Key_Return);
    QCOMPARE(fontPicks, 1);
    QVERIFY(!window->isVisible());
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptMsg(0)")), QStringLiteral("abc"));
}

void TestSettingsButtons::centringMovesCountdownAtOnce() {
    store->preset(Section::Position, QStringLiteral("M_Left"), QStringLiteral("1500"));
    store->preset(Section::Position, QStringLiteral("M_Top"), QStringLiteral("900"));
    load();
    const auto countdown = openCountdown();
    QCOMPARE(countdown->windowPosition(), QPointF(1500, 900));
    QPointF whileOpen;
    whenModalOpens([&](QWidget* modal) {
        auto* settings = qobject_cast<SETTEI*>(modal);
        QTest::mouseClick(settings->environmentPage->Check1[0], Qt::LeftButton);
        QTest::mouseClick(settings->Command1[2], Qt::LeftButton);
        whileOpen = countdown->windowPosition();
        settings->reject();
    });
    countdown->mnuOptSettei->trigger();
    // (15360 - 9600) / 2 and (11520 - 7300) / 2
    QCOMPARE(whileOpen, QPointF(2880, 2110));
    QCOMPARE(countdown->windowPosition(), QPointF(2880, 2110));
    QCOMPARE(store->value(Section::Position, QStringLiteral("OptCent")), QStringLiteral("1"));
}

void TestSettingsButtons::centringOff_data() {
    QTest::addColumn<QPointF>("place");
    QTest::addColumn<QPointF>("after");
    QTest::newRow("at the corner: centred once") << QPointF(0, 0) << QPointF(2880, 2110);
    QTest::newRow("elsewhere: stays") << QPointF(1500, 900) << QPointF(1500, 900);
}

void TestSettingsButtons::centringOff() {
    QFETCH(QPointF, place);
    QFETCH(QPointF, after);
    store->preset(Section::Position, QStringLiteral("M_Left"), QString::number(place.x()));
    store->preset(Section::Position, QStringLiteral("M_Top"), QString::number(place.y()));
    load();
    const auto countdown = openCountdown();
    QPointF whileOpen;
    whenModalOpens([&](QWidget* modal) {
        auto* settings = qobject_cast<SETTEI*>(modal);
        QTest::mouseClick(settings->Command1[2], Qt::LeftButton);
        whileOpen = countdown->windowPosition();
        QTest::mouseClick(settings->Command1[1], Qt::LeftButton);
    });
    countdown->mnuOptSettei->trigger();
    QCOMPARE(whileOpen, after);
    QCOMPARE(countdown->windowPosition(), after);
    QCOMPARE(appSettings().M_Left, QString::number(after.x()));
    QCOMPARE(appSettings().M_Top, QString::number(after.y()));
    QCOMPARE(store->value(Section::Position, QStringLiteral("OptCent")), QStringLiteral("0"));
}

void TestSettingsButtons::newSizeReachesCountdownWindow() {
    load();
    const auto countdown = openCountdown();
    countdown->layout().setLabelPosition(0, {160, 680});
    whenModalOpens([&](QWidget* modal) {
        auto* settings = qobject_cast<SETTEI*>(modal);
        settings->SSTab1->setCurrentIndex(1);
        QTest::mouseClick(settings->initialPage->Option1[0], Qt::LeftButton);
        QTest::mouseClick(settings->Command1[0], Qt::LeftButton);
    });
    countdown->mnuOptSettei->trigger();
    QVERIFY(qAbs(countdown->windowOuterSize().width() - 15360) < pixelTolerance);
    QVERIFY(qAbs(countdown->windowOuterSize().height() - 11520) < pixelTolerance);
    QVERIFY(qAbs(countdown->layout().labelPosition(0).x() - 256) < pixelTolerance);
    QVERIFY(qAbs(countdown->layout().labelPosition(0).y() - 1073.096) < pixelTolerance);
    QCOMPARE(countdown->Label1[0]->font().pointSizeF(), 34.0);
    // Size and positions go to the store together.
    QCOMPARE(store->value(Section::Position, QStringLiteral("OptSize")), QStringLiteral("0"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Left(0)")), QStringLiteral("256"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Top(0)")), QStringLiteral("1073.096"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Top(1)")), QStringLiteral("7480.109"));
}

void TestSettingsButtons::cancelledWindowLeavesCountdownAlone() {
    load();
    const auto countdown = openCountdown();
    const QSizeF size = countdown->windowOuterSize();
    whenModalOpens([&](QWidget* modal) {
        auto* settings = qobject_cast<SETTEI*>(modal);
        settings->SSTab1->setCurrentIndex(1);
        QTest::mouseClick(settings->initialPage->Option1[4], Qt::LeftButton);
        settings->SSTab1->setCurrentIndex(2);
        settings->messagePage->Text2[0]->setText(QStringLiteral("取り消す"));
        QTest::mouseClick(settings->Command1[1], Qt::LeftButton);
    });
    countdown->mnuOptSettei->trigger();
    QCOMPARE(countdown->windowOuterSize(), size);
    QCOMPARE(countdown->Label1[0]->text(), QStringLiteral("高校の入学試験まであと・・・"));
}

QTEST_MAIN(TestSettingsButtons)
#include "tst_settingsbuttons.moc"
