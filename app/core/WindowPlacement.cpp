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

QPointF centredPlace(QSizeF outer, const ScreenLayout& layout) {
    return {float((layout.primarySize.width() - outer.width()) / 2),
            float((layout.primarySize.height() - outer.height()) / 2)};
}

QPointF fittedPlace(QPointF stored, bool centred, QSizeF outer, const ScreenLayout& layout) {
    QPointF place = centred ? centredPlace(outer, layout) : stored;
    const bool visible = std::any_of(layout.screens.begin(), layout.screens.end(),
                                     [&](const QRectF& screen) { return screen.intersects(QRectF(place, outer)); });
    if (!visible && !layout.screens.isEmpty())
        place = centredPlace(outer, layout);
    // Nor may a bigger size push the close box or the status bar off the screen or under a panel.
    return placeInsideAvailableArea(QRectF(place, outer), layout.availableAreas);
}
