#pragma once

#include <QString>

// Maps the Windows font names that settings use to installed fonts of the same metrics, has every
// font drawn anti-aliased from its outlines, and makes the Japanese interface font the program's
// default; and makes the program speak Japanese (locale and standard dialogs).
void installFontSubstitutions();
void installJapaneseLocale();

// The installed family that shows a font name: the name itself, or the font standing in for it.
// Asking for the stand-in directly spares the font database a search through its fallbacks.
QString installedFamily(const QString& name);
