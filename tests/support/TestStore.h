#pragma once

#include <QMap>
#include <QTemporaryDir>

// Points the settings store at a fresh temporary config folder for the life of the object.
class TestStore {
public:
    TestStore();
    ~TestStore();
    TestStore(const TestStore&) = delete;
    TestStore& operator=(const TestStore&) = delete;

    QString configFolder() const { return folder.path(); }
    QString iniPath() const;
    // Writes a key straight into the file, as a user or an older version might have left it.
    void preset(const QString& section, const QString& key, const QString& value);
    // Replaces the file with these bytes and reads the store again.
    void presetFile(const QByteArray& bytes);
    QByteArray fileBytes() const;
    // The file's values as "Section/Key" -> text, read from disk.
    QMap<QString, QString> contents() const;
    // Every key of the file as "Section/Key".
    QStringList keys() const;
    QString value(const QString& section, const QString& key) const;

private:
    QTemporaryDir folder;
    QByteArray previousConfigHome;
};
