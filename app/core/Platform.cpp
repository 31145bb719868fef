#include "app/core/Platform.h"

#include <QDateTime>

Platform::~Platform() = default;

int secondsSinceMidnight(const QDateTime& moment) {
    return moment.time().msecsSinceStartOfDay() / 1000;
}
