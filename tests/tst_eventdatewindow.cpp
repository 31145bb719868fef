// The event-date window: which date it stores, what it asks before it is left, and its help.
#include "dialogs/INP_DATE.h"

#include "app/AppSettings.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {
const QDate today(2026, 12, 6); // the scripted clock's date
const QDate eventDate(2027, 3, 1);
enum class Route { Button, CloseBox, Escape };
} // namespace

Q_DECLARE_METATYPE(Route)

class TestEventDateWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
    std::unique_ptr<INP_DATE> dialog;

    [[nodiscard]] QList<int> messageStyles() const {
        QList<int> styles;
        for (const auto& message : platform->messages)
            styles << message.style;
        return styles;
    }

    // An invalid date stands for the first start, a valid one for an opening from the menu.
    void open(QDate theDate) {
        appSettings().MainActivated = theDate.isValid() ? 1 : 0;
        appSettings().TheDate = theDate;
        dialog = std::make_unique<INP_DATE>();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }

    // A real click on the date's cell. Spill-over days of the neighbouring months sit in the first
    // rows (23rd and later) or the last rows (14th and earlier), so the wanted cell is known.
    void clickDate(QDate date) {
        dialog->MonthView1->setCurrentPage(date.year(), date.month());
        auto* view = dialog->MonthView1->findChild<QTableView*>();
        QModelIndexList cells;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            for (int column = 0; column < view->model()->columnCount(); ++column)
                if (view->model()->index(row, column).data().toString() == QString::number(date.day()))
                    cells << view->model()->index(row, column);
        QVERIFY(!cells.isEmpty());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(date.day() < 15 ? cells.first() : cells.last()).center());
        QCOMPARE(dialog->MonthView1->selectedDate(), date);
    }

