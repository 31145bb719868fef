#pragma once

#include "tests/support/ScriptedPlatform.h"

#include <QDateTime>

// The tests' platform as the settings targets need it: a 1920 x 1080 screen at 96 dpi for the centred
// window position, and a clock that stands at noon.
inline void fixScreenAndClock(ScriptedPlatform& platform) {
    platform.screenSize = {28800, 16200};
    platform.screens = {QRectF(QPointF(0, 0), platform.screenSize)};
    platform.clock = QDateTime(QDate(2026, 12, 6), QTime(12, 0));
}
