#include "dialogs/INP_DATE.h"

#include "app/core/AppSettings.h"
#include "app/core/DateTimeText.h"
#include "app/core/Platform.h"
#include "app/core/Twips.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/StoreWriteReport.h"
#include "dialogs/WidgetLook.h"

#include <QCalendarWidget>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace {

constexpr int helpContext = 17;

// The days in the largest size, by quarter points down from the calendar's own, at which the
// widest two-digit day leaves a space between itself and the next one.
QFont fittedDayFont(QFont font, int columnWidth, int cellMargins) {
    for (; font.pointSizeF() > 6; font.setPointSizeF(font.pointSizeF() - 0.25)) {
        const QFontMetrics metrics(font);
        int widest = 0;
        for (int day = 10; day <= 31; ++day)
            widest = std::max(widest, metrics.horizontalAdvance(QString::number(day)));
        if (widest + cellMargins + metrics.horizontalAdvance(u' ') <= columnWidth)
            break;
    }
    return font;
}

} // namespace

INP_DATE::INP_DATE(const ProgramContext& context, QWidget* parent) : CancelRoutedDialog(parent), context(context) {
    // A named countdown's date window says whose date it asks for: several may start at login together.
    const QString title = QStringLiteral("イベント日の設定");
    setWindowTitle(context.settings.countdownName.isEmpty()
                       ? title
                       : context.settings.countdownName + QStringLiteral(" - ") + title);

    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    setPalette(grey);
    setAutoFillBackground(true);

    // Created in tab order: the calendar first, then the three buttons.
    MonthView1 = new QCalendarWidget(this);
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setGeometry(Twips::toPixelRect(690, 735, 3630, 4020));
    MonthView1->setFont(WidgetLook::font(QStringLiteral("ＭＳ Ｐゴシック"), 18, true));
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Japanese month and day names, Sunday first, whatever the system's locale.
    MonthView1->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    MonthView1->setFirstDayOfWeek(Qt::Sunday);
    MonthView1->setToolTip(QStringLiteral(" イベント日の設定 "));
    MonthView1->setAccessibleName(QStringLiteral("イベント日"));
    if (auto* days = MonthView1->findChild<QTableView*>()) {
        // 18 points bold stays for the month and year; two-digit days in it would run into their
        // neighbours in a seventh of the calendar's width.
        const int margin = days->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, days) + 1;
        days->setFont(
            fittedDayFont(MonthView1->font(), (MonthView1->width() - 2 * days->frameWidth()) / 7, 2 * margin));
        // The hidden headers keep every column as wide as the font's widest glyph, which with some
        // fonts pushes Saturday out of sight.
        days->horizontalHeader()->setMinimumSectionSize(1);
        days->verticalHeader()->setMinimumSectionSize(1);
        days->installEventFilter(this);
        days->setAccessibleName(QStringLiteral("イベント日の選択"));
    }
    // The calendar's own arrows and year box come without names for a screen reader.
    const std::pair<const char*, const char16_t*> unnamed[] = {
        {"qt_calendar_prevmonth", u"前の月"}, {"qt_calendar_nextmonth", u"次の月"}, {"qt_calendar_yearedit", u"年"}};
    for (const auto& [objectName, name] : unnamed)
        if (auto* part = MonthView1->findChild<QWidget*>(QLatin1String(objectName)))
            part->setAccessibleName(QString::fromUtf16(name));
    connect(MonthView1, &QCalendarWidget::clicked, this, &INP_DATE::MonthView1_DateClick);

    static constexpr std::array<const char16_t*, 3> captions{u"了解", u"キャンセル", u"ﾍﾙﾌﾟ"};
    static constexpr std::array<int, 3> lefts{453, 1848, 3258};
    for (int index = 0; index < int(Command1.size()); ++index) {
        const QString caption = QString::fromUtf16(captions[index]);
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(index));
        button->setGeometry(Twips::toPixelRect(lefts[index], 5100, 1300, 300));
        button->setFont(WidgetLook::font(QStringLiteral("MS UI Gothic"), 9));
        button->setToolTip(u' ' + caption + u' ');
        connect(button, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
        Command1[index] = button;
    }

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setText(QStringLiteral("イベント日を設定して、了解ボタンを押して下さい。"));
    Label1->setGeometry(Twips::toPixelRect(200, 210, 4665, 225));
    Label1->setFont(WidgetLook::font(QStringLiteral("ＭＳ Ｐゴシック"), 11.25));
    QPalette yellow = Label1->palette();
    yellow.setColor(QPalette::WindowText, QColor(0xFF, 0xFF, 0x00));
    Label1->setPalette(yellow);

    setTabOrder(MonthView1, Command1[0]);
    setTabOrder(Command1[0], Command1[1]);
    setTabOrder(Command1[1], Command1[2]);
    MonthView1->setFocus();

    fixSizeAndCentre(5010, 5550);

    Form_Load();
}

