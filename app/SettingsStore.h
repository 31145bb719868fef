#pragma once

#include <QString>

#include <memory>

class QSettings;

// The per-user store of texts: an INI file with the groups Config, Position and Fonts.
// Every save is on disk when it returns.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The empty text for a key that was never written.
    QString Get(const QString& section, const QString& key) const;
    // Writes and syncs; false (reported once per run) when the file could not be written.
    bool Save(const QString& section, const QString& key, const QString& value);

    QString fileName() const;
    // Reopens the store at the user's config folder, as named by the environment now.
    void reopen();

    static SettingsStore& instance();

private:
    std::unique_ptr<QSettings> settings;
    bool failureReported = false;
};
