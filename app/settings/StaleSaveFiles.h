#pragma once

#include <QDateTime>
#include <QStringList>

// A save that was killed between writing its temporary file and renaming it over the settings file
// leaves "PELTRA.ini.XXXXXX" beside it. At the next start those are removed: only names of exactly
// that form (six letters or digits), only regular files of this user, only those untouched for a
// minute (a save of a program still running is younger). Returns the names removed.
QStringList removeStaleSaveFiles(const QString& settingsFile, const QDateTime& now);
