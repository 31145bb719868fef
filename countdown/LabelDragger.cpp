#include "countdown/LabelDragger.h"

#include "app/core/AppSettings.h"
#include "app/core/Twips.h"
#include "countdown/CountdownLayout.h"

#include <QApplication>
#include <QMouseEvent>

namespace {
QPointF twipsInLabel(const QMouseEvent* event) {
    const QPointF pixels = event->position();
    return {Twips::fromPixelsX(qRound(pixels.x())), Twips::fromPixelsY(qRound(pixels.y()))};
}
} // namespace

LabelDragger::LabelDragger(CountdownLayout& layout, const AppSettings& settings, Handlers handlers)
    : layout(layout), settings(settings), handlers(std::move(handlers)) {}

bool LabelDragger::handleEvent(int index, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(index, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        move(index, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        release(index, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        // The second press of a double-click starts no drag and makes no click.
        endPress(index);
        Label1_MouseUp(index);
        handlers.doubleClick();
        return true;
    case QEvent::UngrabMouse:
        // A message box raised mid-drag took the mouse: the drag ends where the label is.
        endPress(index);
        Label1_MouseUp(index);
        return false;
    default:
        return false;
    }
}

void LabelDragger::press(int index, QMouseEvent* event) {
    const auto i = std::size_t(index);
    pressed[i] = true;
    pressButton[i] = event->button();
    pressPoint[i] = event->globalPosition().toPoint();
    dragged[i] = false;
    const QPointF at = twipsInLabel(event);
    Label1_MouseDown(index, event->button(), at.x(), at.y());
}

void LabelDragger::move(int index, QMouseEvent* event) {
    const auto i = std::size_t(index);
    if (event->buttons() == Qt::NoButton) {
        // The release went elsewhere (a modal window came up): any drag is over.
        if (DragActive[i] || pressed[i]) {
            endPress(index);
            Label1_MouseUp(index);
        }
        return;
    }
    // Only a label that can be dragged is dragged; otherwise a press that wobbles is still a click.
    if (pressed[i] && DragActive[i] &&
        (event->globalPosition().toPoint() - pressPoint[i]).manhattanLength() >= QApplication::startDragDistance())
        dragged[i] = true;
    const QPointF at = twipsInLabel(event);
    Label1_MouseMove(index, at.x(), at.y());
}

void LabelDragger::release(int index, QMouseEvent* event) {
    const auto i = std::size_t(index);
    const bool click = pressed[i] && !dragged[i] && event->button() == pressButton[i] &&
                       (pressButton[i] == Qt::LeftButton || pressButton[i] == Qt::RightButton);
    endPress(index);
    Label1_MouseUp(index);
    if (click)
        handlers.click(index);
}

void LabelDragger::endPress(int index) {
    pressed.at(std::size_t(index)) = false;
}

void LabelDragger::Label1_MouseDown(int index, Qt::MouseButton button, double x, double y) {
    Q_UNUSED(button);
    if (!settings.movesTexts())
        return;
    const auto i = std::size_t(index);
    DragStartX[i] = float(x);
    DragStartY[i] = float(y);
    DragActive[i] = true;
}

void LabelDragger::Label1_MouseMove(int index, double x, double y) {
    const auto i = std::size_t(index);
    if (!DragActive[i])
        return;
    const double dx = x - DragStartX[i];
    const double dy = y - DragStartY[i];
    const QPointF position = layout.labelPosition(index);
    layout.setLabelPosition(index, {position.x() + dx, position.y() + dy});
}

void LabelDragger::Label1_MouseUp(int index) {
    DragActive.at(std::size_t(index)) = false;
}
