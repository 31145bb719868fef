#include "app/core/AppSettings.h"

#include "app/core/Conversions.h"

#include <cmath>

qint64 returnDelaySeconds(const AppSettings& settings) {
    double seconds = 0;
    if (settings.OptReturn.typeId() == QMetaType::QString)
        seconds = Conversions::strictNumber(settings.OptReturn.toString()).value_or(0);
    else
        seconds = settings.OptReturn.toDouble();
    return qint64(std::trunc(std::clamp(seconds, 0.0, 1e9)));
}
