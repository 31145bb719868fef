#include "app/FontSetup.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installFontSubstitutions() {
    struct Substitution {
        const char16_t* windowsName;
        const char16_t* standIn;
    };
    // The IPA fonts share the metrics of the fonts they stand in for.
    static constexpr Substitution substitutions[] = {
        {u"ＭＳ Ｐ明朝", u"IPAPMincho"},  {u"ＭＳ 明朝", u"IPAMincho"},     {u"ＭＳ Ｐゴシック", u"IPAPGothic"},
        {u"ＭＳ ゴシック", u"IPAGothic"}, {u"MS UI Gothic", u"IPAPGothic"}, {u"MS PMincho", u"IPAPMincho"},
        {u"MS Mincho", u"IPAMincho"},     {u"MS PGothic", u"IPAPGothic"},   {u"MS Gothic", u"IPAGothic"},
    };
    for (const auto& s : substitutions)
        QFont::insertSubstitution(QString::fromUtf16(s.windowsName), QString::fromUtf16(s.standIn));
}

void installJapaneseLocale() {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}
