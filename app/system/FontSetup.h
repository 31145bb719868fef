#pragma once

#include <QString>

// Maps the Windows font names that settings use to installed fonts of the same metrics, has every
// font drawn anti-aliased from its outlines, and makes the Japanese interface font the program's
// default; and makes the program speak Japanese (locale and standard dialogs). The fonts are set up
// at the first call only: the program makes it just before it first lays out a text, so that
// fontconfig's start does not delay the countdown window's first map.
void installFontSubstitutions();
void installJapaneseLocale();

// The installed family that shows a font name: the name itself, or the font standing in for it.
// Asking for the stand-in directly spares the font database a search through its fallbacks.
QString installedFamily(const QString& name);
