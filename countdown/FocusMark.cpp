#include "countdown/FocusMark.h"

#include <QEvent>
#include <QPainter>
#include <QPen>

FocusMark::FocusMark(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FocusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusMark::follow(QWidget* target) {
    if (followed == target)
        return place();
    if (followed)
        followed->removeEventFilter(this);
    followed = target;
    if (followed)
        followed->installEventFilter(this);
    place();
}

void FocusMark::place() {
    if (!followed || !followed->isVisible() || followed->parentWidget() != parentWidget()) {
        hide();
        return;
    }
    setGeometry(followed->geometry().adjusted(-margin, -margin, margin, margin));
    raise();
    show();
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event) {
    if (watched == followed) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusMark::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect ring = rect().adjusted(1, 1, -2, -2);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(ring);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(ring);
}
