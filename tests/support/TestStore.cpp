#include "tests/support/TestStore.h"

#include "app/SettingsStore.h"

#include <QSettings>

TestStore::TestStore() : previousConfigHome(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    // QSettings reads the user folder once; set it directly as well.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    SettingsStore::instance().reopen();
}

TestStore::~TestStore() {
    qputenv("XDG_CONFIG_HOME", previousConfigHome);
}

QString TestStore::iniPath() const {
    return folder.path() + QStringLiteral("/PELTRA/PELTRA.ini");
}

void TestStore::preset(const QString& section, const QString& key, const QString& value) {
    QSettings file(iniPath(), QSettings::IniFormat);
    file.setValue(section + u'/' + key, value);
    file.sync();
    SettingsStore::instance().reopen();
}

QStringList TestStore::keys() const {
    QSettings file(iniPath(), QSettings::IniFormat);
    return file.allKeys();
}

QString TestStore::value(const QString& section, const QString& key) const {
    QSettings file(iniPath(), QSettings::IniFormat);
    return file.value(section + u'/' + key).toString();
}
