#pragma once

#include "app/core/AppSettings.h"
#include "app/settings/ProgramContext.h"
#include "app/settings/SettingsFile.h"
#include "app/settings/SettingsStore.h"
#include "tests/support/ScriptedPlatform.h"

#include <QDir>
#include <QTemporaryDir>

#include <optional>

// A settings store in a fresh temporary config folder, which the environment names for the life of
// the object.
class TestStore {
public:
    TestStore() : previousConfigHome(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
        inUse.emplace();
    }
    ~TestStore() { qputenv("XDG_CONFIG_HOME", previousConfigHome); }

    // The store the program's code is given.
    SettingsStore& settingsStore() { return *inUse; }

    QString configFolder() const { return folder.path(); }
    QString iniPath() const { return folder.filePath(QStringLiteral("PELTRA/PELTRA.ini")); }
    // Writes a key straight into the file, as a user or an older version might have left it.
    void preset(const QString& section, const QString& key, const QString& value) {
        QMap<QString, QString> values = contents();
        values.insert(section + u'/' + key, value);
        presetFile(formatSettingsFile(values));
    }
    // Replaces the file with these bytes and reads the store again.
    void presetFile(const QByteArray& bytes) {
        QDir(folder.path()).mkpath(QStringLiteral("PELTRA"));
        if (QFile file(iniPath()); file.open(QIODevice::WriteOnly))
            file.write(bytes);
        inUse->reopen();
    }
    QByteArray fileBytes() const {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QMap<QString, QString> contents() const { return parseSettingsFile(fileBytes()).values; } // "Section/Key" -> text
    QStringList keys() const { return contents().keys(); }
    QString value(const QString& section, const QString& key) const { return contents().value(section + u'/' + key); }

private:
    QTemporaryDir folder;
    QByteArray previousConfigHome;
    std::optional<SettingsStore> inUse;
};

// A test case whose every test function starts with a scripted platform, an empty store and default settings.
class StoreTestCase : public QObject {
    Q_OBJECT
protected:
    std::optional<ScriptedPlatform> platform;
    std::optional<TestStore> store;
    AppSettings settings;
    ProgramContext context() { return {settings, store->settingsStore(), *platform}; }
private slots:
    void init() { platform.emplace(), store.emplace(), settings = AppSettings{}; }
    void cleanup() { store.reset(), platform.reset(); }
};
