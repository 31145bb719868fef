#pragma once

#include "app/settings/SettingsSaving.h"

#include <QList>
#include <QRectF>
#include <QWidget>

#include <array>

class QColor;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
struct AppSettings;
struct SetteiPickers;

// Page "初期設定" of the settings window: the return interval, the five colours and the window size.
class SetteiInitialPage : public QWidget {
    Q_OBJECT

public:
    SetteiInitialPage(const SetteiPickers& pickers, QWidget* parent = nullptr);

    QGroupBox* Frame1_0 = nullptr; // " 復帰間隔 "
    QScrollBar* VScroll1 = nullptr;
    QLabel* Label4 = nullptr;      // the interval in minutes
    QGroupBox* Frame1_7 = nullptr; // " 画面の配色 "
    std::array<QLabel*, 5> Label3{};
    std::array<QPushButton*, 5> Command3{}; // colour swatches
    QGroupBox* Frame1_1 = nullptr;          // " 画面のサイズ "
    std::array<QRadioButton*, 5> Option1{};
    QLabel* sizeNote = nullptr; // shown when a size would not fit the screen

    // Marks the sizes whose window would not fit any of the screens' available areas (twips), with
    // a note under the options.
    void noteSizesThatDoNotFit(const QList<QRectF>& availableTwips);

    // The size preset chosen on this page.
    int SelectedSize = 2;

    void load(const AppSettings& settings);
    [[nodiscard]] InitialChoices choices() const;

signals:
    // A colour was picked for a swatch (0 to 4): in force at once; the store gets it when the page
    // is saved.
    void colourPicked(int index, const QString& colourText);

protected:
    // The spinner's wheel.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void VScroll1_Change();
    void turnStepRound(int action);
    void Option1_Click(int index);
    void Command3_Click(int index);
    void showSwatch(int index, const QColor& color);
    // Only the checked size option is a tab stop; the arrow keys move within them.
    void makeCheckedOptionTheTabStop();

    const SetteiPickers& pickers;
    std::array<QString, 5> colours; // as the swatches show them
    int wheelTurn = 0;              // eighths of a degree not yet taken as a step
};
