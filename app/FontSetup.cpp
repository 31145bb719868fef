#include "app/FontSetup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installFontSubstitutions() {
    struct Substitution {
        const char16_t* windowsName;
        const char16_t* standIn;
    };
    // The IPA fonts share the metrics of the fonts they stand in for; the interface font takes the
    // Gothic with narrow digits, so that dates fit the status panels as they did.
    static constexpr Substitution substitutions[] = {
        {u"ＭＳ Ｐ明朝", u"IPAPMincho"},  {u"ＭＳ 明朝", u"IPAMincho"},    {u"ＭＳ Ｐゴシック", u"IPAPGothic"},
        {u"ＭＳ ゴシック", u"IPAGothic"}, {u"MS UI Gothic", u"IPAGothic"}, {u"MS PMincho", u"IPAPMincho"},
        {u"MS Mincho", u"IPAMincho"},     {u"MS PGothic", u"IPAPGothic"},  {u"MS Gothic", u"IPAGothic"},
    };
    for (const auto& s : substitutions)
        QFont::insertSubstitution(QString::fromUtf16(s.windowsName), QString::fromUtf16(s.standIn));
    // Menus, status bar and buttons speak Japanese: a Japanese font of the usual 9 points shows
    // them without a search through the fallback fonts for every text.
    QApplication::setFont(QFont(installedFamily(QStringLiteral("MS UI Gothic")), 9));
}

void installJapaneseLocale() {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

QString installedFamily(const QString& name) {
    if (QFontDatabase::hasFamily(name))
        return name;
    const QString standIn = QFont::substitute(name);
    return QFontDatabase::hasFamily(standIn) ? standIn : name;
}
