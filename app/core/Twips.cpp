#include "app/core/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {
constexpr double twipsPerInch = 1440.0;
constexpr double fallbackDpi = 96.0;

double dpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return fallbackDpi;
    const double value = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return value > 0 ? value : fallbackDpi;
}

int roundToInt(double value) {
    // Positions come from stored texts; keep them inside what a widget coordinate can hold.
    constexpr double limit = 1 << 24;
    return static_cast<int>(std::lround(std::clamp(value, -limit, limit)));
}
} // namespace

namespace Twips {
double perPixelX() {
    return twipsPerInch / dpi(true);
}
double perPixelY() {
    return twipsPerInch / dpi(false);
}
int toPixelsX(double twips) {
    return roundToInt(twips / perPixelX());
}
int toPixelsY(double twips) {
    return roundToInt(twips / perPixelY());
}
double fromPixelsX(int pixels) {
    return pixels * perPixelX();
}
double fromPixelsY(int pixels) {
    return pixels * perPixelY();
}
QPoint toPixels(QPointF twips) {
    return {toPixelsX(twips.x()), toPixelsY(twips.y())};
}
QPointF fromPixels(QPoint pixels) {
    return {fromPixelsX(pixels.x()), fromPixelsY(pixels.y())};
}
QRect toPixelRect(double left, double top, double width, double height) {
    return {toPixelsX(left), toPixelsY(top), toPixelsX(width), toPixelsY(height)};
}

} // namespace Twips
