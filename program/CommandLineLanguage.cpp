#include "program/CommandLineLanguage.h"

#include <QTranslator>

#include <memory>

namespace {

std::unique_ptr<QTranslator>& translator() {
    static std::unique_ptr<QTranslator> loaded;
    return loaded;
}

// language[_territory][.codeset][@modifier], as POSIX names a locale.
bool isJapaneseUtf8(const QByteArray& locale) {
    const qsizetype modifier = locale.indexOf('@');
    const QByteArray name = modifier < 0 ? locale : locale.left(modifier);
    const qsizetype dot = name.indexOf('.');
    const QByteArray languageAndTerritory = dot < 0 ? name : name.left(dot);
    const QByteArray codeset = dot < 0 ? QByteArray() : name.mid(dot + 1).toLower();
    const bool japanese = languageAndTerritory == "ja" || languageAndTerritory.startsWith("ja_");
    return japanese && (codeset == "utf-8" || codeset == "utf8");
}

} // namespace

bool CommandLineLanguage::isJapanese() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty())
            return isJapaneseUtf8(value);
    }
    return false;
}

void CommandLineLanguage::choose() {
    if (translator() || !isJapanese())
        return;
    auto japanese = std::make_unique<QTranslator>();
    if (japanese->load(QStringLiteral(":/i18n/peltra_ja.qm")))
        translator() = std::move(japanese);
}

QString CommandLineLanguage::text(const char* source) {
    if (translator()) {
        QString translated = translator()->translate("CommandLine", source);
        if (!translated.isEmpty())
            return translated;
    }
    return QString::fromUtf8(source);
}
