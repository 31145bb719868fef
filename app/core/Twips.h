#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>

// Twips (1/1440 inch) are the layout's unit; pixels appear only where a value meets Qt.
namespace Twips {
double perPixelX();
double perPixelY();
int toPixelsX(double twips);
int toPixelsY(double twips);
double fromPixelsX(int pixels);
double fromPixelsY(int pixels);
QPoint toPixels(QPointF twips);
QPointF fromPixels(QPoint pixels);
// A rectangle given in twips, in pixels.
QRect toPixelRect(double left, double top, double width, double height);
} // namespace Twips
