#pragma once

// Maps the Windows font names that settings use to the installed Japanese fonts,
// and makes the program speak Japanese (locale and standard dialogs).
void installFontSubstitutions();
void installJapaneseLocale();
