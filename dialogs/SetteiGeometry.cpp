#include "dialogs/SetteiGeometry.h"

#include <QPalette>
#include <QWidget>

namespace SetteiGeometry {

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
