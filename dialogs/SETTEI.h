#pragma once

#include "dialogs/SetteiPickers.h"

#include <QDialog>
#include <QPointF>

#include <array>
#include <functional>

class QCloseEvent;
class QPushButton;
class QTabWidget;
class SetteiEnvironmentPage;
class SetteiInitialPage;
class SetteiMessagePage;

// The settings window: three pages of options above "OK", "キャンセル", "適用(&A)" and "ヘルプ".
// Callers create a fresh window for every opening and show it with exec(); it shows the settings
// in force when it is created.
class SETTEI : public QDialog {
    Q_OBJECT

public:
    // The countdown window as the centring switch moves it: its place in twips, and centring it.
    struct CountdownPlacement {
        std::function<QPointF()> position;
        std::function<void()> centre;
    };

    explicit SETTEI(QWidget* parent = nullptr);

    QTabWidget* SSTab1 = nullptr;
    SetteiEnvironmentPage* environmentPage = nullptr; // tab 0, "環境設定"
    SetteiInitialPage* initialPage = nullptr;         // tab 1, "初期設定"
    SetteiMessagePage* messagePage = nullptr;         // tab 2, "メッセージ等"
    std::array<QPushButton*, 4> Command1{};           // OK, キャンセル, 適用, ヘルプ

    // The colour, font and file dialogs; replaceable.
    SetteiPickers pickers = SetteiPickers::standard();

    void setCountdownPlacement(CountdownPlacement placement);

    void Command1_Click(int index);

    // Escape lands here: it acts as "キャンセル".
    void reject() override;

protected:
    // The close box saves nothing, as "キャンセル".
    void closeEvent(QCloseEvent* event) override;

private:
    void setTabOrderOfControls();
    void Form_Load();
    void SaveEnvironmentTab();
    void SaveInitialTab();
    void SaveMessagesTab();
    void placeCountdownWindow(bool centre);
    void closeWindow(int result);

    CountdownPlacement countdown;
    bool closing = false;
};
