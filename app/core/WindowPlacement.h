#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

// Where a window goes so that it lies wholly inside an available area (twips): the least move into
// the area it overlaps most (or, overlapping none, the nearest one); when it is wider or taller than
// that area, the area's left or top edge.
QPointF placeInsideAvailableArea(const QRectF& window, const QList<QRectF>& availableAreas);
