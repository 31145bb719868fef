#pragma once

#include <QByteArray>
#include <QString>

// The language of the command line's messages. The options are answered before any application
// object exists, so their texts are looked up in a translator of their own rather than through
// QCoreApplication::translate. Their source texts are English; Japanese comes from the program's
// embedded translation. The numbers for panels are never translated.
namespace CommandLineLanguage {

// True when the messages locale that the environment names (LC_ALL, then LC_MESSAGES, then LANG,
// the first that is set and not empty) is Japanese in UTF-8, the encoding the messages are written
// in. Decided from the variables alone, so a locale that is not generated on the machine counts.
bool isJapanese();

// Loads the Japanese translation when isJapanese(); until then, and for any other locale, text()
// gives the English source.
void choose();

// The text of the "CommandLine" context in the chosen language.
QString text(const char* source);

} // namespace CommandLineLanguage
