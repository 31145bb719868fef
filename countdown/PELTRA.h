#pragma once

#include "app/core/CountdownPlacement.h"
#include "app/core/ReturnSchedule.h"
#include "app/core/WindowPlacement.h"
#include "app/settings/ProgramContext.h"
#include "countdown/CountdownLayout.h"
#include "countdown/CountdownMenu.h"
#include "countdown/LabelDragger.h"

#include <QMainWindow>
#include <QSizeF>

#include <array>
#include <memory>

class CountdownAccessibility;
class CountdownClock;
class CountdownStatusBar;
class QDialog;
class QLabel;
class QTimer;
struct StoreWrite;

// The countdown window: the messages, the day count and the status bar, its menu, and the ways
// the program ends.
class PELTRA : public QMainWindow, public CountdownPlacement {
    Q_OBJECT
public:
    // How a close request came: the user's close command, the session ending, or the program itself.
    enum UnloadMode { FormControlMenu = 0, FormCode = 1, AppWindows = 2, AppTaskManager = 3 };

    // The window as the program opens it. It is sized, placed and mapped first, so that the desktop
    // shows it without waiting for fonts and layout; its menus, texts and status bar are then built and
    // laid out before the event loop runs, so that its first picture is the finished window.
    static std::unique_ptr<PELTRA> open(const ProgramContext& context);
    ~PELTRA() override;

    void Form_Load();
    void Form_Activate();
    void Form_DblClick();
    // Returns true when the close is cancelled.
    bool Form_QueryUnload(UnloadMode mode);
    void Timer1_Timer();
    void Timer2_Timer();
    void mnuOptSettei_Click();
    void mnuEditEvent_Click();
    void mnuHelpContents_KeyWord_Click(int index);
    void mnuHelpAbout_Click();
    void SaveLabelPositions();
    void Label1_Click(int index);

    // The window's outer rectangle in twips, frame included.
    [[nodiscard]] QPointF windowPosition() const override;
    [[nodiscard]] QSizeF windowOuterSize() const;
    void centreNow() override;
    // Brings the window back as the automatic return does (restored, raised, laid out again, the
    // pending return ended) but without a sound: the tray icon's click and a second start.
    void bringBack();
    // The session ends without interaction (logout, a termination signal): the window and label
    // positions are saved, nothing is asked.
    void saveForSessionEnd();
    CountdownLayout& layout() { return *countdownLayout; }
    LabelDragger& dragger() { return *labelDragger; }
    CountdownAccessibility& accessibility() { return *countAccessibility; }
    [[nodiscard]] const ReturnSchedule& returnSchedule() const { return schedule; }
    [[nodiscard]] const CountdownClock& countdownClock() const { return *clock; }
    [[nodiscard]] const ProgramContext& programContext() const { return context; }
    // The days left that the window shows: 1 for tomorrow, 0 on the day, negative once it has passed.
    [[nodiscard]] int daysLeft() const { return shownDaysLeft; }

    std::array<QLabel*, 3> Label1{};
    QLabel* Image1 = nullptr;
    CountdownStatusBar* StatusBar1 = nullptr;
    // Single shots set by the countdown clock for the next change of the picture.
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    CountdownMenuItems menu;

signals:
    // The count shown has changed, and once when it is first shown.
    void countChanged(int daysLeft);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PELTRA(const ProgramContext& context);
    // Maps the empty window at the size and place the passes of Form_Load and Form_Activate give it.
    void showFrame();
    void createControls();
    void createMenu();
    void geometryPassAtLoad();
    void geometryPassAtActivation();
    void setOuterSize(double widthTwips, double heightTwips);
    void applyOuterSize();
    void placeWindow();
    // Where a window of that outer size goes: the record's place or the centre, kept on a screen.
    [[nodiscard]] QPointF fittedPlace(const AppSettings& record, QSizeF outer) const;
    // A place that differs from the record's stored one is stored there, unless the window is centred.
    static void keepPlace(AppSettings& record, QPointF place);
    [[nodiscard]] ScreenLayout screenLayout() const;
    void moveTo(QPointF twips);
    // Shows the days left and answers them.
    int showDaysLeft();
    void askAboutPassedEvent();
    // Runs a window of the menu with the count's timer stopped, then shows what it changed.
    void runDialog(QDialog& dialog);
    // Brings the minimised window back, with the chime when it returns by itself.
    void returnWindow(bool withChime);
    // MinimizedAt is now, the return counted from now on the boot clock.
    void startReturnCountdown();
    void report(const StoreWrite& write);
    void undoMaximise();
    // Writes the window's place as "M_Top" then "M_Left"; also into the settings when asked.
    void saveWindowPosition(bool alsoInMemory);
    void takeCurrentPlace();

    ProgramContext context;
    AppSettings& settings;
    SettingsStore& store;
    Platform& platform;
    int shownDaysLeft = 0;
    bool countShown = false;
    QWidget* canvas = nullptr;
    std::unique_ptr<CountdownLayout> countdownLayout;
    std::unique_ptr<LabelDragger> labelDragger;
    CountdownAccessibility* countAccessibility = nullptr;
    ReturnSchedule schedule;
    CountdownClock* clock = nullptr;
    QSizeF outerSizeTwips;
    QPointF placedTwips;
    // Set while the mapped window is built. It keeps the size and place it was mapped with, which the
    // passes arrive at again: until the window manager's answer to the map has been read, Qt would
    // send any change with the frame's place as the client's.
    bool building = false;
};
