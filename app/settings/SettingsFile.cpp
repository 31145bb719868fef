#include "app/settings/SettingsFile.h"

#include <QByteArrayView>
#include <QList>
#include <QStringDecoder>

#include <optional>

namespace {

const QByteArray byteOrderMark("\xEF\xBB\xBF");
const QString generalSection = QStringLiteral("General");

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmedBlanks(QByteArrayView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool isValidUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString decoded = decoder(bytes);
    return !decoder.hasError();
}

// DEL is not among them: QSettings writes it as it is.
bool hasControlCharacter(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (uchar(c) < 0x20 && c != '\t')
            return true;
    }
    return false;
}

// Keys and sections as QSettings escapes them: "%28" for "(", "%U3042" beyond Latin-1, "\" for "/".
QString unescapedKey(QByteArrayView escaped) {
    const QString text = QString::fromUtf8(escaped);
    QString key;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c == u'\\') {
            key += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < text.size()) {
            const bool wide = text.at(i + 1) == u'U';
            const qsizetype first = i + (wide ? 2 : 1);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code = first + digits <= text.size() ? text.sliced(first, digits).toUShort(&ok, 16) : 0;
            if (ok) {
                key += QChar(code);
                i = first + digits;
                continue;
            }
        }
        key += c;
        ++i;
    }
    return key;
}

QByteArray escapedKey(const QString& key) {
    QByteArray escaped;
    for (const QChar c : key) {
        const char16_t code = c.unicode();
        if (code == u'/')
            escaped += '\\';
        else if ((code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z') || (code >= u'0' && code <= u'9') ||
                 code == u'_' || code == u'-' || code == u'.')
            escaped += char(code);
        else if (code <= 0xFF)
            escaped += '%' + QByteArray::number(code, 16).toUpper().rightJustified(2, '0');
        else
            escaped += "%U" + QByteArray::number(code, 16).toUpper().rightJustified(4, '0');
    }
    return escaped;
}

// The special forms QSettings gives texts that begin with "@".
QString plainText(const QString& stored) {
    if (stored.startsWith(QLatin1String("@@")))
        return stored.sliced(1);
    if (stored == QLatin1String("@Invalid()"))
        return {};
    if (stored.startsWith(QLatin1String("@ByteArray(")) && stored.endsWith(u')'))
        return stored.sliced(11, stored.size() - 12);
    return stored;
}

struct ParsedValue {
    QString text;
    bool wellFormed = true; // quotes and escapes close on the line, and no comment follows
};

// A value as QSettings reads it, on one line: blanks around it dropped unless quoted, backslash
// escapes, quotes, unquoted commas making a list (joined again with ", ") and ";" starting a comment.
ParsedValue parseValue(QByteArrayView raw) {
    ParsedValue parsed;
    QStringList items;
    QString current;
    bool inQuotes = false;
    bool quoted = false;
    qsizetype keepFrom = 0; // blanks before this point came from escapes or quotes
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < raw.size() && isBlank(raw.at(i)))
            ++i;
    };
    const auto chopBlanks = [&] {
        if (quoted)
            return;
        while (current.size() > keepFrom && (current.back() == u' ' || current.back() == u'\t'))
            current.chop(1);
    };
    skipBlanks();
    while (i < raw.size()) {
        const char c = raw.at(i);
        if (c == '\\') {
            if (++i >= raw.size()) {
                parsed.wellFormed = false; // a trailing backslash
                break;
            }
            const char escape = raw.at(i++);
            // Pairs of an escape letter and the character it stands for.
            static const QByteArray codes = QByteArrayLiteral("a\ab\bf\fn\nr\rt\tv\v\"\"''\\\\") + "??";
            const qsizetype code = codes.indexOf(escape);
            if (code >= 0 && code % 2 == 0) {
                current += QLatin1Char(codes.at(code + 1));
            } else if (escape == 'x' || (escape >= '0' && escape <= '7')) {
                const bool hex = escape == 'x';
                char16_t value = hex ? 0 : char16_t(escape - '0');
                bool any = !hex;
                while (i < raw.size()) {
                    const int digit =
                        hex ? hexValue(raw.at(i)) : (raw.at(i) >= '0' && raw.at(i) <= '7' ? raw.at(i) - '0' : -1);
                    if (digit < 0)
                        break;
                    value = char16_t(value * (hex ? 16 : 8) + digit);
                    any = true;
                    ++i;
                }
                if (any)
                    current += QChar(value);
            }
            keepFrom = current.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            chopBlanks();
            items.append(current);
            current.clear();
            quoted = false;
            keepFrom = 0;
            ++i;
            skipBlanks();
        } else if (c == ';' && !inQuotes) {
            parsed.wellFormed = false; // the rest of the line is a comment
            break;
        } else {
            qsizetype end = i + 1;
            while (end < raw.size() && !QByteArrayView("\\\",;").contains(raw.at(end)))
                ++end;
            current += QString::fromUtf8(raw.sliced(i, end - i));
            i = end;
        }
    }
    if (inQuotes)
        parsed.wellFormed = false;
    chopBlanks();
    if (items.isEmpty()) {
        parsed.text = plainText(current);
        return parsed;
    }
    items.append(current);
    for (QString& item : items)
        item = plainText(item);
    parsed.text = items.join(QStringLiteral(", "));
    return parsed;
}

