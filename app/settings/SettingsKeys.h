#pragma once

#include <QString>

#include <cstddef>

// Every key the program keeps in the store. The loader, the saves, the windows and the command line
// name a key by this and take its section, its name in the file and its default from one table.
enum class SettingsKeys {
    TheDate,
    OptReturn,
    OptSize,
    OptCent,
    M_Left,
    M_Top,
    Label_Left0,
    Label_Left1,
    Label_Left2,
    Label_Top0,
    Label_Top1,
    Label_Top2,
    OptDbl,
    OptDateTime,
    OptBM,
    OptHaik,
    OptBFile,
    OptMsgMove,
    OptLAct,
    OptLATab,
    OptColor0,
    OptColor1,
    OptColor2,
    OptColor3,
    OptColor4,
    OptMsg0,
    OptMsg1,
    OptFont0,
    OptFont1,
    OptFont2,
    OptFont3,
    OptFont2_0,
    OptFont2_1,
    OptFont2_2,
    OptFont2_3,
};
inline constexpr std::size_t settingsKeyCount = std::size_t(SettingsKeys::OptFont2_3) + 1;

namespace SettingsKey {

// The group of the file the key is kept in: Config, Position or Fonts.
const QString& section(SettingsKeys key);
// The key's name in its group, as "Label_Left(0)".
QString name(SettingsKeys key);
// The text a first run starts from; empty where the default is worked out (the window's place, the
// count's left) or is no text at all (the event date, the background file).
QString defaultText(SettingsKeys key);

// The key index places after first in its family (Label_Left0, OptColor0, OptFont2_0 ...).
SettingsKeys nth(SettingsKeys first, std::size_t index);
inline SettingsKeys labelLeft(std::size_t index) {
    return nth(SettingsKeys::Label_Left0, index);
}
inline SettingsKeys labelTop(std::size_t index) {
    return nth(SettingsKeys::Label_Top0, index);
}

} // namespace SettingsKey
