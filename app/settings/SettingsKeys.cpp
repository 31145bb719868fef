#include "app/settings/SettingsKeys.h"

#include "app/core/AppSettings.h"

#include <array>

namespace {

struct KeyEntry {
    SettingsKeys key;
    const QString* section;
    const char* name;
    const char16_t* defaultText;
};

// clang-format off
const std::array<KeyEntry, settingsKeyCount> table{{
    {SettingsKeys::TheDate,     &Section::Config,   "TheDate",       u""},
    {SettingsKeys::OptReturn,   &Section::Config,   "OptReturn",     u"600"},
    {SettingsKeys::OptSize,     &Section::Position, "OptSize",       u"2"},
    {SettingsKeys::OptCent,     &Section::Position, "OptCent",       u"0"},
    {SettingsKeys::M_Left,      &Section::Position, "M_Left",        u""},
    {SettingsKeys::M_Top,       &Section::Position, "M_Top",         u""},
    {SettingsKeys::Label_Left0, &Section::Position, "Label_Left(0)", u"160"},
    {SettingsKeys::Label_Left1, &Section::Position, "Label_Left(1)", u"160"},
    {SettingsKeys::Label_Left2, &Section::Position, "Label_Left(2)", u""},
    {SettingsKeys::Label_Top0,  &Section::Position, "Label_Top(0)",  u"680"},
    {SettingsKeys::Label_Top1,  &Section::Position, "Label_Top(1)",  u"4740"},
    {SettingsKeys::Label_Top2,  &Section::Position, "Label_Top(2)",  u"2130"},
    {SettingsKeys::OptDbl,      &Section::Config,   "OptDbl",        u"1"},
    {SettingsKeys::OptDateTime, &Section::Config,   "OptDateTime",   u"1"},
    {SettingsKeys::OptBM,       &Section::Config,   "OptBM",         u"1"},
    {SettingsKeys::OptHaik,     &Section::Config,   "OptHaik",       u"0"},
    {SettingsKeys::OptBFile,    &Section::Config,   "OptBFile",      u""},
    {SettingsKeys::OptMsgMove,  &Section::Config,   "OptMsgMove",    u"1"},
    {SettingsKeys::OptLAct,     &Section::Config,   "OptLAct",       u"1"},
    {SettingsKeys::OptLATab,    &Section::Config,   "OptLATab",      u"0"},
    {SettingsKeys::OptColor0,   &Section::Config,   "OptColor(0)",   u"&H00FFFFFF&"},
    {SettingsKeys::OptColor1,   &Section::Config,   "OptColor(1)",   u"&H00FFFFFF&"},
    {SettingsKeys::OptColor2,   &Section::Config,   "OptColor(2)",   u"&H00000000&"},
    {SettingsKeys::OptColor3,   &Section::Config,   "OptColor(3)",   u"&H00FFFFFF&"},
    {SettingsKeys::OptColor4,   &Section::Config,   "OptColor(4)",   u"&H00000000&"},
    {SettingsKeys::OptMsg0,     &Section::Config,   "OptMsg(0)",     u"高校の入学試験まであと・・・"},
    {SettingsKeys::OptMsg1,     &Section::Config,   "OptMsg(1)",     u"最後まで全力を尽くして頑張ろう！"},
    {SettingsKeys::OptFont0,    &Section::Fonts,    "OptFont(0)",    u"ＭＳ Ｐ明朝"},
    {SettingsKeys::OptFont1,    &Section::Fonts,    "OptFont(1)",    u"20"},
    {SettingsKeys::OptFont2,    &Section::Fonts,    "OptFont(2)",    u"False"},
    {SettingsKeys::OptFont3,    &Section::Fonts,    "OptFont(3)",    u"False"},
    {SettingsKeys::OptFont2_0,  &Section::Fonts,    "OptFont2(0)",   u"ＭＳ Ｐ明朝"},
    {SettingsKeys::OptFont2_1,  &Section::Fonts,    "OptFont2(1)",   u"20"},
    {SettingsKeys::OptFont2_2,  &Section::Fonts,    "OptFont2(2)",   u"False"},
    {SettingsKeys::OptFont2_3,  &Section::Fonts,    "OptFont2(3)",   u"False"},
}};
// clang-format on

// The table is in the order of the enumeration: a key's entry is found by its number.
const KeyEntry& entry(SettingsKeys key) {
    const KeyEntry& found = table.at(std::size_t(key));
    Q_ASSERT(found.key == key);
    return found;
}

} // namespace

namespace SettingsKey {

const QString& section(SettingsKeys key) {
    return *entry(key).section;
}

QString name(SettingsKeys key) {
    return QString::fromLatin1(entry(key).name);
}

QString defaultText(SettingsKeys key) {
    return QString::fromUtf16(entry(key).defaultText);
}

SettingsKeys nth(SettingsKeys first, std::size_t index) {
    const std::size_t key = std::size_t(first) + index;
    Q_ASSERT(key < settingsKeyCount && section(SettingsKeys(key)) == section(first));
    return SettingsKeys(key);
}

} // namespace SettingsKey
