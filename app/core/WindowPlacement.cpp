#include "app/core/WindowPlacement.h"

#include <algorithm>

namespace {
double overlap(const QRectF& window, const QRectF& area) {
    const QRectF common = window.intersected(area);
    return common.isEmpty() ? 0 : common.width() * common.height();
}

double distanceSquared(const QRectF& window, const QRectF& area) {
    const double dx = std::max({0.0, area.left() - window.right(), window.left() - area.right()});
    const double dy = std::max({0.0, area.top() - window.bottom(), window.top() - area.bottom()});
    return dx * dx + dy * dy;
}

double clampedStart(double start, double length, double areaStart, double areaLength) {
    if (length >= areaLength)
        return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}
} // namespace

QPointF placeInsideAvailableArea(const QRectF& window, const QList<QRectF>& availableAreas) {
    if (availableAreas.isEmpty())
        return window.topLeft();
    const auto closer = [&](const QRectF& a, const QRectF& b) {
        const double overlapA = overlap(window, a);
        const double overlapB = overlap(window, b);
        if (overlapA != overlapB)
            return overlapA > overlapB;
        return distanceSquared(window, a) < distanceSquared(window, b);
    };
    const QRectF area = *std::min_element(availableAreas.begin(), availableAreas.end(), closer);
    return {clampedStart(window.left(), window.width(), area.left(), area.width()),
            clampedStart(window.top(), window.height(), area.top(), area.height())};
}
