#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// The settings file's text: INI in UTF-8 in the form QSettings writes, so that a file written here is
// read by an older build and a file an older build wrote is read here.

struct SettingsFileContents {
    QMap<QString, QString> values; // key "Section/Key"; a key outside any section has no "Section/"
    // Some line is not one the program writes (a byte-order mark, a comment, a line without "=", an
    // open quote or section, a trailing backslash, invalid UTF-8, control characters): the file is
    // kept as it was before it is first replaced.
    bool damaged = false;
};

// Every key that can be read. Each line is read on its own, so a broken line costs that line only,
// never the ones after it. Never fails.
SettingsFileContents parseSettingsFile(const QByteArray& bytes);

// One file holding the values, grouped by section. parseSettingsFile gives the same values back for
// any texts, as QSettings does. Keys are "Section/Key" or "Key", with no empty part.
QByteArray formatSettingsFile(const QMap<QString, QString>& values);
