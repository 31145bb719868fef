#include "app/settings/SettingsLoader.h"

#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"
#include "app/core/DateTimeText.h"
#include "app/core/Platform.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/StoreWriteReport.h"
#include "app/core/SizePresets.h"

#include <array>
#include <cmath>

namespace {

using WhenMissing = SettingsKey::WhenMissing;

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
const std::array<SettingsKey, 33> keys{{
    {"OptReturn",     &Section::Config,   setReturn,           u"600",   WhenMissing::WriteDefault,  isDelay},
    {"OptSize",       &Section::Position, FIELD(OptSize),      u"2",     WhenMissing::WriteDefault,  isPreset},
    {"OptCent",       &Section::Position, FIELD(OptCent),      u"0",     WhenMissing::WriteDefault,  anyText},
    {"M_Left",        &Section::Position, FIELD(M_Left),       u"",      WhenMissing::CentredLeft,   anyText},
    {"M_Top",         &Section::Position, FIELD(M_Top),        u"",      WhenMissing::CentredTop,    anyText},
    {"Label_Left(0)", &Section::Position, FIELD(Label_Left[0]), u"160",  WhenMissing::MemoryDefault, isPosition},
    {"Label_Top(0)",  &Section::Position, FIELD(Label_Top[0]), u"680",   WhenMissing::MemoryDefault, isPosition},
    {"Label_Left(1)", &Section::Position, FIELD(Label_Left[1]), u"160",  WhenMissing::MemoryDefault, isPosition},
    {"Label_Top(1)",  &Section::Position, FIELD(Label_Top[1]), u"4740",  WhenMissing::MemoryDefault, isPosition},
    {"Label_Top(2)",  &Section::Position, FIELD(Label_Top[2]), u"2130",  WhenMissing::MemoryDefault, isPosition},
    {"OptDbl",        &Section::Config,   FIELD(OptDbl),       u"1",     WhenMissing::WriteDefault,  anyText},
    {"OptDateTime",   &Section::Config,   FIELD(OptDateTime),  u"1",     WhenMissing::WriteDefault,  anyText},
    {"OptBM",         &Section::Config,   FIELD(OptBM),        u"1",     WhenMissing::WriteDefault,  anyText},
    {"OptHaik",       &Section::Config,   FIELD(OptHaik),      u"0",     WhenMissing::WriteDefault,  anyText},
    {"OptBFile",      &Section::Config,   FIELD(OptBFile),     u"",      WhenMissing::MemoryDefault, anyText},
    {"OptMsgMove",    &Section::Config,   FIELD(OptMsgMove),   u"1",     WhenMissing::WriteDefault,  anyText},
    {"OptLAct",       &Section::Config,   FIELD(OptLAct),      u"1",     WhenMissing::WriteDefault,  anyText},
    {"OptLATab",      &Section::Config,   FIELD(OptLATab),     u"0",     WhenMissing::WriteDefault,  isTabIndex},
    {"OptColor(0)",   &Section::Config,   FIELD(OptColor[0]),  u"&H00FFFFFF&", WhenMissing::WriteDefault, anyText},
    {"OptColor(1)",   &Section::Config,   FIELD(OptColor[1]),  u"&H00FFFFFF&", WhenMissing::WriteDefault, anyText},
    {"OptColor(2)",   &Section::Config,   FIELD(OptColor[2]),  u"&H00000000&", WhenMissing::WriteDefault, anyText},
    {"OptColor(3)",   &Section::Config,   FIELD(OptColor[3]),  u"&H00FFFFFF&", WhenMissing::WriteDefault, anyText},
    {"OptColor(4)",   &Section::Config,   FIELD(OptColor[4]),  u"&H00000000&", WhenMissing::WriteDefault, anyText},
    {"OptMsg(0)",     &Section::Config,   FIELD(OptMsg[0]),    u"高校の入学試験まであと・・・", WhenMissing::WriteDefault, anyText},
    {"OptMsg(1)",     &Section::Config,   FIELD(OptMsg[1]),    u"最後まで全力を尽くして頑張ろう！", WhenMissing::WriteDefault, anyText},
    {"OptFont(0)",    &Section::Fonts,    FIELD(OptFont[0]),   u"ＭＳ Ｐ明朝", WhenMissing::WriteDefault, anyText},
    {"OptFont(1)",    &Section::Fonts,    FIELD(OptFont[1]),   u"20",    WhenMissing::WriteDefault,  anyText},
    {"OptFont(2)",    &Section::Fonts,    FIELD(OptFont[2]),   u"False", WhenMissing::WriteDefault,  isBoolean},
    {"OptFont(3)",    &Section::Fonts,    FIELD(OptFont[3]),   u"False", WhenMissing::WriteDefault,  isBoolean},
    {"OptFont2(0)",   &Section::Fonts,    FIELD(OptFont2[0]),  u"ＭＳ Ｐ明朝", WhenMissing::WriteDefault, anyText},
    {"OptFont2(1)",   &Section::Fonts,    FIELD(OptFont2[1]),  u"20",    WhenMissing::WriteDefault,  anyText},
    {"OptFont2(2)",   &Section::Fonts,    FIELD(OptFont2[2]),  u"False", WhenMissing::WriteDefault,  isBoolean},
    {"OptFont2(3)",   &Section::Fonts,    FIELD(OptFont2[3]),  u"False", WhenMissing::WriteDefault,  isBoolean},
}};
// clang-format on

#undef FIELD

QString missingValue(const SettingsKey& key, AppSettings& settings, Platform& platform) {
    switch (key.whenMissing) {
    case WhenMissing::CentredLeft:
        return Conversions::numberText(centredLeft(settings, platform));
    case WhenMissing::CentredTop:
        return Conversions::numberText(centredTop(settings, platform));
    case WhenMissing::WriteDefault:
    case WhenMissing::MemoryDefault:
        break;
    }
    return QString::fromUtf16(key.defaultText);
}

void loadKey(const SettingsKey& key, AppSettings& settings, SettingsStore& store, Platform& platform) {
    const QString name = QString::fromLatin1(key.name);
    const QString stored = store.Get(*key.section, name);
    if (stored.isEmpty()) {
        const QString value = missingValue(key, settings, platform);
        key.assign(settings, value);
        if (key.whenMissing == WhenMissing::WriteDefault)
            store.Save(*key.section, name, value);
    } else if (key.isUsable(stored)) {
        key.assign(settings, stored);
    } else {
        // A text the program never writes: use the default and leave the stored text alone.
        key.assign(settings, missingValue(key, settings, platform));
    }
}

} // namespace

std::span<const SettingsKey> settingsKeys() {
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

    const auto storedDate = parseStoredDate(store.Get(Section::Config, QStringLiteral("TheDate")));
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
        for (const SettingsKey& key : settingsKeys()) {
            loadKey(key, settings, store, platform);
            if (QLatin1String(key.name) == QLatin1String("OptSize"))
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
