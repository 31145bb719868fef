#include "dialogs/SetteiGeometry.h"

#include "app/core/Twips.h"

#include <QPalette>
#include <QWidget>

namespace SetteiGeometry {

QRect twipsRect(double left, double top, double width, double height) {
    return {Twips::toPixelsX(left), Twips::toPixelsY(top), Twips::toPixelsX(width), Twips::toPixelsY(height)};
}

QFont font(const QString& family, double pointSize, bool bold) {
    QFont result(family);
    result.setPointSizeF(pointSize);
    result.setBold(bold);
    return result;
}

void paintAsBox(QWidget* widget) {
    QPalette palette = widget->palette();
    for (auto role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, boxBackground);
    for (auto role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, boxText);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void liftChildren(QWidget* page, int tabRowHeight) {
    for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->move(child->x(), child->y() - tabRowHeight);
}

} // namespace SetteiGeometry
