#pragma once

#include "app/settings/ProgramContext.h"
#include "dialogs/CancelRoutedDialog.h"

#include <QDate>

#include <array>

class QCalendarWidget;
class QLabel;
class QPushButton;

// The event-date window: the user picks the event date on a month calendar. Callers create a fresh
// window for every opening and show it with exec().
class INP_DATE : public CancelRoutedDialog {
    Q_OBJECT

public:
    explicit INP_DATE(const ProgramContext& context, QWidget* parent = nullptr);

    QCalendarWidget* MonthView1 = nullptr;
    std::array<QPushButton*, 3> Command1{}; // 了解, キャンセル, ﾍﾙﾌﾟ
    QLabel* Label1 = nullptr;

protected:
    void cancelRequested() override;
    // Enter on a day of the calendar.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void MonthView1_DateClick(QDate date);
    void Command1_Click(int index);

    void okClicked();
    void cancelClicked();

    ProgramContext context;
};
