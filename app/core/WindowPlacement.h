#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Where a window goes so that it lies wholly inside an available area (twips): the least move into
// the area it overlaps most (or, overlapping none, the nearest one); when it is wider or taller than
// that area, the area's left or top edge.
QPointF placeInsideAvailableArea(const QRectF& window, const QList<QRectF>& availableAreas);

// The screens as the window's placement sees them (twips): the primary screen's size, every screen's
// rectangle, and the areas left free by panels.
struct ScreenLayout {
    QSizeF primarySize;
    QList<QRectF> screens;
    QList<QRectF> availableAreas;
};

// The place that centres a window of that outer size on the primary screen.
QPointF centredPlace(QSizeF outer, const ScreenLayout& layout);

// Where a window of that outer size goes, from its stored place or centred: kept on a screen (a place
// on none, after a monitor has gone or the resolution has shrunk, is centred), then wholly inside an
// available area.
QPointF fittedPlace(QPointF stored, bool centred, QSizeF outer, const ScreenLayout& layout);
