// The settings file as read at start-up: raw bytes in, the keys parsed and loaded into the settings
// record the way the loader does. No crash, no undefined behaviour; every key that was read survives
// the clean file written at the first save; the record holds only values the windows can use.
#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"
#include "app/core/DateTimeText.h"
#include "app/core/SizePresets.h"
#include "app/settings/SettingsFile.h"
#include "app/settings/SettingsLoader.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzPlatform.h"
#include "fuzz/LoadedRecordCheck.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <cmath>
#include <cstdint>

namespace {

QString keysDetail(const QMap<QString, QString>& values) {
    QString detail;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        detail += visible(it.key()) + u'=' + visible(it.value()) + u'\n';
    return detail;
}

// The clean file written at the first save holds every key that was read, unchanged.
void checkRoundTrip(const QMap<QString, QString>& values, const char* property) {
    const QByteArray written = formatSettingsFile(values);
    const SettingsFileContents readBack = parseSettingsFile(written);
    require(!readBack.damaged, "a file the program writes is not damaged",
            keysDetail(values) + QStringLiteral("written:\n") + QString::fromUtf8(written));
    require(readBack.values == values, property,
            keysDetail(values) + QStringLiteral("read back:\n") + keysDetail(readBack.values));
}

// The loader's walk over its table of keys, over the parsed values instead of the store: a missing
// or unusable text gives the key's default, a usable one is taken as it is.
AppSettings loadRecord(const QMap<QString, QString>& values, Platform& platform) {
    AppSettings settings;
    if (const auto date = parseStoredDate(values.value(Section::Config + QStringLiteral("/TheDate")))) {
        require(date->isValid(), "a stored event date is a valid date", date->toString());
        require(parseStoredDate(storedDateText(*date)) == date, "the event date reads back", storedDateText(*date));
        settings.TheDate = *date;
    }
    for (const LoadedKey& key : loadedKeys()) {
        const QString stored = values.value(SettingsKey::section(key.key) + u'/' + SettingsKey::name(key.key));
        if (!stored.isEmpty() && key.isUsable(stored)) {
            key.assign(settings, stored);
        } else if (key.whenMissing == LoadedKey::WhenMissing::CentredLeft) {
            key.assign(settings, Conversions::numberText(centredLeft(settings, platform)));
        } else if (key.whenMissing == LoadedKey::WhenMissing::CentredTop) {
            key.assign(settings, Conversions::numberText(centredTop(settings, platform)));
        } else {
            key.assign(settings, SettingsKey::defaultText(key.key));
        }
        if (key.key == SettingsKeys::OptSize)
            SelectWindowSize(settings, settings.OptSize);
    }
    return settings;
}

// Values the parser may never produce but the program may store: any texts under plain keys. The
// input's NUL-separated pieces alternate between key and value.
QMap<QString, QString> valuesFromPieces(const QByteArray& bytes) {
    static const QString sections[] = {Section::Config, Section::Position, Section::Fonts};
    QMap<QString, QString> values;
    const QList<QByteArray> pieces = bytes.split('\0');
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
        QString key = QString::fromUtf8(pieces[i]).remove(u'/');
        if (key.isEmpty())
            continue;
        const QString& section = sections[std::size_t(i / 2) % std::size(sections)];
        values.insert(section + u'/' + key, QString::fromUtf8(pieces[i + 1]));
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SettingsFileContents contents = parseSettingsFile(bytes);
    checkRoundTrip(contents.values, "every key read survives the clean file");

    ScriptedPlatform platform;
    fixScreenAndClock(platform);
    checkLoadedRecord(loadRecord(contents.values, platform));

    checkRoundTrip(valuesFromPieces(bytes), "any stored texts survive the file");
    return 0;
}