void INP_DATE::Form_Load() {
    AppSettings& settings = context.settings;
    if (settings.TheDate.isValid())
        MonthView1->setSelectedDate(settings.TheDate);
    else
        MonthView1->setSelectedDate(context.platform.now().date().addDays(1));
    settings.SavedTheDate = settings.TheDate;
}

void INP_DATE::MonthView1_DateClick(QDate /*date*/) {
    // Taken at once, before any confirmation; "キャンセル" puts the earlier date back.
    context.settings.TheDate = MonthView1->selectedDate();
    Command1[0]->setFocus();
}

void INP_DATE::Command1_Click(int index) {
    switch (index) {
    case 0:
        okClicked();
        break;
    case 1:
        cancelClicked();
        break;
    case 2:
        context.platform.winHelp(this, context.settings.HelpFilePath, HelpCommand::Context, helpContext);
        break;
    default:
        break;
    }
}

void INP_DATE::okClicked() {
    AppSettings& settings = context.settings;
    Platform& platform = context.platform;
    settings.TheDate = MonthView1->selectedDate();
    if (DaysLeft(platform.now().date(), settings.TheDate) <= 0) {
        // The refused date stays in memory until "キャンセル" restores the earlier one.
        platform.messageBox(QStringLiteral("本日より以降の日付を指定して下さい。"), MessageStyle::Information,
                            QStringLiteral("日付確認"));
        return;
    }
    // A date that could not be stored still holds for this run; the user is told it was not saved
    // instead of that it was.
    const StoreWrite write = context.store.Save(SettingsKeys::TheDate, storedDateText(settings.TheDate));
    reportStoreWrite(platform, write);
    if (write)
        platform.messageBox(QStringLiteral("イベント日を設定しました。"), MessageStyle::Information,
                            QStringLiteral("設定確認"));
    closeWindow(QDialog::Accepted);
}

void INP_DATE::cancelClicked() {
    AppSettings& settings = context.settings;
    settings.TheDate = settings.SavedTheDate;
    if (settings.MainActivated == 0) {
        // Opened at the first start, before the countdown window exists: nothing to go back to.
        closeWindow(QDialog::Rejected);
        context.platform.endProgram();
        return;
    }
    if (MonthView1->selectedDate() == settings.TheDate) {
        closeWindow(QDialog::Rejected);
        return;
    }
    const int answer =
        context.platform.messageBox(QStringLiteral("イベント日は変更されています。 設定しないで終了しますか？"),
                                    MessageStyle::Question, QStringLiteral("終了確認"));
    if (answer == MessageAnswer::Ok)
        closeWindow(QDialog::Rejected);
    else
        Command1[0]->setFocus();
}

void INP_DATE::cancelRequested() {
    Command1_Click(1);
}

bool INP_DATE::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == MonthView1->findChild<QTableView*>()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const auto modifiers = static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier;
        // Enter on a day confirms it, as "了解" (drawn as the default button) does.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
            Command1_Click(0);
            return true;
        }
    }
    return CancelRoutedDialog::eventFilter(watched, event);
}
