#include "app/core/CountdownName.h"

#include <QCryptographicHash>
#include <QList>

namespace CountdownName {

namespace {
// The name becomes a file name with ".ini" after it; a file name has at most 255 bytes.
constexpr qsizetype longestFileName = 255 - 4;
} // namespace

std::optional<QString> fromTyped(const QString& typed, Problem* problem) {
    const auto refuse = [problem](Problem why) -> std::optional<QString> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    // Unpaired halves of a surrogate pair cannot be written to a file name as UTF-8.
    if (!typed.isValidUtf16())
        return refuse(Problem::NotText);
    const QString name = typed.normalized(QString::NormalizationForm_C);
    if (name.isEmpty())
        return refuse(Problem::Empty);
    const QList<uint> characters = name.toUcs4();
    if (characters.size() > longest)
        return refuse(Problem::TooLong);
    if (name.startsWith(u'.'))
        return refuse(Problem::LeadingDot);
    for (const uint character : characters) {
        if (character == u'/' || character == u'\\')
            return refuse(Problem::Separator);
        if (QChar::category(char32_t(character)) == QChar::Other_Control)
            return refuse(Problem::Control);
    }
    if (name.toUtf8().size() > longestFileName)
        return refuse(Problem::FileNameTooLong);
    return name;
}

QString shortKey(const QString& name) {
    const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(digest.toHex().left(16));
}

} // namespace CountdownName
