#pragma once

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

struct AppSettings;

// The five window sizes and, for each, the geometry of the labels and the first status panel (twips).
struct SizePreset {
    int height;
    int width;
    int messagesLeft;
    int messagesWidth;
    int messagesHeight;
    int messagesPointSize;
    int upperTop;
    int lowerTop;
    int countPointSize;
    int countTop;
    int countHeight;
    int panel1Width;
};

inline constexpr int presetCount = 5;

// The preset a text names ("0" to "4" as a number), if any.
std::optional<int> presetIndex(const QString& presetText);
const SizePreset& sizePreset(int index);

// Sets WinHeight and WinWidth from the preset the text names (unchanged when none),
// and fills PresetHeights and PresetWidths.
void SelectWindowSize(AppSettings& settings, const QString& presetText);

// Whether the preset's outer size fits within at least one of the screens' available areas (twips).
// With no screen known, every preset is taken to fit.
bool presetFitsScreens(int index, const QList<QRectF>& availableTwips);
