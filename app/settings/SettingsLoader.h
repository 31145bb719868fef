#pragma once

#include "app/settings/SettingsKeys.h"

#include <QString>

#include <functional>
#include <span>

struct AppSettings;
class Platform;
class SettingsStore;

// How one key of the store is loaded: which field holds it, and what a missing value becomes (its
// section, name and default are the key table's).
struct LoadedKey {
    enum class WhenMissing {
        WriteDefault,  // the default goes to the field and to the store
        MemoryDefault, // the default goes to the field only
        CentredLeft,   // the centred window position, in memory only
        CentredTop,
    };
    SettingsKeys key;
    void (*assign)(AppSettings&, const QString&);
    WhenMissing whenMissing;
    // Whether a stored text is one the program can use; a text that fails keeps the default in memory.
    bool (*isUsable)(const QString&);
};

// The keys in the order they are loaded (the event date apart).
std::span<const LoadedKey> loadedKeys();

// Fills the record from the store, writing the defaults of missing keys. askForEventDate is called
// when no usable event date is stored (it shows the event-date window); loading stops when the
// platform has ended the program meanwhile.
void loadSettings(AppSettings& settings, SettingsStore& store, Platform& platform,
                  const std::function<void()>& askForEventDate);

// The window position that centres a window of the current preset on the primary screen (twips).
double centredLeft(const AppSettings& settings, Platform& platform);
double centredTop(const AppSettings& settings, Platform& platform);
