#include "app/SettingsStore.h"

#include "app/Platform.h"

#include <QSettings>

namespace {
const QString organisation = QStringLiteral("PELTRA");
const QString application = QStringLiteral("PELTRA");
} // namespace

SettingsStore::SettingsStore() {
    reopen();
}

SettingsStore::~SettingsStore() = default;

SettingsStore& SettingsStore::instance() {
    static SettingsStore store;
    return store;
}

void SettingsStore::reopen() {
    settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, organisation, application);
    failureReported = false;
}

QString SettingsStore::fileName() const {
    return settings->fileName();
}

QString SettingsStore::Get(const QString& section, const QString& key) const {
    const QVariant value = settings->value(section + u'/' + key);
    // A value the program did not write may come back as a list ("a, b"): join it again.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool SettingsStore::Save(const QString& section, const QString& key, const QString& value) {
    settings->setValue(section + u'/' + key, value);
    settings->sync();
    if (settings->status() == QSettings::NoError)
        return true;
    if (!failureReported) {
        failureReported = true;
        Platform::instance().messageBox(QStringLiteral("設定を保存できませんでした。\n%1").arg(settings->fileName()),
                                        MessageStyle::Exclamation, QStringLiteral("設定の保存"));
    }
    // The value stays in memory and goes to disk with the next sync that succeeds.
    return false;
}
