#pragma once

#include "app/settings/SettingsKeys.h"
#include "app/settings/StoreWrite.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// The per-user store of texts: an INI file with the groups Config, Position and Fonts, at
// $XDG_CONFIG_HOME/PELTRA/PELTRA.ini for the default countdown and at
// $XDG_CONFIG_HOME/PELTRA/countdowns/NAME.ini for the countdown named NAME. A write replaces the whole file at once (a
// new file, synced, renamed over the old one), so the file on disk is always one that some write left complete. Only a
// regular file of the user running the program is read or replaced; a link is followed only to such a file. The store
// shows nothing: every write answers what happened, and the window that asked tells the user.
class SettingsStore {
public:
    // Makes the saves of one user action one write of the file: while a batch is open, Save only records
    // the value; the outermost batch's commit (or its end) writes once. A batch ended without a commit
    // still writes; what its write would have told goes with the next result the store gives.
    class Batch {
    public:
        explicit Batch(SettingsStore& store);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

        // What the write did; an inner batch answers a success. Later calls answer that it was written
        // or not, without telling anything again.
        StoreWrite commit();

    private:
        SettingsStore& store;
        bool open = true;
        bool written = true;
    };

    // The store of the countdown with this name (the default one without), in the config folder as
    // the environment names it now. The name is one that CountdownName has accepted.
    explicit SettingsStore(QString countdownName = {});
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The empty text for a key that was never written. Never writes anything.
    [[nodiscard]] QString Get(const QString& section, const QString& key) const;
    // Writes the file with the value. The value stays in memory either way and goes to disk with the
    // next write that succeeds.
    StoreWrite Save(const QString& section, const QString& key, const QString& value);
    // The same for a key of the program's table.
    [[nodiscard]] QString Get(SettingsKeys key) const { return Get(SettingsKey::section(key), SettingsKey::name(key)); }
    StoreWrite Save(SettingsKeys key, const QString& value) {
        return Save(SettingsKey::section(key), SettingsKey::name(key), value);
    }

    // Whether the file read had lines the program does not write. Its first write keeps the file as it
    // was beside the store, and its result names the copy.
    [[nodiscard]] bool isDamaged() const { return damaged; }
    // Writes every value now, as one file.
    StoreWrite writeAll();

    [[nodiscard]] QString fileName() const { return path; }
    [[nodiscard]] QString countdownName() const { return name; }

    // The file of the countdown with this name, the default one for an empty name.
    static QString fileFor(const QString& countdownName);
    // The names of the countdowns that have a file of their own, in no particular order. A file whose
    // name is not one a user could give is not a countdown.
    static QStringList namedCountdowns();
    // Reads the store again at the user's config folder, as named by the environment now.
    void reopen();

private:
    bool writeFile();
    bool keepDamagedCopy();
    // The result of a write, with whatever has not been told yet.
    StoreWrite result(bool written);

    QString name;
    QString path;
    QMap<QString, QString> values;
    QByteArray bytesRead;
    bool damaged = false;
    QString damagedCopy;
    // A file is there that could not be read: replacing it would lose what it holds.
    bool unreadable = false;
    int openBatches = 0;
    bool savedInBatch = false;
    bool failureTold = false;
    bool copyTold = false;
};
