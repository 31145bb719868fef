#include "app/settings/SettingsLoader.h"

#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"
#include "app/core/DateTimeText.h"
#include "app/core/Platform.h"
#include "app/core/SizePresets.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/StoreWriteReport.h"

#include <array>
#include <cmath>

namespace {

using WhenMissing = LoadedKey::WhenMissing;

bool anyText(const QString&) {
    return true;
}

bool isPreset(const QString& text) {
    return presetIndex(text).has_value();
}

bool isDelay(const QString& text) {
    const auto seconds = Conversions::strictNumber(text);
    return seconds && *seconds >= 0 && *seconds <= 86400;
}

bool isPosition(const QString& text) {
    // Labels may lie outside the window, but not so far that no drag can bring them back.
    const auto twips = Conversions::strictNumber(text);
    return twips && std::abs(*twips) <= 1e6;
}

bool isTabIndex(const QString& text) {
    const auto index = Conversions::strictNumber(text);
    return index && (*index == 0 || *index == 1 || *index == 2);
}

bool isBoolean(const QString& text) {
    return Conversions::strictBoolean(text).has_value();
}

void setReturn(AppSettings& s, const QString& text) {
    s.OptReturn = text; // the settings window later stores a number here
}

#define FIELD(expression) [](AppSettings& s, const QString& text) { s.expression = text; }

// clang-format off
const std::array<LoadedKey, 33> keys{{
    {SettingsKeys::OptReturn, setReturn, WhenMissing::WriteDefault, isDelay},
    {SettingsKeys::OptSize, FIELD(OptSize), WhenMissing::WriteDefault, isPreset},
    {SettingsKeys::OptCent, FIELD(OptCent), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::M_Left, FIELD(M_Left), WhenMissing::CentredLeft, anyText},
    {SettingsKeys::M_Top, FIELD(M_Top), WhenMissing::CentredTop, anyText},
    {SettingsKeys::Label_Left0, FIELD(Label_Left[0]), WhenMissing::MemoryDefault, isPosition},
    {SettingsKeys::Label_Top0, FIELD(Label_Top[0]), WhenMissing::MemoryDefault, isPosition},
    {SettingsKeys::Label_Left1, FIELD(Label_Left[1]), WhenMissing::MemoryDefault, isPosition},
    {SettingsKeys::Label_Top1, FIELD(Label_Top[1]), WhenMissing::MemoryDefault, isPosition},
    {SettingsKeys::Label_Top2, FIELD(Label_Top[2]), WhenMissing::MemoryDefault, isPosition},
    {SettingsKeys::OptDbl, FIELD(OptDbl), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptDateTime, FIELD(OptDateTime), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptBM, FIELD(OptBM), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptHaik, FIELD(OptHaik), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptBFile, FIELD(OptBFile), WhenMissing::MemoryDefault, anyText},
    {SettingsKeys::OptMsgMove, FIELD(OptMsgMove), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptLAct, FIELD(OptLAct), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptLATab, FIELD(OptLATab), WhenMissing::WriteDefault, isTabIndex},
    {SettingsKeys::OptColor0, FIELD(OptColor[0]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptColor1, FIELD(OptColor[1]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptColor2, FIELD(OptColor[2]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptColor3, FIELD(OptColor[3]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptColor4, FIELD(OptColor[4]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptMsg0, FIELD(OptMsg[0]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptMsg1, FIELD(OptMsg[1]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptFont0, FIELD(OptFont[0]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptFont1, FIELD(OptFont[1]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptFont2, FIELD(OptFont[2]), WhenMissing::WriteDefault, isBoolean},
    {SettingsKeys::OptFont3, FIELD(OptFont[3]), WhenMissing::WriteDefault, isBoolean},
    {SettingsKeys::OptFont2_0, FIELD(OptFont2[0]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptFont2_1, FIELD(OptFont2[1]), WhenMissing::WriteDefault, anyText},
    {SettingsKeys::OptFont2_2, FIELD(OptFont2[2]), WhenMissing::WriteDefault, isBoolean},
    {SettingsKeys::OptFont2_3, FIELD(OptFont2[3]), WhenMissing::WriteDefault, isBoolean},
}};
// clang-format on

#undef FIELD

QString missingValue(const LoadedKey& key, AppSettings& settings, Platform& platform) {
    switch (key.whenMissing) {
    case WhenMissing::CentredLeft:
        return Conversions::numberText(centredLeft(settings, platform));
    case WhenMissing::CentredTop:
        return Conversions::numberText(centredTop(settings, platform));
    case WhenMissing::WriteDefault:
    case WhenMissing::MemoryDefault:
        break;
    }
    return SettingsKey::defaultText(key.key);
}

void loadKey(const LoadedKey& key, AppSettings& settings, SettingsStore& store, Platform& platform) {
    const QString stored = store.Get(key.key);
    if (stored.isEmpty()) {
        const QString value = missingValue(key, settings, platform);
        key.assign(settings, value);
        if (key.whenMissing == WhenMissing::WriteDefault)
            store.Save(key.key, value);
    } else if (key.isUsable(stored)) {
        key.assign(settings, stored);
    } else {
        // A text the program never writes: use the default and leave the stored text alone.
        key.assign(settings, missingValue(key, settings, platform));
    }
}

} // namespace

std::span<const LoadedKey> loadedKeys() {
    return keys;
}

double centredLeft(const AppSettings& settings, Platform& platform) {
    return float((float(platform.screenSizeTwips().width()) - float(settings.WinWidth)) / 2.0F);
}

double centredTop(const AppSettings& settings, Platform& platform) {
    return float((float(platform.screenSizeTwips().height()) - float(settings.WinHeight)) / 2.0F);
}

void loadSettings(AppSettings& settings, SettingsStore& store, Platform& platform,
                  const std::function<void()>& askForEventDate) {
    settings.MainActivated = 0;

    const auto storedDate = parseStoredDate(store.Get(SettingsKeys::TheDate));
    if (storedDate) {
        settings.TheDate = *storedDate;
    } else {
        settings.TheDate = QDate();
        askForEventDate();
        if (platform.hasEnded())
            return;
    }

    settings.MinimizedAt = float(secondsSinceMidnight(platform.now()));
    {
        // The defaults of a first run go to the file as one write.
        SettingsStore::Batch batch(store);
        for (const LoadedKey& key : loadedKeys()) {
            loadKey(key, settings, store, platform);
            if (key.key == SettingsKeys::OptSize)
                SelectWindowSize(settings, settings.OptSize);
        }
        reportStoreWrite(platform, batch.commit());
    }
    // A damaged file is replaced now, its copy kept, rather than at some later save such as the one at
    // a session end, when nobody can read the notice.
    if (store.isDamaged())
        reportStoreWrite(platform, store.writeAll());
    BuildDateTimeText(settings, platform.now());
}
