#include "dialogs/WidgetLook.h"

#include <QPalette>
#include <QWidget>

namespace WidgetLook {

QFont font(const QString& family, double pointSize, bool bold, bool underline) {
    QFont result(family);
    result.setPointSizeF(pointSize);
    result.setBold(bold);
    result.setUnderline(underline);
    return result;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace WidgetLook
