#include "app/system/FontSetup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <utility>

#ifdef PELTRA_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

// Some fontconfig set-ups switch anti-aliasing off for small sizes so that Japanese fonts are drawn
// from their embedded bitmaps; Qt's FreeType engine then renders in black and white and takes the
// bitmaps, and the 9-point interface looks jagged. Rules added last have the final say: every font
// this program draws comes from its outlines, anti-aliased, as the rest of the desktop is drawn.
void drawFontsFromOutlines() {
#ifdef PELTRA_HAVE_FONTCONFIG
    static constexpr char rules[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>false</bool></edit>
  </match>
</fontconfig>
)";
    if (FcInit())
        FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(rules), FcTrue);
#endif
}

} // namespace

void installFontSubstitutions() {
    static bool installed = false;
    if (std::exchange(installed, true))
        return;
    drawFontsFromOutlines();
    struct Substitution {
        const char16_t* windowsName;
        const char16_t* standIn;
    };
    // Each stand-in shares the metrics of the font it stands in for, so that texts fill their boxes
    // as they were laid out; the interface font takes the Gothic with narrow digits, so that dates
    // fit the status panels as they did.
    static constexpr Substitution substitutions[] = {
        {u"ＭＳ Ｐ明朝", u"IPAPMincho"},     {u"ＭＳ 明朝", u"IPAMincho"},
        {u"ＭＳ Ｐゴシック", u"IPAPGothic"}, {u"ＭＳ ゴシック", u"IPAGothic"},
        {u"MS UI Gothic", u"IPAGothic"},     {u"MS PMincho", u"IPAPMincho"},
        {u"MS Mincho", u"IPAMincho"},        {u"MS PGothic", u"IPAPGothic"},
        {u"MS Gothic", u"IPAGothic"},        {u"Times New Roman", u"Liberation Serif"},
        {u"Arial", u"Liberation Sans"},      {u"Courier New", u"Liberation Mono"},
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
    // Looked up in the list of installed families rather than with QFontDatabase::hasFamily, which runs
    // fontconfig's whole rule set for every name it is asked about; the layout asks at every pass.
    static QHash<QString, QString> resolved;
    if (const auto known = resolved.constFind(name); known != resolved.cend())
        return *known;
    const QStringList families = QFontDatabase::families();
    QString family = name;
    if (!families.contains(name, Qt::CaseInsensitive)) {
        const QString standIn = QFont::substitute(name);
        if (families.contains(standIn, Qt::CaseInsensitive))
            family = standIn;
    }
    resolved.insert(name, family);
    return family;
}
