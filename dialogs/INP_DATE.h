#pragma once

#include <QDate>
#include <QDialog>

#include <array>

class QCalendarWidget;
class QCloseEvent;
class QLabel;
class QPushButton;

// The event-date window: the user picks the event date on a month calendar. Callers create a fresh
// window for every opening and show it with exec().
class INP_DATE : public QDialog {
    Q_OBJECT

public:
    explicit INP_DATE(QWidget* parent = nullptr);

    QCalendarWidget* MonthView1 = nullptr;
    std::array<QPushButton*, 3> Command1{}; // 了解, キャンセル, ﾍﾙﾌﾟ
    QLabel* Label1 = nullptr;

    // Escape lands here: it acts as "キャンセル".
    void reject() override;

protected:
    // The close box acts as "キャンセル" too, and stays open when that handler does.
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void MonthView1_DateClick(QDate date);
    void Command1_Click(int index);

    void okClicked();
    void cancelClicked();
    // Closes through QDialog without passing through the Cancel handler again.
    void closeWindow(int result);

    bool closing = false;
};
