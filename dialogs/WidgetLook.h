#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// How the program's windows dress their controls.
namespace WidgetLook {

// A font of the family at the size in points.
QFont font(const QString& family, double pointSize, bool bold = false, bool underline = false);
// The colour of a label's or a frame's text.
void setTextColour(QWidget* widget, const QColor& colour);

} // namespace WidgetLook
