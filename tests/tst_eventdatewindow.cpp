#include "dialogs/INP_DATE.h"

#include "app/AppSettings.h"
#include "app/Twips.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {
const QDate today(2026, 12, 6); // the scripted clock's date
const QDate tomorrow(2026, 12, 7);
const QDate eventDate(2027, 3, 1); // in force when the window is opened from the menu
const QString helpFile = QStringLiteral("/x/PELTRA.HLP");
// Messages as prompt|style|title.
const QString refused = QStringLiteral("本日より以降の日付を指定して下さい。|64|日付確認");
const QString confirmed = QStringLiteral("イベント日を設定しました。|64|設定確認");
const QString askedIfChanged = QStringLiteral("イベント日は変更されています。 設定しないで終了しますか？|33|終了確認");

enum class Route { Button, CloseBox, Escape };
} // namespace

Q_DECLARE_METATYPE(Route)

class TestEventDateWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
    std::unique_ptr<INP_DATE> dialog;

    [[nodiscard]] QStringList shown() const {
        QStringList log;
        for (const auto& message : platform->messages)
            log << QStringList{message.prompt, QString::number(message.style), message.title}.join(u'|');
        return log;
    }

    [[nodiscard]] QPushButton* button(int index) const {
        return dialog->findChild<QPushButton*>(QStringLiteral("Command1_%1").arg(index));
    }

    // An invalid date stands for the first start; a valid one for an opening from the menu.
    void open(QDate theDate) {
        appSettings().MainActivated = theDate.isValid() ? 1 : 0;
        appSettings().TheDate = theDate;
        dialog = std::make_unique<INP_DATE>();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }

    // A real click on the date's cell; true when the calendar took it. Spill-over days of the
    // neighbouring months sit in the first rows (23rd and later) or the last rows (14th and
    // earlier), so the wanted cell is known.
    [[nodiscard]] bool clickDate(QDate date) const {
        auto* calendar = dialog->findChild<QCalendarWidget*>(QStringLiteral("MonthView1"));
        calendar->setCurrentPage(date.year(), date.month());
        auto* view = calendar->findChild<QTableView*>();
        QModelIndexList cells;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            for (int column = 0; column < view->model()->columnCount(); ++column)
                if (view->model()->index(row, column).data().toString() == QString::number(date.day()))
                    cells << view->model()->index(row, column);
        if (cells.isEmpty())
            return false;
        const QModelIndex cell = date.day() < 15 ? cells.first() : cells.last();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
        return calendar->selectedDate() == date;
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
        appSettings().HelpFilePath = helpFile;
    }

    void cleanup() {
        dialog.reset();
        store.reset();
        platform.reset();
    }

    void titleAndClientSize() {
        open(eventDate);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("イベント日の設定"));
        QCOMPARE(dialog->size(), QSize(Twips::toPixelsX(5010), Twips::toPixelsY(5550)));
    }

    // The calendar opens on the date in force, or at the first start on tomorrow by the scripted
    // clock. A clicked date is taken at once and moves the focus to "了解", which stores the date
    // when it is after today (stored empty: refused, and the window stays with the date in memory).
    void okStoresDateAfterToday_data() {
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<QDate>("theDate");
        QTest::addColumn<QDate>("clicked");
        QTest::addColumn<QString>("stored");
        const QDateTime now(today, QTime(23, 59, 59));
        const QDateTime yearsAhead(QDate(2030, 6, 15), QTime(10, 0));
        QTest::newRow("first start, tomorrow as shown") << now << QDate() << QDate() << "2026/12/07";
        QTest::newRow("first start, clock years away")
            << QDateTime(QDate(2030, 12, 31), QTime(10, 0)) << QDate() << QDate() << "2031/01/01";
        QTest::newRow("first start, date clicked") << now << QDate() << QDate(2027, 2, 14) << "2027/02/14";
        QTest::newRow("menu, untouched") << now << eventDate << QDate() << "2027/03/01";
        QTest::newRow("menu, tomorrow clicked") << now << eventDate << tomorrow << "2026/12/07";
        QTest::newRow("today refused") << QDateTime(today, QTime(0, 0, 1)) << eventDate << today << "";
        QTest::newRow("yesterday refused") << now << eventDate << today.addDays(-1) << "";
        QTest::newRow("today refused, clock years ahead") << yearsAhead << eventDate << yearsAhead.date() << "";
    }
    void okStoresDateAfterToday() {
        QFETCH(QDateTime, clock);
        QFETCH(QDate, theDate);
        QFETCH(QDate, clicked);
        QFETCH(QString, stored);
        const bool taken = !stored.isEmpty();
        platform->clock = clock;
        open(theDate);
        if (clicked.isValid()) {
            QVERIFY(clickDate(clicked));
            QCOMPARE(appSettings().TheDate, clicked);
            QVERIFY(button(0)->hasFocus());
        }
        QTest::mouseClick(button(0), Qt::LeftButton);
        QCOMPARE(shown(), QStringList{taken ? confirmed : refused});
        QCOMPARE(store->keys(), taken ? QStringList{QStringLiteral("Config/TheDate")} : QStringList{});
        QCOMPARE(store->value(Section::Config, QStringLiteral("TheDate")), stored);
        QCOMPARE(appSettings().TheDate, dialog->MonthView1->selectedDate());
        QCOMPARE(dialog->isVisible(), !taken);
        QVERIFY(!platform->ended);
    }

    // "キャンセル", the close box and Escape do the same. answer 0: no question is asked.
    void cancel_data() {
        QTest::addColumn<Route>("route");
        QTest::addColumn<QDate>("theDate");
        QTest::addColumn<QDate>("clicked");
        QTest::addColumn<int>("answer");
        const QDate other(2027, 1, 5);
        QTest::newRow("button, first start, date clicked") << Route::Button << QDate() << other << 0;
        QTest::newRow("button, menu, untouched") << Route::Button << eventDate << QDate() << 0;
        QTest::newRow("button, menu, same date clicked") << Route::Button << eventDate << eventDate << 0;
        QTest::newRow("button, changed, OK") << Route::Button << eventDate << other << MessageAnswer::Ok;
        QTest::newRow("button, changed, Cancel") << Route::Button << eventDate << other << MessageAnswer::Cancel;
        QTest::newRow("close box, first start") << Route::CloseBox << QDate() << QDate() << 0;
        QTest::newRow("close box, changed, Cancel") << Route::CloseBox << eventDate << other << MessageAnswer::Cancel;
        QTest::newRow("Escape, changed, Cancel") << Route::Escape << eventDate << other << MessageAnswer::Cancel;
    }
    void cancel() {
        QFETCH(Route, route);
        QFETCH(QDate, theDate);
        QFETCH(QDate, clicked);
        QFETCH(int, answer);
        const bool staysOpen = answer == MessageAnswer::Cancel;
        platform->answers << answer;
        open(theDate);
        if (clicked.isValid())
            QVERIFY(clickDate(clicked));
        dialog->MonthView1->setFocus(); // away from "了解", where a kept-open window must put it back

        if (route == Route::Button) {
            QTest::mouseClick(button(1), Qt::LeftButton);
        } else if (route == Route::Escape) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else { // what the window manager's close box sends
            QCloseEvent event;
            QCoreApplication::sendEvent(dialog->windowHandle(), &event);
            QCOMPARE(event.isAccepted(), !staysOpen);
        }
        QCOMPARE(shown(), answer ? QStringList{askedIfChanged} : QStringList{});
        QCOMPARE(dialog->isVisible(), staysOpen);
        if (staysOpen)
            QVERIFY(button(0)->hasFocus());
        QCOMPARE(platform->ended, !theDate.isValid());
        QCOMPARE(appSettings().TheDate, theDate);
        QVERIFY(store->keys().isEmpty());
    }

    void helpOpensContext17() {
        open(eventDate);
        QTest::mouseClick(button(2), Qt::LeftButton);
        QCOMPARE(platform->helpRequests.size(), 1);
        const auto& request = platform->helpRequests[0];
        QCOMPARE(request.window.data(), dialog.get());
        QCOMPARE(std::tuple(request.helpFile, request.command, request.data), std::tuple(helpFile, 1, 17));
        QVERIFY(dialog->isVisible());
    }

    void failedSaveShowsNoConfirmation() {
        // A folder where the settings file should be: no user, root included, can write it.
        QVERIFY(QDir().mkpath(store->iniPath()));
        open(QDate());
        QTest::mouseClick(button(0), Qt::LeftButton);
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].style, 48); // the store's own report
        // The date holds for this run, and the window closes as after a successful save.
        QCOMPARE(appSettings().TheDate, tomorrow);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!platform->ended);
    }
};

QTEST_MAIN(TestEventDateWindow)
#include "tst_eventdatewindow.moc"
