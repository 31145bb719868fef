#include "app/core/Conversions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Conversions {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

int digitValue(QChar c, int base) {
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c.unicode() - u'A' + 10;
    return value < base ? value : -1;
}

struct Scan {
    double value = 0;
    qsizetype end = 0; // index after the last character used
    bool found = false;
};

// "&H" and "&O" literals: up to four hex digits (octal up to 177777) make a 16-bit value, more a
// 32-bit one, both signed. A trailing "&" marks a 32-bit value: "&HFFFF&" is 65535, "&HFFFF" is -1.
Scan scanRadix(const QString& text, qsizetype pos, int base) {
    Scan scan;
    quint64 value = 0;
    int digits = 0;
    qsizetype i = pos;
    for (; i < text.size(); ++i) {
        const int d = digitValue(text[i], base);
        if (d < 0)
            break;
        value = (value * base + d) & 0xFFFFFFFFFFULL;
        ++digits;
    }
    if (digits == 0)
        return scan;
    const bool longSuffix = i < text.size() && text[i] == u'&';
    const bool sixteenBit = !longSuffix && (base == 16 ? digits <= 4 : value <= 0xFFFF);
    if (sixteenBit) {
        value &= 0xFFFF;
        scan.value = value >= 0x8000 ? double(qint64(value) - 0x10000) : double(value);
    } else {
        value &= 0xFFFFFFFF;
        scan.value = value >= 0x80000000 ? double(qint64(value) - 0x100000000LL) : double(value);
    }
    if (longSuffix)
        ++i;
    scan.end = i;
    scan.found = true;
    return scan;
}

Scan scanDecimal(const QString& text, qsizetype pos) {
    Scan scan;
    qsizetype i = pos;
    QString number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        number += text[i++];
    qsizetype mantissaDigits = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
        number += text[i++];
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == u'.') {
        number += text[i++];
        while (i < text.size() && text[i].unicode() < 128 && text[i].isDigit()) {
            number += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return scan;
    scan.end = i;
    if (i < text.size() && QStringLiteral("eEdD").contains(text[i])) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            exponent += text[j++];
        qsizetype exponentDigits = 0;
        while (j < text.size() && text[j].unicode() < 128 && text[j].isDigit()) {
            exponent += text[j++];
            ++exponentDigits;
        }
        if (exponentDigits > 0) {
            number += exponent;
            scan.end = j;
        }
    }
    bool ok = false;
    scan.value = number.toDouble(&ok);
    scan.found = ok && std::isfinite(scan.value);
    return scan;
}

Scan scanNumber(const QString& text, qsizetype pos) {
    if (pos + 1 < text.size() && text[pos] == u'&') {
        const QChar kind = text[pos + 1].toUpper();
        if (kind == u'H')
            return scanRadix(text, pos + 2, 16);
        if (kind == u'O')
            return scanRadix(text, pos + 2, 8);
        return {};
    }
    return scanDecimal(text, pos);
}

qsizetype skipBlanks(const QString& text, qsizetype pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

} // namespace

double lenientNumber(const QString& text) {
    const Scan scan = scanNumber(text, skipBlanks(text, 0));
    return scan.found ? scan.value : 0.0;
}

std::optional<double> strictNumber(const QString& text) {
    const Scan scan = scanNumber(text, skipBlanks(text, 0));
    if (!scan.found || skipBlanks(text, scan.end) != text.size())
        return std::nullopt;
    return scan.value;
}

std::optional<bool> strictBoolean(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto number = strictNumber(text))
        return *number != 0.0;
    return std::nullopt;
}

QString numberText(double value) {
    // Stored positions are single precision: seven significant digits.
    return QString::number(double(float(value)), 'g', 7);
}

QString booleanText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

qint64 roundHalfEven(double value) {
    if (!std::isfinite(value))
        return 0;
    constexpr double limit = 4611686018427387904.0; // 2^62, half the largest qint64
    return qint64(std::nearbyint(std::clamp(value, -limit, limit)));
}

QColor colorFromText(const QString& text) {
    const auto value = quint32(qint64(roundHalfEven(lenientNumber(text))) & 0xFFFFFFFF);
    return {int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF)};
}

qint64 colorValue(const QColor& color) {
    return qint64(color.red()) | (qint64(color.green()) << 8) | (qint64(color.blue()) << 16);
}

} // namespace Conversions
