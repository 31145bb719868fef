#include "app/settings/SettingsSaving.h"

#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"
#include "app/core/Platform.h"
#include "app/core/SizePresets.h"
#include "app/settings/SettingsStore.h"

namespace {

QString switchText(bool ticked) {
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

// Scales one position field; false when the field holds no number.
bool rescaleField(QString& field, qint16 newExtent, qint16 oldExtent) {
    const auto position = Conversions::strictNumber(field);
    if (!position)
        return false;
    field = Conversions::numberText(rescalePosition(float(*position), newExtent, oldExtent));
    return true;
}

} // namespace

QList<StoredValue> SaveEnvironmentTab(AppSettings& settings, const EnvironmentChoices& choices) {
    QList<StoredValue> written;
    settings.OptCent = switchText(choices.ticked[0]);
    written.append(StoredValue::of(SettingsKeys::OptCent, settings.OptCent));

    struct Switch {
        QString AppSettings::*field;
        SettingsKeys key;
    };
    static const std::array<Switch, 6> switches{{
        {&AppSettings::OptDbl, SettingsKeys::OptDbl},
        {&AppSettings::OptDateTime, SettingsKeys::OptDateTime},
        {&AppSettings::OptBM, SettingsKeys::OptBM},
        {&AppSettings::OptHaik, SettingsKeys::OptHaik},
        {&AppSettings::OptMsgMove, SettingsKeys::OptMsgMove},
        {&AppSettings::OptLAct, SettingsKeys::OptLAct},
    }};
    for (std::size_t i = 0; i < switches.size(); ++i) {
        QString value = switchText(choices.ticked[i + 1]);
        // "2" is the value for which no return sound plays.
        if (switches[i].field == &AppSettings::OptBM && !choices.ticked[i + 1])
            value = QStringLiteral("2");
        settings.*switches[i].field = value;
        written.append(StoredValue::of(switches[i].key, value));
    }

    if (settings.remembersTab()) {
        settings.OptLATab = QString::number(choices.shownTab);
        written.append(StoredValue::of(SettingsKeys::OptLATab, settings.OptLATab));
    }
    return written;
}

QList<StoredValue> SaveInitialTab(AppSettings& settings, const InitialChoices& choices, const QDateTime& now) {
    QList<StoredValue> written;
    const double seconds = choices.minutes * 60;
    settings.OptReturn = seconds;
    written.append(StoredValue::of(SettingsKeys::OptReturn, Conversions::numberText(seconds)));

    // The return countdown starts again.
    settings.MinimizedAt = float(secondsSinceMidnight(now));

    // The positions go to the store with the size, so the store never pairs a size with the positions
    // of another.
    const int oldPreset = presetIndex(settings.OptSize).value_or(-1);
    written.append(rescaleLabelPositions(settings, oldPreset, choices.selectedSize));

    settings.OptSize = QString::number(choices.selectedSize);
    written.append(StoredValue::of(SettingsKeys::OptSize, settings.OptSize));

    for (std::size_t i = 0; i < settings.OptColor.size(); ++i)
        written.append(StoredValue::of(SettingsKey::nth(SettingsKeys::OptColor0, i), settings.OptColor[i]));
    return written;
}

QList<StoredValue> SaveMessagesTab(AppSettings& settings, const std::array<QString, 2>& messages) {
    QList<StoredValue> written;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        settings.OptMsg[i] = messages[i];
        written.append(StoredValue::of(SettingsKey::nth(SettingsKeys::OptMsg0, i), settings.OptMsg[i]));
    }
    for (std::size_t i = 0; i < settings.OptFont.size(); ++i) {
        written.append(StoredValue::of(SettingsKey::nth(SettingsKeys::OptFont0, i), settings.OptFont[i]));
        written.append(StoredValue::of(SettingsKey::nth(SettingsKeys::OptFont2_0, i), settings.OptFont2[i]));
    }
    return written;
}

StoreWrite writeStoredValues(SettingsStore& store, const QList<StoredValue>& values) {
    SettingsStore::Batch batch(store);
    for (const StoredValue& value : values)
        store.Save(value.section, value.key, value.value);
    return batch.commit();
}

float rescalePosition(float position, qint16 newExtent, qint16 oldExtent) {
    const float scaled = position * float(newExtent);
    return scaled / float(oldExtent);
}

QList<StoredValue> rescaleLabelPositions(AppSettings& settings, int oldPreset, int newPreset) {
    QList<StoredValue> written;
    const auto isPreset = [](int preset) { return preset >= 0 && preset < presetCount; };
    if (oldPreset == newPreset || !isPreset(oldPreset) || !isPreset(newPreset))
        return written;
    // The preset table itself rather than PresetWidths/PresetHeights: the same numbers, never 0.
    const SizePreset& from = sizePreset(oldPreset);
    const SizePreset& to = sizePreset(newPreset);
    for (std::size_t i = 0; i < settings.Label_Left.size(); ++i) {
        if (rescaleField(settings.Label_Left[i], qint16(to.width), qint16(from.width)))
            written.append(StoredValue::of(SettingsKey::labelLeft(i), settings.Label_Left[i]));
        if (rescaleField(settings.Label_Top[i], qint16(to.height), qint16(from.height)))
            written.append(StoredValue::of(SettingsKey::labelTop(i), settings.Label_Top[i]));
    }
    return written;
}
