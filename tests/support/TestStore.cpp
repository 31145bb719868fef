#include "tests/support/TestStore.h"

#include "app/SettingsFile.h"
#include "app/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestStore::TestStore() : previousConfigHome(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    SettingsStore::instance().reopen();
}

TestStore::~TestStore() {
    qputenv("XDG_CONFIG_HOME", previousConfigHome);
}

QString TestStore::iniPath() const {
    return folder.path() + QStringLiteral("/PELTRA/PELTRA.ini");
}

void TestStore::preset(const QString& section, const QString& key, const QString& value) {
    QMap<QString, QString> values = contents();
    values.insert(section + u'/' + key, value);
    presetFile(formatSettingsFile(values));
}

void TestStore::presetFile(const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(iniPath()).path());
    QFile file(iniPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    file.close();
    SettingsStore::instance().reopen();
}

QByteArray TestStore::fileBytes() const {
    QFile file(iniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QMap<QString, QString> TestStore::contents() const {
    return parseSettingsFile(fileBytes()).values;
}

QStringList TestStore::keys() const {
    return contents().keys();
}

QString TestStore::value(const QString& section, const QString& key) const {
    return contents().value(section + u'/' + key);
}
