#pragma once

#include <QTemporaryDir>

// Points the settings store at a fresh temporary config folder for the life of the object.
class TestStore {
public:
    TestStore();
    ~TestStore();
    TestStore(const TestStore&) = delete;
    TestStore& operator=(const TestStore&) = delete;

    QString iniPath() const;
    // Writes a key straight into the file, as a user or an older version might have left it.
    void preset(const QString& section, const QString& key, const QString& value);
    // Every key of the file as "Section/Key".
    QStringList keys() const;
    QString value(const QString& section, const QString& key) const;

private:
    QTemporaryDir folder;
    QByteArray previousConfigHome;
};
