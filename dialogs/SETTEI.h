#pragma once

#include "app/settings/ProgramContext.h"
#include "dialogs/CancelRoutedDialog.h"
#include "dialogs/SetteiPickers.h"

#include <array>

class CountdownPlacement;
struct StoreWrite;

class QPushButton;
class QTabWidget;
class SetteiEnvironmentPage;
class SetteiInitialPage;
class SetteiMessagePage;

// The settings window: three pages of options above "OK", "キャンセル", "適用(&A)" and "ヘルプ".
// Callers create a fresh window for every opening and show it with exec(); it shows the settings
// in force when it is created.
class SETTEI : public CancelRoutedDialog {
    Q_OBJECT

public:
    // countdown is the countdown window that the centring switch moves, when there is one.
    explicit SETTEI(const ProgramContext& context, CountdownPlacement* countdown = nullptr, QWidget* parent = nullptr);

    QTabWidget* SSTab1 = nullptr;
    SetteiEnvironmentPage* environmentPage = nullptr; // tab 0, "環境設定"
    SetteiInitialPage* initialPage = nullptr;         // tab 1, "初期設定"
    SetteiMessagePage* messagePage = nullptr;         // tab 2, "メッセージ等"
    std::array<QPushButton*, 4> Command1{};           // OK, キャンセル, 適用, ヘルプ

    // The colour, font and file dialogs; replaceable.
    SetteiPickers pickers = SetteiPickers::standard();

    void Command1_Click(int index);

protected:
    void cancelRequested() override;

private:
    void setTabOrderOfControls();
    void Form_Load();
    void SaveEnvironmentTab();
    void SaveInitialTab();
    void SaveMessagesTab();
    void placeCountdownWindow(bool centre);
    void takePicture(const QString& path);
    // Tells the user what a write of the store needs them to know.
    void report(const StoreWrite& write);

    ProgramContext context;
    CountdownPlacement* countdown;
};
