#include "app/AppSettings.h"
#include "countdown/PELTRA.h"
#include "dialogs/INP_DATE.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
const QString soundMissing = QStringLiteral("設定されている「音声ﾌｧｲﾙ」が見つかりません。");
const QString passedQuestion = QStringLiteral("イベントは終了しています。 新しい日を設定しますか？");
} // namespace

class TestCountdownTimers : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void countFollowsMidnight();
    void passedEventCancelEnds();
    void passedEventOkAsksForNewDate();
    void clickMinimisesAndStartsCountdown_data();
    void clickMinimisesAndStartsCountdown();
    void returnAfterDelay_data();
    void returnAfterDelay();
    void returnAcrossMidnight();
    void restoreByHandEndsPendingReturn();
    void noReturnWithoutMinimise();
    void tickDuringReturnMessageStartsNoSecond();

private:
    void provideSound();

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
};

void TestCountdownTimers::init() {
    platform = std::make_unique<ScriptedPlatform>();
    store = std::make_unique<TestStore>();
    loadFreshSettings(*platform);
}

void TestCountdownTimers::cleanup() {
    store.reset();
    platform.reset();
}

void TestCountdownTimers::provideSound() {
    platform->environment[QStringLiteral("windir")] = QStringLiteral("/sys");
    platform->existingFiles[QStringLiteral("/sys/MEDIA/DING.WAV")] = QStringLiteral("DING.WAV");
}

void TestCountdownTimers::countFollowsMidnight() {
    appSettings().TheDate = QDate(2026, 12, 7);
    const auto window = openCountdownWindow();
    QCOMPARE(window->Label1[2]->text(), QStringLiteral("1"));
    platform->clock = QDateTime(QDate(2026, 12, 7), QTime(0, 0, 5));
    window->Timer1_Timer();
    // The event day itself: 0, and nothing else happens.
    QCOMPARE(window->Label1[2]->text(), QStringLiteral("0"));
    QVERIFY(platform->messages.isEmpty());
    QVERIFY(window->Timer1->isActive());
}

void TestCountdownTimers::passedEventCancelEnds() {
    appSettings().TheDate = QDate(2026, 12, 5);
    appSettings().OptColor[3] = QStringLiteral("&H0000FFFF&"); // a yellow count box
    const auto window = openCountdownWindow();
    bool timer1DuringQuestion = true;
    int yellowUnderQuestion = -1;
    platform->onMessage = [&](const ScriptedPlatform::Message&) {
        timer1DuringQuestion = window->Timer1->isActive();
        const QImage shot = window->grab().toImage();
        yellowUnderQuestion = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x)
                yellowUnderQuestion += shot.pixel(x, y) == qRgb(255, 255, 0);
        }
    };
    platform->answers << MessageAnswer::Cancel;
    window->Timer1_Timer();
    QCOMPARE(platform->messages.size(), 1);
    QCOMPARE(platform->messages[0].prompt, passedQuestion);
    QCOMPARE(platform->messages[0].style, 33);
    QCOMPARE(platform->messages[0].title, QStringLiteral("設定日付確認"));
    QVERIFY(!timer1DuringQuestion);
    // The cleared count leaves no empty box behind.
    QCOMPARE(yellowUnderQuestion, 0);
    QVERIFY(platform->ended);
    QVERIFY(window->Label1[2]->text().isEmpty());
    // Nothing is saved on this way out.
    QVERIFY(store->value(Section::Position, QStringLiteral("M_Left")).isEmpty());
    QVERIFY(store->value(Section::Position, QStringLiteral("Label_Left(0)")).isEmpty());
}

void TestCountdownTimers::passedEventOkAsksForNewDate() {
    appSettings().TheDate = QDate(2026, 12, 5);
    const auto window = openCountdownWindow();
    bool timer1InDialog = true;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<INP_DATE*>(modal);
        timer1InDialog = window->Timer1->isActive();
        dialog->MonthView1->setSelectedDate(QDate(2026, 12, 20));
        emit dialog->MonthView1->clicked(QDate(2026, 12, 20));
        QTest::mouseClick(dialog->Command1[0], Qt::LeftButton);
    });
    window->Timer1_Timer();
    QVERIFY(!timer1InDialog);
    QVERIFY(!platform->ended);
    QCOMPARE(appSettings().TheDate, QDate(2026, 12, 20));
    QCOMPARE(window->Label1[2]->text(), QStringLiteral("14"));
    QVERIFY(window->Timer1->isActive());
    QCOMPARE(window->Timer1->interval(), 10000);
}

void TestCountdownTimers::clickMinimisesAndStartsCountdown_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("label");
    QTest::addColumn<bool>("minimises");
    QTest::newRow("left on the count") << Qt::LeftButton << 2 << true;
    QTest::newRow("right on the count") << Qt::RightButton << 2 << true;
    QTest::newRow("middle on the count") << Qt::MiddleButton << 2 << false;
    QTest::newRow("left on a message") << Qt::LeftButton << 0 << false;
}

