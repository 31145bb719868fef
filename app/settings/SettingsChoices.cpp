#include "app/settings/SettingsChoices.h"

#include "app/core/Conversions.h"
#include "app/core/SizePresets.h"

#include <algorithm>
#include <cmath>

namespace SettingsChoices {

bool isTicked(const QString& text) {
    return text == QLatin1String("1");
}

int intervalMinutes(const QVariant& optReturn) {
    std::optional<double> seconds;
    if (optReturn.typeId() == QMetaType::QString)
        seconds = Conversions::strictNumber(optReturn.toString());
    else if (optReturn.canConvert<double>())
        seconds = optReturn.toDouble();
    if (!seconds || !std::isfinite(*seconds))
        return defaultMinutes;
    const double minutes = std::clamp(*seconds / 60, double(minimumMinutes), double(maximumMinutes));
    return int(Conversions::roundHalfEven(minutes));
}

int tabIndex(const QString& text) {
    const auto index = Conversions::strictNumber(text);
    if (index && (*index == 0 || *index == 1 || *index == 2))
        return int(*index);
    return 0;
}

int sizeChoice(const QString& text) {
    return presetIndex(text).value_or(defaultSize);
}

bool fontFlag(const QString& text) {
    return Conversions::strictBoolean(text).value_or(false);
}

double fontPointSize(const QString& text) {
    const auto size = Conversions::strictNumber(text);
    if (!size || !(*size >= 1 && *size <= 1638))
        return defaultPointSize;
    return *size;
}

std::array<QString, 4> pickedFontTexts(const std::array<QString, 4>& current, const QString& presetFamily,
                                       const QString& family, double pointSize, bool bold, bool italic) {
    const QString name = family == presetFamily ? current[0] : family;
    return {name, Conversions::numberText(pointSize), Conversions::booleanText(bold), Conversions::booleanText(italic)};
}

QString pickedColorText(const QColor& color) {
    return QString::number(Conversions::colorValue(color));
}

} // namespace SettingsChoices
