#include "dialogs/INP_DATE.h"

#include "app/AppSettings.h"
#include "app/DateTimeText.h"
#include "app/Twips.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
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

QRect twipsRect(double left, double top, double width, double height) {
    return {Twips::toPixelsX(left), Twips::toPixelsY(top), Twips::toPixelsX(width), Twips::toPixelsY(height)};
}

enum class Route { Button, CloseBox, Escape };
} // namespace

Q_DECLARE_METATYPE(Route)

class TestEventDateWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
    bool closeAccepted = false;

    [[nodiscard]] QStringList shown() const {
        QStringList log;
        for (const auto& message : platform->messages)
            log << QStringList{message.prompt, QString::number(message.style), message.title}.join(u'|');
        return log;
    }

    static QPushButton* button(INP_DATE& dialog, int index) {
        return dialog.findChild<QPushButton*>(QStringLiteral("Command1_%1").arg(index));
    }

    static void open(INP_DATE& dialog) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }

    // A real click on the date's cell; true when the calendar took it. Spill-over days of the
    // neighbouring months sit in the first rows (23rd and later) or the last rows (14th and
    // earlier), so the wanted cell is known.
    static bool clickDate(INP_DATE& dialog, QDate date) {
        auto* calendar = dialog.findChild<QCalendarWidget*>(QStringLiteral("MonthView1"));
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

    void cancel(INP_DATE& dialog, Route route) {
        switch (route) {
        case Route::Button:
            QTest::mouseClick(button(dialog, 1), Qt::LeftButton);
            break;
        case Route::CloseBox: { // what the window manager's close box sends
            QCloseEvent event;
            QCoreApplication::sendEvent(dialog.windowHandle(), &event);
            closeAccepted = event.isAccepted();
            break;
        }
        case Route::Escape:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            break;
        }
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
        closeAccepted = false;
    }

    void cleanup() {
        store.reset();
        platform.reset();
    }

    void windowAndControls() {
        INP_DATE dialog;
        open(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("イベント日の設定"));
        const QSize client(Twips::toPixelsX(5010), Twips::toPixelsY(5550));
        QCOMPARE(dialog.size(), client);
        QCOMPARE(dialog.minimumSize(), client);
        QCOMPARE(dialog.maximumSize(), client);
        QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY((dialog.geometry().center() - dialog.screen()->availableGeometry().center()).manhattanLength() <= 2);
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));

        auto* calendar = dialog.findChild<QCalendarWidget*>(QStringLiteral("MonthView1"));
        QVERIFY(calendar);
        QCOMPARE(calendar->geometry(), twipsRect(690, 735, 3630, 4020));
        QCOMPARE(calendar->verticalHeaderFormat(), QCalendarWidget::NoVerticalHeader);
        QCOMPARE(calendar->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(calendar->font().pointSizeF(), 18.0);
        QVERIFY(calendar->font().bold());
        QCOMPARE(calendar->toolTip(), QStringLiteral(" イベント日の設定 "));

        const QStringList captions{QStringLiteral("了解"), QStringLiteral("キャンセル"), QStringLiteral("ﾍﾙﾌﾟ")};
        const int lefts[] = {453, 1848, 3258};
        for (int index = 0; index < 3; ++index) {
            QPushButton* command = button(dialog, index);
            QVERIFY(command);
            QCOMPARE(command->text(), captions[index]);
            QCOMPARE(command->toolTip(), u' ' + captions[index] + u' ');
            QCOMPARE(command->geometry(), twipsRect(lefts[index], 5100, 1300, 300));
            QCOMPARE(command->font().family(), QStringLiteral("MS UI Gothic"));
            QCOMPARE(command->font().pointSizeF(), 9.0);
        }

        auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("イベント日を設定して、了解ボタンを押して下さい。"));
        QCOMPARE(label->geometry(), twipsRect(200, 210, 4665, 225));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0xFF, 0xFF, 0x00));
        QCOMPARE(label->font().pointSizeF(), 11.25);

        // The calendar has the focus first; Tab goes through the three buttons and back.
        QVERIFY(calendar->isAncestorOf(QApplication::focusWidget()));
        for (int index = 0; index < 3; ++index) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), button(dialog, index));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(calendar->isAncestorOf(QApplication::focusWidget()));
    }

    void opensOnEventDateOrTomorrow_data() {
        QTest::addColumn<QDate>("theDate");
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<QDate>("shown");
        const QDateTime morning(today, QTime(10, 0));
        QTest::newRow("first start") << QDate() << morning << tomorrow;
        QTest::newRow("first start, just before midnight")
            << QDate() << QDateTime(today, QTime(23, 59, 59)) << tomorrow;
        QTest::newRow("first start, just after midnight") << QDate() << QDateTime(today, QTime(0, 0)) << tomorrow;
        QTest::newRow("first start, new year's eve")
            << QDate() << QDateTime(QDate(2030, 12, 31), QTime(23, 59, 59)) << QDate(2031, 1, 1);
        QTest::newRow("first start, leap year")
            << QDate() << QDateTime(QDate(2028, 2, 28), QTime(12, 0)) << QDate(2028, 2, 29);
        QTest::newRow("event date in force") << eventDate << morning << eventDate;
        QTest::newRow("event date passed") << QDate(2026, 11, 30) << morning << QDate(2026, 11, 30);
    }
    void opensOnEventDateOrTomorrow() {
        QFETCH(QDate, theDate);
        QFETCH(QDateTime, clock);
        QFETCH(QDate, shown);
        platform->clock = clock;
        appSettings().TheDate = theDate;
        appSettings().SavedTheDate = QDate(2000, 1, 1);
        INP_DATE dialog;
        QCOMPARE(dialog.MonthView1->selectedDate(), shown);
        QCOMPARE(appSettings().SavedTheDate, theDate);
        QCOMPARE(appSettings().TheDate, theDate);
    }

    void dateClickTakesDateAtOnce_data() {
        QTest::addColumn<QDate>("clicked");
        QTest::newRow("a Tuesday") << QDate(2027, 1, 5);
        QTest::newRow("a Saturday") << QDate(2027, 1, 9);
        QTest::newRow("a Sunday, last of the month") << QDate(2027, 1, 31);
        QTest::newRow("a date in the past") << QDate(2026, 12, 5);
    }
    void dateClickTakesDateAtOnce() {
        QFETCH(QDate, clicked);
        appSettings().MainActivated = 1;
        appSettings().TheDate = eventDate;
        INP_DATE dialog;
        open(dialog);
        QVERIFY(clickDate(dialog, clicked));
        QCOMPARE(appSettings().TheDate, clicked);
        QVERIFY(button(dialog, 0)->hasFocus());
        QVERIFY(platform->messages.isEmpty());
        QVERIFY(store->keys().isEmpty());
    }

    // Only a click is a date click; "了解" still takes the date the calendar shows.
    void keyboardSelectionIsTakenByOkOnly() {
        appSettings().MainActivated = 1;
        appSettings().TheDate = eventDate;
        INP_DATE dialog;
        open(dialog);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(dialog.MonthView1->selectedDate(), eventDate.addDays(1));
        QCOMPARE(appSettings().TheDate, eventDate);
        QTest::mouseClick(button(dialog, 0), Qt::LeftButton);
        QCOMPARE(store->value(Section::Config, QStringLiteral("TheDate")), QStringLiteral("2027/03/02"));
        QCOMPARE(appSettings().TheDate, eventDate.addDays(1));
    }

    void okStoresDate_data() {
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<int>("mainActivated");
        QTest::addColumn<QDate>("theDate");
        QTest::addColumn<QDate>("clicked");
        QTest::addColumn<QString>("stored");
        const QDateTime now(today, QTime(10, 0));
        QTest::newRow("first start, tomorrow as shown") << now << 0 << QDate() << QDate() << "2026/12/07";
        QTest::newRow("first start, date clicked") << now << 0 << QDate() << QDate(2027, 2, 14) << "2027/02/14";
        QTest::newRow("menu, untouched") << now << 1 << eventDate << QDate() << "2027/03/01";
        QTest::newRow("menu, tomorrow clicked") << now << 1 << eventDate << tomorrow << "2026/12/07";
        QTest::newRow("menu, next year clicked") << now << 1 << eventDate << QDate(2028, 10, 31) << "2028/10/31";
        QTest::newRow("menu, clock years back")
            << QDateTime(QDate(2020, 1, 1), QTime(10, 0)) << 1 << eventDate << QDate(2021, 5, 5) << "2021/05/05";
    }
    void okStoresDate() {
        QFETCH(QDateTime, clock);
        QFETCH(int, mainActivated);
        QFETCH(QDate, theDate);
        QFETCH(QDate, clicked);
        QFETCH(QString, stored);
        platform->clock = clock;
        appSettings().MainActivated = quint8(mainActivated);
        appSettings().TheDate = theDate;
        INP_DATE dialog;
        open(dialog);
        if (clicked.isValid())
            QVERIFY(clickDate(dialog, clicked));
        QTest::mouseClick(button(dialog, 0), Qt::LeftButton);
        QCOMPARE(store->value(Section::Config, QStringLiteral("TheDate")), stored);
        QCOMPARE(store->keys(), QStringList{QStringLiteral("Config/TheDate")});
        QCOMPARE(shown(), QStringList{confirmed});
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(storedDateText(appSettings().TheDate), stored);
        QVERIFY(!platform->ended);
    }

    void okRefusesDateNotAfterToday_data() {
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<QDate>("rejected");
        QTest::newRow("today") << QDateTime(today, QTime(10, 0)) << today;
        QTest::newRow("today, just after midnight") << QDateTime(today, QTime(0, 0, 1)) << today;
        QTest::newRow("yesterday, just before midnight") << QDateTime(today, QTime(23, 59, 59)) << today.addDays(-1);
        QTest::newRow("a year ago") << QDateTime(today, QTime(10, 0)) << today.addYears(-1);
        QTest::newRow("today, clock years ahead") << QDateTime(QDate(2030, 6, 15), QTime(10, 0)) << QDate(2030, 6, 15);
    }
    void okRefusesDateNotAfterToday() {
        QFETCH(QDateTime, clock);
        QFETCH(QDate, rejected);
        platform->clock = clock;
        appSettings().MainActivated = 1;
        appSettings().TheDate = eventDate;
        INP_DATE dialog;
        open(dialog);
        QVERIFY(clickDate(dialog, rejected));
        QTest::mouseClick(button(dialog, 0), Qt::LeftButton);
        QCOMPARE(shown(), QStringList{refused});
        QVERIFY(store->keys().isEmpty());
        QVERIFY(dialog.isVisible());
        QCOMPARE(appSettings().TheDate, rejected);

        // The calendar still shows the refused date, so "キャンセル" asks before it closes.
        platform->answers << MessageAnswer::Ok;
        QTest::mouseClick(button(dialog, 1), Qt::LeftButton);
        QCOMPARE(shown(), (QStringList{refused, askedIfChanged}));
        QCOMPARE(appSettings().TheDate, eventDate);
        QVERIFY(!dialog.isVisible());
        QVERIFY(store->keys().isEmpty());
    }

    // "キャンセル", the close box and Escape do the same.
    void cancel_data() {
        QTest::addColumn<Route>("route");
        QTest::addColumn<int>("mainActivated");
        QTest::addColumn<QDate>("theDate");
        QTest::addColumn<QDate>("clicked");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<bool>("ends");
        const QDate other(2027, 1, 5);
        const std::pair<Route, const char*> routes[] = {
            {Route::Button, "button"}, {Route::CloseBox, "close box"}, {Route::Escape, "Escape"}};
        for (const auto& entry : routes) {
            const Route route = entry.first;
            auto row = [&entry](const char* scenario) -> QTestData& {
                return QTest::addRow("%s, %s", entry.second, scenario);
            };
            row("first start") << route << 0 << QDate() << QDate() << 0 << false << false << true;
            row("first start, date clicked") << route << 0 << QDate() << other << 0 << false << false << true;
            row("menu, untouched") << route << 1 << eventDate << QDate() << 0 << false << false << false;
            row("menu, same date clicked") << route << 1 << eventDate << eventDate << 0 << false << false << false;
            row("menu, changed, answer OK") << route << 1 << eventDate << other << 1 << true << false << false;
            row("menu, changed, answer Cancel") << route << 1 << eventDate << other << 2 << true << true << false;
        }
    }
    void cancel() {
        QFETCH(Route, route);
        QFETCH(int, mainActivated);
        QFETCH(QDate, theDate);
        QFETCH(QDate, clicked);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(bool, staysOpen);
        QFETCH(bool, ends);
        appSettings().MainActivated = quint8(mainActivated);
        appSettings().TheDate = theDate;
        platform->answers << answer;
        INP_DATE dialog;
        open(dialog);
        if (clicked.isValid())
            QVERIFY(clickDate(dialog, clicked));
        dialog.MonthView1->setFocus(); // away from "了解", where a kept-open window must put it back

        cancel(dialog, route);
        QCOMPARE(shown(), asks ? QStringList{askedIfChanged} : QStringList{});
        QCOMPARE(dialog.isVisible(), staysOpen);
        if (route == Route::CloseBox)
            QCOMPARE(closeAccepted, !staysOpen);
        if (staysOpen)
            QVERIFY(button(dialog, 0)->hasFocus());
        else
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(platform->ended, ends);
        QCOMPARE(appSettings().TheDate, theDate);
        QVERIFY(store->keys().isEmpty());
    }

    void helpOpensContext17() {
        appSettings().MainActivated = 1;
        appSettings().TheDate = eventDate;
        INP_DATE dialog;
        open(dialog);
        QTest::mouseClick(button(dialog, 2), Qt::LeftButton);
        QTest::mouseClick(button(dialog, 2), Qt::LeftButton);
        QCOMPARE(platform->helpRequests.size(), 2);
        for (const auto& request : platform->helpRequests) {
            QCOMPARE(request.window.data(), &dialog);
            QCOMPARE(request.helpFile, helpFile);
            QCOMPARE(request.command, 1);
            QCOMPARE(request.data, 17);
        }
        QVERIFY(dialog.isVisible());
        QVERIFY(platform->messages.isEmpty());
        QCOMPARE(appSettings().TheDate, eventDate);
    }

    void failedSaveShowsNoConfirmation() {
        // A folder where the settings file should be: no user, root included, can write it.
        QVERIFY(QDir().mkpath(store->iniPath()));
        INP_DATE dialog;
        open(dialog);
        QTest::mouseClick(button(dialog, 0), Qt::LeftButton);
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].style, 48); // the store's own report
        QVERIFY(!shown().contains(confirmed));
        // The date holds for this run, and the window closes as after a successful save.
        QCOMPARE(appSettings().TheDate, tomorrow);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!platform->ended);
    }
};

QTEST_MAIN(TestEventDateWindow)
#include "tst_eventdatewindow.moc"
