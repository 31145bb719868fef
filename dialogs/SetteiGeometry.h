#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

// Shared helpers of the settings window's pages: the dark boxes with light yellow text and the
// pages' origin.
namespace SetteiGeometry {

// The dark grey and light yellow of the interval, message and font-name boxes.
inline const QColor boxBackground{0x40, 0x40, 0x40};
inline const QColor boxText{0xFF, 0xFF, 0x80};
void paintAsBox(QWidget* widget);

// Positions on a page count from the top of the tab strip, tab row included; Qt's page starts below
// the tab row.
void liftChildren(QWidget* page, int tabRowHeight);

} // namespace SetteiGeometry
