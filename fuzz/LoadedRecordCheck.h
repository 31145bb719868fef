#pragma once

#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"
#include "app/core/SizePresets.h"
#include "fuzz/FuzzCheck.h"

#include <QString>

#include <cmath>

// What the windows read from the record is usable whatever the file held.
inline void checkLoadedRecord(const AppSettings& settings) {
    const auto preset = presetIndex(settings.OptSize);
    require(preset.has_value(), "the loaded size names a preset", visible(settings.OptSize));
    require(settings.WinWidth == sizePreset(*preset).width && settings.WinHeight == sizePreset(*preset).height,
            "the window takes the preset's size", visible(settings.OptSize));
    for (const auto* positions : {&settings.Label_Left, &settings.Label_Top}) {
        for (const QString& position : *positions) {
            if (position.isEmpty())
                continue; // Label_Left(2) is not stored: the count is centred
            const auto twips = Conversions::strictNumber(position);
            require(twips && std::abs(*twips) <= 1e6, "a label position is a number near the window",
                    visible(position));
        }
    }
    for (const QString& position : {settings.M_Left, settings.M_Top})
        require(std::isfinite(Conversions::lenientNumber(position)), "the window position is finite",
                visible(position));
    const qint64 delay = returnDelaySeconds(settings);
    require(delay >= 0 && delay <= 86400, "the return delay is at most a day", settings.OptReturn.toString());
    const auto tab = Conversions::strictNumber(settings.OptLATab);
    require(tab && (*tab == 0 || *tab == 1 || *tab == 2), "the settings window opens on one of its tabs",
            visible(settings.OptLATab));
    for (const QString& flag : {settings.OptFont[2], settings.OptFont[3], settings.OptFont2[2], settings.OptFont2[3]})
        require(Conversions::strictBoolean(flag).has_value(), "a font flag is a switch", visible(flag));
    for (const QString& color : settings.OptColor)
        require(Conversions::colorFromText(color).isValid(), "a colour is valid", visible(color));
}
