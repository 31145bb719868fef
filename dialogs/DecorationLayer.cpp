#include "dialogs/DecorationLayer.h"

#include <QAccessibleWidget>

namespace {

// The layer as the accessibility tree sees it: a plain pane with nothing inside.
class EmptyPane : public QAccessibleWidget {
public:
    explicit EmptyPane(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Pane) {}
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
};

QAccessibleInterface* emptyPaneFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(DecorationLayer::staticMetaObject.className()) && object && object->isWidgetType())
        return new EmptyPane(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

DecorationLayer::DecorationLayer(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(emptyPaneFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled)
    setObjectName(QStringLiteral("DecorationLayer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}
