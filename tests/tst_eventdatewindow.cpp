// The event-date window: which date it stores, what it asks before it is left, and its help.
#include "dialogs/INP_DATE.h"

#include "tests/support/TestStore.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

class TestEventDateWindow : public QObject {
    Q_OBJECT

    enum Route { Ok, Cancel, CloseBox, Escape, Enter };
    inline static const QDate eventDate{2027, 3, 1}, other{2027, 1, 5}; // the scripted clock says 2026/12/06
    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
    AppSettings settings;
    std::unique_ptr<INP_DATE> dialog;

    // An invalid date stands for the first start, a valid one for an opening from the menu.
    void open(QDate theDate) {
        dialog.reset(), store.reset(), platform.reset();
        platform = std::make_unique<ScriptedPlatform>();
        store = std::make_unique<TestStore>();
        settings = AppSettings{};
        settings.MainActivated = theDate.isValid() ? 1 : 0;
        settings.TheDate = theDate;
        dialog = std::make_unique<INP_DATE>(ProgramContext{settings, store->settingsStore(), *platform});
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }

private slots:
    // A locale whose short date is not yyyy/MM/dd: the stored form must not follow it.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // "了解", or Enter on a day, stores a date after today; "キャンセル", Escape and the close box ask first only when
    // the date shown differs from the one in force, and at the first start end the program.
    void leaving_data() {
        QTest::addColumn<int>("route");
        QTest::addColumn<QDate>("theDate");
        QTest::addColumn<QDate>("clicked");
        QTest::addColumn<int>("answer");     // to the question; 0: none asked
        QTest::addColumn<QString>("stored"); // the date, the file's one value; empty: nothing written
        QTest::addColumn<QString>("said");   // the message box shown: title, then text; empty: none
        const QString set = u"設定確認|イベント日を設定しました。"_s,
                      refused = u"日付確認|本日より以降の日付を指定して下さい。"_s;
        const QString leave = u"終了確認|イベント日は変更されています。 設定しないで終了しますか？"_s;
        QTest::newRow("first start: tomorrow") << int(Ok) << QDate() << QDate() << 0 << "2026/12/07" << set;
        QTest::newRow("date clicked") << int(Ok) << eventDate << other << 0 << "2027/01/05" << set;
        QTest::newRow("today refused") << int(Ok) << eventDate << QDate(2026, 12, 6) << 0 << "" << refused;
        QTest::newRow("first start, cancelled") << int(Cancel) << QDate() << other << 0 << ""
                                                << "";
        QTest::newRow("same date clicked again") << int(Cancel) << eventDate << eventDate << 0 << ""
                                                 << "";
        QTest::newRow("changed, leave") << int(Cancel) << eventDate << other << MessageAnswer::Ok << "" << leave;
        QTest::newRow("close box, changed, stay")
            << int(CloseBox) << eventDate << other << MessageAnswer::Cancel << "" << leave;
        QTest::newRow("Escape, changed, stay")
            << int(Escape) << eventDate << other << MessageAnswer::Cancel << "" << leave;
        QTest::newRow("Enter on a day") << int(Enter) << eventDate << other << 0 << "2027/01/05" << set;
        QTest::newRow("Enter on today: refused") << int(Enter) << eventDate << QDate(2026, 12, 6) << 0 << "" << refused;
        QTest::newRow("Enter, first start: tomorrow") << int(Enter) << QDate() << QDate() << 0 << "2026/12/07" << set;
    }
    void leaving() {
        QFETCH(int, route);
        QFETCH(QDate, theDate);
        QFETCH(QDate, clicked);
        QFETCH(int, answer);
        QFETCH(QString, stored);
        QFETCH(QString, said);
        const bool confirms = route == Ok || route == Enter;
        const bool staysOpen = confirms ? stored.isEmpty() : answer == MessageAnswer::Cancel;
        open(theDate);
        platform->answers << answer;
        auto* view = dialog->MonthView1->findChild<QTableView*>();
        if (route == Enter) { // the day reached with the arrow keys
            const QDate target = clicked.isValid() ? clicked : dialog->MonthView1->selectedDate();
            dialog->MonthView1->setSelectedDate(target.addDays(-1));
            dialog->MonthView1->setFocus();
            QCOMPARE(QApplication::focusWidget(), view);
            QTest::keyClick(view, Qt::Key_Right);
            QTest::keyClick(view, Qt::Key_Enter, Qt::KeypadModifier);
        } else if (clicked.isValid()) { // a real click on the date's cell moves on to "了解"
            dialog->MonthView1->setSelectedDate(clicked);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->currentIndex()).center());
            QVERIFY(dialog->Command1[0]->hasFocus());
        }
        if (route != Enter)
            dialog->MonthView1->setFocus(); // away from "了解", where a window kept open puts it back
        if (route == CloseBox)              // as the window manager's close box
            QCOMPARE(dialog->windowHandle()->close(), !staysOpen);
        else if (route == Escape)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else if (route != Enter)
            QTest::mouseClick(dialog->Command1[route], Qt::LeftButton);
        QStringList shown;
        for (const auto& message : platform->messages)
            shown << message.title + u'|' + message.prompt;
        QCOMPARE(shown.join(u'\n'), said);
        QVERIFY(platform->messages.isEmpty() ||
                platform->messages[0].style == (confirms ? MessageStyle::Information : MessageStyle::Question));
        QCOMPARE(store->contents().values(), stored.isEmpty() ? QStringList() : QStringList{stored});
        QCOMPARE(settings.TheDate, confirms ? dialog->MonthView1->selectedDate() : theDate);
        // A date refused from the calendar leaves the focus there for another one.
        QWidget* focusKeptOn = route == Enter ? static_cast<QWidget*>(view) : dialog->Command1[0];
        QCOMPARE(std::pair(dialog->isVisible(), focusKeptOn->hasFocus()), std::pair(staysOpen, staysOpen));
        QCOMPARE(platform->ended, !confirms && !theDate.isValid());
    }

    void helpAndAFailedSave() {
        open(QDate());
        QTest::mouseClick(dialog->Command1[2], Qt::LeftButton);
        const auto request = platform->helpRequests.value(0);
        QCOMPARE(std::tuple(request.window.data(), request.helpFile, request.command, request.data),
                 std::tuple(dialog.get(), settings.HelpFilePath, 1, 17));
        // A folder where the settings file should be: the store's report alone, and the date holds for this run.
        QVERIFY(QDir().mkpath(store->iniPath()));
        QTest::mouseClick(dialog->Command1[0], Qt::LeftButton);
        QCOMPARE(std::pair(platform->messages.size(), platform->messages.value(0).style),
                 std::pair(qsizetype(1), MessageStyle::Exclamation));
        QCOMPARE(std::pair(settings.TheDate, dialog->isVisible()), std::pair(QDate(2026, 12, 7), false));
    }
};

QTEST_MAIN(TestEventDateWindow)
#include "tst_eventdatewindow.moc"
