#include "app/AppSettings.h"
#include "app/StartUp.h"
#include "countdown/PELTRA.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestStartUp : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartAsksForTheDate_data();
    void firstStartAsksForTheDate();
    void laterStartUsesTheStore();
    void unusableStoredValuesStillGiveAWindow();

private:
    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
};

void TestStartUp::init() {
    platform = std::make_unique<ScriptedPlatform>();
    store = std::make_unique<TestStore>();
    appSettings() = AppSettings{};
}

void TestStartUp::cleanup() {
    store.reset();
    platform.reset();
}

void TestStartUp::firstStartAsksForTheDate_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("windowShown");
    QTest::newRow("了解") << "Command1_0" << true;
    QTest::newRow("キャンセル") << "Command1_1" << false;
}

void TestStartUp::firstStartAsksForTheDate() {
    QFETCH(QString, button);
    QFETCH(bool, windowShown);
    QString dialogTitle;
    QDate calendarDate;
    whenModalOpens([&](QWidget* modal) {
        dialogTitle = modal->windowTitle();
        QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
    });
    const auto window = startUp(*platform);

    QCOMPARE(dialogTitle, QStringLiteral("イベント日の設定"));
    QCOMPARE(window != nullptr, windowShown);
    QCOMPARE(platform->ended, !windowShown);
    if (!windowShown) {
        QVERIFY(store->keys().isEmpty());
        return;
    }
    QCOMPARE(platform->messages.size(), 1);
    QCOMPARE(platform->messages[0].prompt, QStringLiteral("イベント日を設定しました。"));
    QCOMPARE(store->value(Section::Config, QStringLiteral("TheDate")), QStringLiteral("2026/12/07"));
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("ペルトラ for Windows"));
    QCOMPARE(window->Label1[2]->text(), QStringLiteral("1"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("OptSize")), QStringLiteral("2"));
    QVERIFY(!store->keys().contains(QStringLiteral("Position/M_Left")));
    QCOMPARE(appSettings().HelpFilePath, QStringLiteral("/opt/peltra/PELTRA.HLP"));
}

void TestStartUp::laterStartUsesTheStore() {
    store->preset(Section::Config, QStringLiteral("TheDate"), QStringLiteral("2027/03/01"));
    store->preset(Section::Position, QStringLiteral("OptSize"), QStringLiteral("4"));
    store->preset(Section::Position, QStringLiteral("M_Left"), QStringLiteral("1500"));
    store->preset(Section::Position, QStringLiteral("M_Top"), QStringLiteral("750"));
    store->preset(Section::Config, QStringLiteral("OptMsg(0)"), QStringLiteral("卒業まであと"));
    const auto window = startUp(*platform);
    QVERIFY(window);
    QVERIFY(platform->messages.isEmpty());
    QCOMPARE(window->Label1[0]->text(), QStringLiteral("卒業まであと"));
    QCOMPARE(window->Label1[2]->text(), QStringLiteral("85"));
    QCOMPARE(window->windowPosition(), QPointF(1500, 750));
    QVERIFY(qAbs(window->windowOuterSize().width() - 4700) < 15.5);
    QVERIFY(qAbs(window->windowOuterSize().height() - 3650) < 15.5);
}

void TestStartUp::unusableStoredValuesStillGiveAWindow() {
    store->preset(Section::Config, QStringLiteral("TheDate"), QStringLiteral("2027/03/01"));
    store->preset(Section::Position, QStringLiteral("OptSize"), QStringLiteral("巨大"));
    store->preset(Section::Position, QStringLiteral("Label_Top(1)"), QStringLiteral("1e300"));
    store->preset(Section::Config, QStringLiteral("OptColor(4)"), QStringLiteral("緑"));
    store->preset(Section::Fonts, QStringLiteral("OptFont(2)"), QStringLiteral("maybe"));
    const auto window = startUp(*platform);
    QVERIFY(window);
    QVERIFY(qAbs(window->windowOuterSize().width() - 9600) < 15.5);
    QVERIFY(qAbs(window->layout().labelPosition(1).y() - 4740) < 15.5);
    QVERIFY(!window->Label1[0]->font().bold());
    // The stored texts are left as they were.
    QCOMPARE(store->value(Section::Position, QStringLiteral("OptSize")), QStringLiteral("巨大"));
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
