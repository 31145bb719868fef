#include "dialogs/LinkAccessible.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>

namespace {

constexpr char linkProperty[] = "peltraLink";

QAccessibleInterface* linkFactory(const QString& /*className*/, QObject* object) {
    if (object && object->isWidgetType() && object->property(linkProperty).toBool())
        return new LinkAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

LinkAccessible::LinkAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::Link) {}

void LinkAccessible::markAsLink(QLabel* label) {
    static const bool installed = [] {
        QAccessible::installFactory(linkFactory);
        return true;
    }();
    Q_UNUSED(installed)
    label->setProperty(linkProperty, true);
    // An interface made for the label before it was marked would answer for it as a plain text.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label);
        made && made->role() != QAccessible::Link)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

QString LinkAccessible::text(QAccessible::Text type) const {
    const auto* label = qobject_cast<const QLabel*>(widget());
    switch (type) {
    case QAccessible::Name:
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        return label ? label->text().simplified() : QString();
    case QAccessible::Description:
        // The tooltip holds the whole address, of which the text may show a part.
        return widget()->toolTip().simplified();
    default:
        return QAccessibleWidget::text(type);
    }
}

QAccessible::State LinkAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.linked = true;
    return state;
}

QStringList LinkAccessible::actionNames() const {
    return {pressAction()};
}

void LinkAccessible::doAction(const QString& actionName) {
    // Posted: the screen reader's call returns before the opener runs or a message box asks.
    if (actionName == pressAction())
        QCoreApplication::postEvent(widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
}
