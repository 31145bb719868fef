#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>

class CountdownLayout;
class FocusMark;
class QLabel;
struct AppSettings;

// The countdown window for the keyboard and a screen reader. The count takes the focus with Tab
// and answers Space and Enter as a click on it does; while moving the texts is on, the arrow keys
// move it by a few pixels (Shift: further), kept as a drag keeps a text. The texts are named as
// they are read: the count after the upper message, "イベントまであと 30 日".
class CountdownAccessibility : public QObject {
    Q_OBJECT

public:
    // labels: the upper message, the lower message, the count; click runs a click on label index.
    CountdownAccessibility(CountdownLayout& layout, const AppSettings& settings, std::array<QLabel*, 3> labels,
                           std::function<void(int index)> click, QObject* parent = nullptr);

    // The name the count is read with: the upper message on one line, then the days,
    // "高校の入学試験まであと・・・ 30 日"; an empty message or count left out.
    static QString countName(const QString& upper, const QString& count);
    // Pixels an arrow key moves the focused count, without and with Shift.
    static constexpr int arrowStep = 4;
    static constexpr int shiftArrowStep = 20;

    // Names the texts after what they now show.
    void refresh();
    [[nodiscard]] FocusMark* focusFrame() const { return frame; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(int key, Qt::KeyboardModifiers modifiers);

    CountdownLayout& layout;
    const AppSettings& settings;
    std::array<QLabel*, 3> labels;
    std::function<void(int index)> click;
    FocusMark* frame = nullptr;
};