private slots:
    void initTestCase() {
        // A locale whose short date is not yyyy/MM/dd: the stored form must not follow it.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void init() {
        platform = std::make_unique<ScriptedPlatform>();
        store = std::make_unique<TestStore>();
        appSettings() = AppSettings{};
        appSettings().HelpFilePath = QStringLiteral("/x/PELTRA.HLP");
    }

    void cleanup() {
        dialog.reset();
        store.reset();
        platform.reset();
    }

    // "了解" stores a date after today and confirms; today or earlier is refused and the window stays.
    void okStoresDateAfterToday_data() {
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<QDate>("theDate");
        QTest::addColumn<QDate>("clicked");
        QTest::addColumn<QString>("stored"); // empty: refused
        const QDateTime now(today, QTime(23, 59, 59));
        QTest::newRow("first start: tomorrow offered") << now << QDate() << QDate() << "2026/12/07";
        QTest::newRow("first start, new year's eve")
            << QDateTime(QDate(2030, 12, 31), QTime(10, 0)) << QDate() << QDate() << "2031/01/01";
        QTest::newRow("menu, untouched") << now << eventDate << QDate() << "2027/03/01";
        QTest::newRow("date clicked") << now << eventDate << QDate(2027, 2, 14) << "2027/02/14";
        QTest::newRow("today refused") << QDateTime(today, QTime(0, 0, 1)) << eventDate << today << "";
        QTest::newRow("yesterday refused") << now << eventDate << today.addDays(-1) << "";
    }
    void okStoresDateAfterToday() {
        QFETCH(QDateTime, clock);
        QFETCH(QDate, theDate);
        QFETCH(QDate, clicked);
        QFETCH(QString, stored);
        platform->clock = clock;
        open(theDate);
        if (clicked.isValid()) {
            clickDate(clicked);
            QVERIFY(dialog->Command1[0]->hasFocus()); // a clicked date moves on to "了解"
        }
        QTest::mouseClick(dialog->Command1[0], Qt::LeftButton);
        QCOMPARE(messageStyles(), QList<int>{MessageStyle::Information});
        const QMap<QString, QString> expected{{QStringLiteral("Config/TheDate"), stored}};
        QCOMPARE(store->contents(), stored.isEmpty() ? decltype(expected)() : expected);
        QCOMPARE(appSettings().TheDate, dialog->MonthView1->selectedDate());
        QCOMPARE(dialog->isVisible(), stored.isEmpty());
        QVERIFY(!platform->ended);
    }

    // Leaving asks first only when the date shown differs from the one in force; at the first start
    // there is nothing to go back to, and the program ends.
    void leaving_data() {
        QTest::addColumn<Route>("route");
        QTest::addColumn<QDate>("theDate");
        QTest::addColumn<QDate>("clicked");
        QTest::addColumn<int>("answer"); // 0: no question
        const QDate other(2027, 1, 5);
        QTest::newRow("first start, date clicked") << Route::Button << QDate() << other << 0;
        QTest::newRow("same date clicked again") << Route::Button << eventDate << eventDate << 0;
        QTest::newRow("changed, leave") << Route::Button << eventDate << other << int(MessageAnswer::Ok);
        QTest::newRow("changed, stay") << Route::Button << eventDate << other << int(MessageAnswer::Cancel);
        QTest::newRow("close box, changed, stay")
            << Route::CloseBox << eventDate << other << int(MessageAnswer::Cancel);
        QTest::newRow("close box, first start") << Route::CloseBox << QDate() << QDate() << 0;
        QTest::newRow("Escape, changed, stay") << Route::Escape << eventDate << other << int(MessageAnswer::Cancel);
    }
    void leaving() {
        QFETCH(Route, route);
        QFETCH(QDate, theDate);
        QFETCH(QDate, clicked);
        QFETCH(int, answer);
        const bool staysOpen = answer == MessageAnswer::Cancel;
        platform->answers << answer;
        open(theDate);
        if (clicked.isValid())
            clickDate(clicked);
        dialog->MonthView1->setFocus(); // away from "了解", where a window kept open puts it back
        if (route == Route::Button) {
            QTest::mouseClick(dialog->Command1[1], Qt::LeftButton);
        } else if (route == Route::Escape) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else { // what the window manager's close box sends
            QCloseEvent event;
            QCoreApplication::sendEvent(dialog->windowHandle(), &event);
            QCOMPARE(event.isAccepted(), !staysOpen);
        }
        QCOMPARE(messageStyles(), answer ? QList<int>{MessageStyle::Question} : QList<int>{});
        QCOMPARE(dialog->isVisible(), staysOpen);
        QCOMPARE(dialog->Command1[0]->hasFocus(), staysOpen);
        QCOMPARE(platform->ended, !theDate.isValid());
        QCOMPARE(appSettings().TheDate, theDate);
        QVERIFY(store->keys().isEmpty());
    }

    void helpOpensItsTopic() {
        open(eventDate);
        QTest::mouseClick(dialog->Command1[2], Qt::LeftButton);
        QCOMPARE(platform->helpRequests.size(), 1);
        const auto& request = platform->helpRequests[0];
        QCOMPARE(request.window.data(), dialog.get());
        QCOMPARE(std::tuple(request.helpFile, request.command, request.data), std::tuple("/x/PELTRA.HLP", 1, 17));
        QVERIFY(dialog->isVisible());
    }

    void failedSaveShowsOnlyTheStoresReport() {
        // A folder where the settings file should be: no user, root included, can write it.
        QVERIFY(QDir().mkpath(store->iniPath()));
        open(QDate());
        QTest::mouseClick(dialog->Command1[0], Qt::LeftButton);
        QCOMPARE(messageStyles(), QList<int>{MessageStyle::Exclamation});
        // The date holds for this run, and the window closes as after a successful save.
        QCOMPARE(appSettings().TheDate, QDate(2026, 12, 7));
        QVERIFY(!dialog->isVisible());
    }
};

QTEST_MAIN(TestEventDateWindow)
#include "tst_eventdatewindow.moc"
