#pragma once

#include <QStringView>

// Who made this program and where to reach them: the one place for these texts. The about window
// shows them; nothing else needs to repeat them.
namespace ProductInfo {

inline constexpr QStringView name = u"ペルトラ";
inline constexpr QStringView versionText = u"Ver.4.3.2";
inline constexpr QStringView platformsText = u"for Windows 98/Me/NT/2000/XP";
// The about window sets the copyright notice and the author's name apart on one line; the name's
// place there, beside the "OK" button, holds no more than three characters.
inline constexpr QStringView copyright = u"Copyright © 2026";
inline constexpr QStringView author = u"開発班";
inline constexpr QStringView mailAddress = u"peltra@example.org";
inline constexpr QStringView homePage = u"https://peltra.example.org/peltra/";
inline constexpr QStringView freewareNote = u"このソフトウェアはフリーソフトウェアです。";

} // namespace ProductInfo
