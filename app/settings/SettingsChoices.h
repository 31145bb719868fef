#pragma once

#include <QColor>
#include <QString>
#include <QVariant>

#include <array>

// How the settings window reads the stored texts into its controls, and the texts its pickers
// produce. A stored text the program never writes opens the window on a sane value; the store
// keeps that text until the page is saved.
namespace SettingsChoices {

inline constexpr int minimumMinutes = 5;
inline constexpr int maximumMinutes = 360;
inline constexpr int minutesStep = 5;
inline constexpr int defaultMinutes = 10;
inline constexpr int defaultSize = 2;
inline constexpr double defaultPointSize = 20;

// A switch shows ticked only for exactly "1".
bool isTicked(const QString& text);

// The return interval in whole minutes: OptReturn / 60 rounded half to even and kept within
// 5 to 360; the default 10 when OptReturn holds no number.
int intervalMinutes(const QVariant& optReturn);

// The tab that OptLATab names, 0 to 2; the first tab when it names none.
int tabIndex(const QString& text);

// The size preset that OptSize names, 0 to 4; the standard size when it names none.
int sizeChoice(const QString& text);

// A bold or italic flag as its box shows it: a text that is no Boolean shows unticked.
bool fontFlag(const QString& text);

// A stored point size for presetting the font picker; the default when it is no usable size.
double fontPointSize(const QString& text);

// The four font texts (name, size, bold, italic) after a font was picked. The picker lists installed
// families only, so it is preset with the family that stands in for the stored name: when it returns
// that family, the stored name stays.
std::array<QString, 4> pickedFontTexts(const std::array<QString, 4>& current, const QString& presetFamily,
                                       const QString& family, double pointSize, bool bold, bool italic);

// A picked colour as stored: decimal text of its value, red in the low byte.
QString pickedColorText(const QColor& color);

} // namespace SettingsChoices
