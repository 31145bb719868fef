#pragma once

#include "dialogs/AboutLinks.h"
#include "dialogs/FixedSizeDialog.h"

#include <array>
#include <map>

class DecorationLayer;
class Platform;
class QFocusFrame;
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
    // The shadows: the platforms' below the links, the others above the titles.
    std::array<DecorationLayer*, 2> shadowLayers{};
    // Labels 11 and 13 stand for the mail and the home page link when reached by Tab; Enter or
    // Space opens them, and this frame shows which one has the focus.
    QFocusFrame* linkFocus = nullptr;

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
    QLabel* addLabel(int index, const QString& text, const QFont& font, QPointF topLeftTwips, QSizeF sizeTwips,
                     QWidget* parent = nullptr);
    // Focus and keys of the links' labels; true when the event was used.
    bool linkKeyboardEvent(int index, QEvent* event);
    void setLinkColours(const AboutLinks::LinkColours& colours);
    int labelIndexOf(const QObject* object) const;

    int pressedLabel = -1;

    Platform& platform;
};