std::optional<QString> sectionOf(QByteArrayView line, bool& wellFormed) {
    qsizetype close = line.indexOf(']');
    if (close < 0) {
        wellFormed = false;
        close = line.size();
    } else if (close != line.size() - 1) {
        wellFormed = false;
    }
    const QByteArrayView name = trimmedBlanks(line.sliced(1, close - 1));
    if (!isValidUtf8(name) || hasControlCharacter(name))
        return std::nullopt;
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.sliced(1));
    return unescapedKey(name);
}

QByteArray escapedValue(const QString& value) {
    // A text beginning with "@" would be read as one of QSettings' typed values.
    const QString text = value.startsWith(u'@') ? u'@' + value : value;
    QByteArray escaped;
    bool needsQuotes = false;
    bool escapeHexDigit = false; // a hex digit after a numeric escape would join it
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u';' || c == u',' || c == u'=')
            needsQuotes = true;
        if (escapeHexDigit && c < 0x80 && hexValue(char(c)) >= 0) {
            escaped += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeHexDigit = false;
        switch (c) {
        case u'\a':
            escaped += "\\a";
            break;
        case u'\b':
            escaped += "\\b";
            break;
        case u'\f':
            escaped += "\\f";
            break;
        case u'\n':
            escaped += "\\n";
            break;
        case u'\r':
            escaped += "\\r";
            break;
        case u'\t':
            escaped += "\\t";
            break;
        case u'\v':
            escaped += "\\v";
            break;
        case u'"':
        case u'\\':
            escaped += '\\';
            escaped += char(c);
            break;
        default:
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                escaped += text.sliced(i, 2).toUtf8();
                ++i;
            } else if (c < 0x20 || c == 0x7F || QChar::isSurrogate(c) || c == 0xFEFF) {
                // Controls would break the line, a lone surrogate has no UTF-8, and a byte-order mark may
                // be dropped by a reader.
                escaped += "\\x" + QByteArray::number(c, 16);
                escapeHexDigit = true;
            } else {
                escaped += QStringView(text).sliced(i, 1).toUtf8();
            }
        }
    }
    if (needsQuotes || (!escaped.isEmpty() && (escaped.front() == ' ' || escaped.back() == ' ')))
        return '"' + escaped + '"';
    return escaped;
}

} // namespace

SettingsFileContents parseSettingsFile(const QByteArray& bytes) {
    SettingsFileContents contents;
    QByteArrayView text(bytes);
    if (text.startsWith(byteOrderMark)) {
        contents.damaged = true;
        text = text.sliced(byteOrderMark.size());
    }
    if (!text.isEmpty() && !text.endsWith('\n'))
        contents.damaged = true;

    std::optional<QString> section = QString(); // nullopt: under a section whose name cannot be read
    while (!text.isEmpty()) {
        const qsizetype end = text.indexOf('\n');
        QByteArrayView line = end < 0 ? text : text.first(end);
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!isValidUtf8(line) || hasControlCharacter(line))
            contents.damaged = true;
        line = trimmedBlanks(line);
        if (line.isEmpty())
            continue;
        if (line.front() == '[') {
            bool wellFormed = true;
            section = sectionOf(line, wellFormed);
            contents.damaged = contents.damaged || !wellFormed || !section;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        const QByteArrayView rawKey = equals < 0 ? QByteArrayView() : trimmedBlanks(line.first(equals));
        if (rawKey.isEmpty() || rawKey.front() == ';' || rawKey.front() == '#' || !isValidUtf8(rawKey) ||
            hasControlCharacter(rawKey)) {
            contents.damaged = true; // a comment, a line without a key, or garbage
            continue;
        }
        const ParsedValue value = parseValue(line.sliced(equals + 1));
        contents.damaged = contents.damaged || !value.wellFormed;
        if (!section)
            continue;
        // Empty parts of a key path ("a//b", "/a", "[/Config]") are dropped, as QSettings drops them, so
        // that a key reads back under the name it is written with.
        const QString path = (section->isEmpty() ? QString() : *section + u'/') + unescapedKey(rawKey);
        const QString key = path.split(u'/', Qt::SkipEmptyParts).join(u'/');
        if (key.isEmpty()) {
            contents.damaged = true;
            continue;
        }
        if (key != path)
            contents.damaged = true; // the program never writes such a name
        contents.values.insert(key, value.text);
    }
    return contents;
}

QByteArray formatSettingsFile(const QMap<QString, QString>& values) {
    // Keys outside any section first, under "General", as QSettings writes them.
    QMap<QString, QList<std::pair<QString, QString>>> sections;
    QList<std::pair<QString, QString>> general;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        if (slash < 0)
            general.append({it.key(), it.value()});
        else
            sections[it.key().first(slash)].append({it.key().sliced(slash + 1), it.value()});
    }
    QByteArray file;
    const auto writeSection = [&file](const QByteArray& header, const QList<std::pair<QString, QString>>& entries) {
        if (!file.isEmpty())
            file += '\n';
        file += '[' + header + "]\n";
        for (const auto& [key, value] : entries)
            file += escapedKey(key) + '=' + escapedValue(value) + '\n';
    };
    if (!general.isEmpty())
        writeSection(generalSection.toLatin1(), general);
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        // A section named like the keys outside any section is marked, as QSettings marks it.
        const bool named = it.key().compare(generalSection, Qt::CaseInsensitive) == 0;
        writeSection(named ? '%' + it.key().toLatin1() : escapedKey(it.key()), it.value());
    }
    return file;
}
