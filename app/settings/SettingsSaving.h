#pragma once

#include "app/settings/SettingsKeys.h"
#include "app/settings/StoreWrite.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>

struct AppSettings;
class SettingsStore;

// One value the settings window writes to the store.
struct StoredValue {
    QString section;
    QString key;
    QString value;

    // The value of a key of the program's table.
    static StoredValue of(SettingsKeys key, const QString& value) {
        return {SettingsKey::section(key), SettingsKey::name(key), value};
    }
    bool operator==(const StoredValue&) const = default;
};

// What page "環境設定" shows when it is saved: the seven switches Check1(0..6) and the tab shown.
struct EnvironmentChoices {
    std::array<bool, 7> ticked{};
    int shownTab = 0;
};

// What page "初期設定" shows when it is saved.
struct InitialChoices {
    double minutes = 10; // as Label4 shows them
    int selectedSize = 2;
};

// The three save routines of the settings window. Each sets the fields of its page in the settings
// and returns the values to write, in the order they are written. The window's own place (centring)
// is the window's business.
QList<StoredValue> SaveEnvironmentTab(AppSettings& settings, const EnvironmentChoices& choices);
QList<StoredValue> SaveInitialTab(AppSettings& settings, const InitialChoices& choices, const QDateTime& now);
QList<StoredValue> SaveMessagesTab(AppSettings& settings, const std::array<QString, 2>& messages);

// Writes the values as one write of the file and answers what it did. Inside an
// open batch of the store the values go with that batch's write.
StoreWrite writeStoredValues(SettingsStore& store, const QList<StoredValue>& values);

// A saved label position scaled from one preset's extent to another's: multiplied first, then divided,
// in single precision, as the positions are kept.
float rescalePosition(float position, qint16 newExtent, qint16 oldExtent);

// Rescales the six saved label positions from preset oldPreset to newPreset and returns the keys to
// write; nothing when the presets are equal or either is not a preset. A position that is not a
// number is left as it is.
QList<StoredValue> rescaleLabelPositions(AppSettings& settings, int oldPreset, int newPreset);
