#include "app/core/Platform.h"

#include <QtGlobal>

namespace {
Platform* currentPlatform = nullptr;
}

Platform::~Platform() = default;

Platform& Platform::instance() {
    Q_ASSERT_X(currentPlatform, "Platform::instance", "no platform installed");
    return *currentPlatform;
}

void Platform::setInstance(Platform* platform) {
    currentPlatform = platform;
}

int secondsSinceMidnight(const QDateTime& moment) {
    return moment.time().msecsSinceStartOfDay() / 1000;
}
