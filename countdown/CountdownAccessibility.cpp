#include "countdown/CountdownAccessibility.h"

#include "app/core/AppSettings.h"
#include "app/core/Twips.h"
#include "countdown/CountdownLayout.h"
#include "countdown/FocusMark.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>

namespace {
const std::array<QString, 2> messageNames{QStringLiteral("上段のメッセージ"), QStringLiteral("下段のメッセージ")};
} // namespace

CountdownAccessibility::CountdownAccessibility(CountdownLayout& layout, const AppSettings& settings,
                                               std::array<QLabel*, 3> labels, std::function<void(int index)> click,
                                               QObject* parent)
    : QObject(parent), layout(layout), settings(settings), labels(labels), click(std::move(click)) {
    QLabel* count = labels[CountdownLayout::count];
    count->setFocusPolicy(Qt::StrongFocus);
    count->setAccessibleDescription(QStringLiteral("クリック、スペースキーまたは Enter キーで最小化"));
    count->installEventFilter(this);
    for (std::size_t i = 0; i < messageNames.size(); ++i)
        labels[i]->setAccessibleDescription(messageNames[i]);
    // Drawn around the count, outside it: the count's box and text stay as they are.
    frame = new FocusMark(count->parentWidget());
    refresh();
}

QString CountdownAccessibility::countName(const QString& upper, const QString& count) {
    QStringList parts;
    if (const QString line = upper.simplified(); !line.isEmpty())
        parts << line;
    if (const QString days = count.simplified(); !days.isEmpty())
        parts << days + QStringLiteral(" 日");
    return parts.join(u' ');
}

void CountdownAccessibility::refresh() {
    const auto set = [](QLabel* label, const QString& name) {
        if (label->accessibleName() != name)
            label->setAccessibleName(name);
    };
    set(labels[CountdownLayout::count], countName(labels[0]->text(), labels[CountdownLayout::count]->text()));
    // An empty message is still a place on the window: it is named for what it would hold.
    for (std::size_t i = 0; i < messageNames.size(); ++i)
        set(labels[i], labels[i]->text().simplified().isEmpty() ? messageNames[i] : labels[i]->text().simplified());
}

bool CountdownAccessibility::eventFilter(QObject* watched, QEvent* event) {
    QLabel* count = labels[CountdownLayout::count];
    if (watched != count)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn: {
        refresh();
        // The frame marks a focus the keyboard brought, not the one a window gets when it is activated.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
            frame->follow(count);
        break;
    }
    case QEvent::FocusOut:
        frame->follow(nullptr);
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        // The count is the window's one stop: Tab keeps the focus where the window's activation put
        // it, and brings no focus-in. The frame shows it is there.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            frame->follow(count);
        if (keyPressed(key->key(), key->modifiers() & ~Qt::KeypadModifier))
            return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool CountdownAccessibility::keyPressed(int key, Qt::KeyboardModifiers modifiers) {
    QLabel* count = labels[CountdownLayout::count];
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        frame->follow(nullptr);
        click(CountdownLayout::count);
        return true;
    }
    QPoint pixels;
    switch (key) {
    case Qt::Key_Left:
        pixels = {-1, 0};
        break;
    case Qt::Key_Right:
        pixels = {1, 0};
        break;
    case Qt::Key_Up:
        pixels = {0, -1};
        break;
    case Qt::Key_Down:
        pixels = {0, 1};
        break;
    default:
        return false;
    }
    if (!settings.movesTexts() || (modifiers & ~Qt::ShiftModifier) != Qt::NoModifier)
        return false;
    pixels *= modifiers == Qt::ShiftModifier ? shiftArrowStep : arrowStep;
    const QPointF position = layout.labelPosition(CountdownLayout::count);
    layout.setLabelPosition(CountdownLayout::count, {position.x() + Twips::fromPixelsX(pixels.x()),
                                                     position.y() + Twips::fromPixelsY(pixels.y())});
    // Seen moving with the count.
    frame->follow(count);
    return true;
}
