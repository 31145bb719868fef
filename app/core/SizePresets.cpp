#include "app/core/SizePresets.h"

#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"

#include <algorithm>
#include <array>

namespace {
// clang-format off
constexpr std::array<SizePreset, presetCount> presets{{
    // height width  left  width  height pt   upper lower  pt   top   height panel1
    {11520, 15360,   210, 14835,  1305,  34,   925, 8150, 200, 3240, 4005, 13000},
    { 9000, 12000,   230, 11500,  1005,  25,   765, 6120, 140, 2610, 2805,  9670},
    { 7300,  9600,   160,  9195,   825,  20,   680, 4740, 100, 2130, 2000,  7260},
    { 5470,  7200,   210,  6675,   795,  15,   450, 3375,  72, 1470, 1455,  4860},
    { 3650,  4700,   225,  4225,   375,   9,   270, 1995,  46,  840,  915,  2360},
}};
// clang-format on
} // namespace

std::optional<int> presetIndex(const QString& presetText) {
    const auto number = Conversions::strictNumber(presetText);
    if (!number)
        return std::nullopt;
    for (int i = 0; i < presetCount; ++i) {
        if (*number == double(i))
            return i;
    }
    return std::nullopt;
}

const SizePreset& sizePreset(int index) {
    return presets.at(std::size_t(index));
}

void SelectWindowSize(AppSettings& settings, const QString& presetText) {
    if (const auto index = presetIndex(presetText)) {
        settings.WinHeight = qint16(presets[std::size_t(*index)].height);
        settings.WinWidth = qint16(presets[std::size_t(*index)].width);
    }
    for (std::size_t i = 0; i < presets.size(); ++i) {
        settings.PresetHeights[i] = qint16(presets[i].height);
        settings.PresetWidths[i] = qint16(presets[i].width);
    }
}

bool presetFitsScreens(int index, const QList<QRectF>& availableTwips) {
    if (availableTwips.isEmpty())
        return true;
    const SizePreset& preset = sizePreset(index);
    return std::any_of(availableTwips.begin(), availableTwips.end(), [&](const QRectF& area) {
        return preset.width <= area.width() && preset.height <= area.height();
    });
}