void TestCountdownTimers::clickMinimisesAndStartsCountdown() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, label);
    QFETCH(bool, minimises);
    const auto window = openCountdownWindow();
    window->move(105, 45);
    window->Timer1->setInterval(60000);
    platform->clock = QDateTime(QDate(2026, 12, 6), QTime(14, 30, 15));
    QTest::mouseClick(window->Label1[std::size_t(label)], button);

    QCOMPARE(window->isMinimized(), minimises);
    QCOMPARE(window->Timer1->interval(), minimises ? 10000 : 60000);
    QVERIFY(window->Timer1->isActive());
    QCOMPARE(window->returnSchedule().isPending(), minimises);
    if (minimises) {
        QCOMPARE(appSettings().MinimizedAt, float(14 * 3600 + 30 * 60 + 15));
        QCOMPARE(store->value(Section::Position, QStringLiteral("M_Left")), QStringLiteral("1575"));
        QCOMPARE(store->value(Section::Position, QStringLiteral("M_Top")), QStringLiteral("675"));
        // The window stays where the user put it.
        QCOMPARE(appSettings().M_Left, QStringLiteral("1575"));
        QCOMPARE(window->pos(), QPoint(105, 45));
    } else {
        QVERIFY(store->value(Section::Position, QStringLiteral("M_Left")).isEmpty());
    }
}

void TestCountdownTimers::returnAfterDelay_data() {
    QTest::addColumn<QString>("sound");
    QTest::addColumn<bool>("soundPresent");
    QTest::addColumn<int>("sounds");
    QTest::addColumn<int>("messages");
    QTest::newRow("chime") << "1" << true << 1 << 0;
    QTest::newRow("silent") << "2" << true << 0 << 0;
    QTest::newRow("sound missing") << "1" << false << 0 << 1;
}

void TestCountdownTimers::returnAfterDelay() {
    QFETCH(QString, sound);
    QFETCH(bool, soundPresent);
    QFETCH(int, sounds);
    QFETCH(int, messages);
    appSettings().OptBM = sound;
    if (soundPresent)
        provideSound();
    const auto window = openCountdownWindow();
    const QDateTime start(QDate(2026, 12, 6), QTime(10, 0));
    platform->clock = start;
    QTest::mouseClick(window->Label1[2], Qt::LeftButton);
    QVERIFY(window->isMinimized());

    platform->clock = start.addSecs(599);
    window->Timer1_Timer();
    QVERIFY(window->isMinimized());
    platform->clock = start.addSecs(600);
    window->Timer1_Timer();
    QVERIFY(!window->isMinimized());
    QCOMPARE(window->Timer1->interval(), 60000);
    QCOMPARE(platform->soundsPlayed.size(), sounds);
    if (sounds)
        QCOMPARE(platform->soundsPlayed[0], QStringLiteral("/sys/MEDIA/DING.WAV"));
    QCOMPARE(platform->messages.size(), messages);
    if (messages)
        QCOMPARE(platform->messages[0].prompt, soundMissing);

    // Once per minimise: later ticks bring nothing more.
    platform->clock = start.addSecs(1200);
    window->Timer1_Timer();
    QCOMPARE(platform->soundsPlayed.size() + platform->messages.size(), sounds + messages);
}

void TestCountdownTimers::returnAcrossMidnight() {
    appSettings().OptBM = QStringLiteral("2");
    appSettings().TheDate = QDate(2027, 1, 31);
    const auto window = openCountdownWindow();
    const QDateTime fiveToMidnight(QDate(2026, 12, 6), QTime(23, 55));
    platform->clock = fiveToMidnight;
    QTest::mouseClick(window->Label1[2], Qt::LeftButton);
    QCOMPARE(appSettings().MinimizedAt, 86100.0F);
    platform->clock = fiveToMidnight.addSecs(599);
    window->Timer1_Timer();
    QVERIFY(window->isMinimized());
    QCOMPARE(window->Label1[2]->text(), QStringLiteral("55"));
    platform->clock = fiveToMidnight.addSecs(600);
    window->Timer1_Timer();
    QVERIFY(!window->isMinimized());
}

void TestCountdownTimers::restoreByHandEndsPendingReturn() {
    appSettings().OptBM = QStringLiteral("2");
    const auto window = openCountdownWindow();
    const QDateTime start = platform->clock;
    QTest::mouseClick(window->Label1[2], Qt::LeftButton);
    platform->clock = start.addSecs(60);
    window->showNormal(); // from the taskbar
    QVERIFY(!window->returnSchedule().isPending());
    platform->clock = start.addSecs(300);
    window->showMinimized(); // the title bar's button: a full delay from now
    platform->clock = start.addSecs(899);
    window->Timer1_Timer();
    QVERIFY(window->isMinimized());
    platform->clock = start.addSecs(900);
    window->Timer1_Timer();
    QVERIFY(!window->isMinimized());
}

void TestCountdownTimers::noReturnWithoutMinimise() {
    provideSound();
    const auto window = openCountdownWindow();
    platform->clock = platform->clock.addSecs(3600);
    window->Timer1_Timer();
    QVERIFY(platform->soundsPlayed.isEmpty());
    QCOMPARE(window->Timer1->interval(), 10000);
}

void TestCountdownTimers::tickDuringReturnMessageStartsNoSecond() {
    const auto window = openCountdownWindow();
    QTest::mouseClick(window->Label1[2], Qt::LeftButton);
    platform->clock = platform->clock.addSecs(600);
    // Timers go on firing under the message box: one fires while it is up.
    platform->onMessage = [&](const ScriptedPlatform::Message&) {
        platform->onMessage = nullptr;
        window->Timer1_Timer();
    };
    window->Timer1_Timer();
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(!window->isMinimized());
}

QTEST_MAIN(TestCountdownTimers)
#include "tst_countdowntimers.moc"
