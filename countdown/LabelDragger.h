#pragma once

#include <QPoint>

#include <array>
#include <functional>

class CountdownLayout;
class QEvent;
class QMouseEvent;
struct AppSettings;

// Moves the window's three labels with the mouse, any button, while the settings allow it; tells a
// click (press and release without a drag) and a double-click apart from a drag.
class LabelDragger {
public:
    struct Handlers {
        std::function<void(int index)> click;
        std::function<void()> doubleClick;
    };

    LabelDragger(CountdownLayout& layout, const AppSettings& settings, Handlers handlers);

    // Takes the mouse events of label index; true when the event was used.
    bool handleEvent(int index, QEvent* event);

    // X and Y are twips from the label's top-left corner.
    void Label1_MouseDown(int index, Qt::MouseButton button, double x, double y);
    void Label1_MouseMove(int index, double x, double y);
    void Label1_MouseUp(int index);

    [[nodiscard]] bool isDragging(int index) const { return DragActive.at(std::size_t(index)); }

private:
    void press(int index, QMouseEvent* event);
    void move(int index, QMouseEvent* event);
    void release(int index, QMouseEvent* event);
    void endPress(int index);

    CountdownLayout& layout;
    const AppSettings& settings;
    Handlers handlers;

    std::array<bool, 3> DragActive{};
    std::array<float, 3> DragStartX{};
    std::array<float, 3> DragStartY{};

    // What tells a click from a drag: where the press was, and whether the pointer went further
    // than the platform's drag distance since.
    std::array<bool, 3> pressed{};
    std::array<Qt::MouseButton, 3> pressButton{};
    std::array<QPoint, 3> pressPoint{};
    std::array<bool, 3> dragged{};
};
