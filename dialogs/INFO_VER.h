#pragma once

#include "dialogs/AboutLinks.h"
#include "dialogs/FixedSizeDialog.h"

#include <array>
#include <map>

class Platform;
class QGroupBox;
class QLabel;
class QPushButton;

// The about window: product name, version, copyright, and the author's mail and home page links,
// which light up under the pointer. Callers create a fresh window for every opening and show it
// with exec(); it keeps no state between openings.
class INFO_VER : public FixedSizeDialog {
    Q_OBJECT

public:
    // The links are opened through platform.
    explicit INFO_VER(Platform& platform, QWidget* parent = nullptr);

    // Indices 0 to 9 and 18, 19 are the titles in pairs (coloured, then its shadow), 10 to 14 the
    // links.
    std::map<int, QLabel*> Label1;
    QLabel* Image1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* FrameNote = nullptr; // the freeware note inside Frame1
    std::array<QWidget*, 5> Line1{};
    QPushButton* Command1 = nullptr;

    void Command1_Click();
    // The pointer over the window's background.
    void Form_MouseMove();
    void Label1_Click(int index);
    void Label1_MouseMove(int index);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    // Turns the labels' mouse events into the handlers above.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createTitles();
    void createLinks();
    void createFrameAndLines();
    void stackControls();
    QLabel* addLabel(int index, const QString& text, const QFont& font, QPointF topLeftTwips, QSizeF sizeTwips);
    void setLinkColours(const AboutLinks::LinkColours& colours);
    int labelIndexOf(const QObject* object) const;

    int pressedLabel = -1;

    Platform& platform;
};
