// Number, colour and date conversions of stored texts: no crash, no undefined behaviour, and what
// the program writes reads back.
#include "app/core/Conversions.h"
#include "app/core/DateTimeText.h"
#include "fuzz/FuzzCheck.h"

#include <QColor>
#include <QDate>
#include <QString>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

using namespace Conversions;

namespace {

QString numberDetail(double value) {
    return QStringLiteral("value %1").arg(value, 0, 'g', 17);
}

// What the program writes for a number reads back as that number to seven significant digits (the
// store keeps single precision), and writing the read-back value again gives the same text: a value
// does not drift from save to save.
void checkNumberText(double value) {
    const QString text = numberText(value);
    require(!text.contains(u','), "numberText writes no locale comma", numberDetail(value) + u' ' + text);
    if (!std::isfinite(value) || std::abs(value) > double(FLT_MAX))
        return;
    const auto readBack = strictNumber(text);
    require(readBack.has_value(), "strictNumber reads numberText", numberDetail(value) + u' ' + visible(text));
    require(std::isfinite(*readBack), "numberText reads back finite", numberDetail(value) + u' ' + text);
    if (value == 0 || std::abs(value) >= double(FLT_MIN)) {
        // Single precision (2^-24) plus the seventh digit's rounding (5e-7 of the leading digit).
        const double tolerance = 6e-7 * std::abs(value);
        require(std::abs(*readBack - value) <= tolerance, "numberText keeps seven significant digits",
                numberDetail(value) + u' ' + text + QStringLiteral(" read back %1").arg(*readBack, 0, 'g', 17));
    }
    const QString again = numberText(*readBack);
    require(again == text, "numberText is stable over a save and a load",
            numberDetail(value) + u' ' + text + u' ' + again);
}

void checkRounding(double value) {
    const qint64 rounded = roundHalfEven(value);
    if (!std::isfinite(value)) {
        require(rounded == 0, "roundHalfEven gives 0 for what is no number", numberDetail(value));
        return;
    }
    if (std::abs(value) >= 0x1p52)
        return; // every such double is an integer already, or past the clamp
    const double difference = double(rounded) - value;
    require(std::abs(difference) <= 0.5, "roundHalfEven rounds to the nearest integer", numberDetail(value));
    if (std::abs(difference) == 0.5)
        require(rounded % 2 == 0, "roundHalfEven sends halves to the even integer", numberDetail(value));
}

// The readers agree with each other: the strict reader is the lenient one over a whole text.
void checkTextReaders(const QString& text) {
    const double lenient = lenientNumber(text);
    require(std::isfinite(lenient), "lenientNumber is finite", visible(text));
    const auto strict = strictNumber(text);
    if (strict)
        require(*strict == lenient, "strictNumber agrees with lenientNumber", visible(text));

    const auto flag = strictBoolean(text);
    const QString trimmed = text.trimmed();
    const bool isWord = trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
                        trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0;
    if (!isWord) {
        require(flag.has_value() == strict.has_value(), "strictBoolean reads exactly the numbers", visible(text));
        if (flag)
            require(*flag == (*strict != 0), "strictBoolean: zero is false", visible(text));
    }

    const QColor color = colorFromText(text);
    require(color.isValid(), "colorFromText gives a colour", visible(text));
    const auto stored = quint32(quint64(roundHalfEven(lenient)) & 0xFFFFFF);
    require(colorValue(color) == qint64(stored), "colorFromText keeps red, green and blue", visible(text));
    // The colour as the settings window writes it back reads as the same colour.
    const QString written = QStringLiteral("&H%1&").arg(colorValue(color), 8, 16, QLatin1Char('0')).toUpper();
    require(colorFromText(written) == color, "a written colour reads back", visible(text) + u' ' + written);

    checkNumberText(lenient);
    checkRounding(lenient);
}

void checkStoredDate(QDate date) {
    const QString text = storedDateText(date);
    const auto readBack = parseStoredDate(text);
    require(readBack.has_value() && *readBack == date, "parseStoredDate reads storedDateText",
            date.toString(Qt::ISODate) + u' ' + visible(text));
}

void checkDateReader(const QString& text) {
    const auto date = parseStoredDate(text);
    if (!date)
        return;
    require(date->isValid(), "parseStoredDate gives a valid date", visible(text));
    checkStoredDate(*date);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    checkTextReaders(text);
    checkDateReader(text);

    // The raw bytes as a number and as a day: values no text above may reach.
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        checkNumberText(value);
        checkRounding(value);
    }
    if (size >= sizeof(qint32)) {
        qint32 day = 0;
        std::memcpy(&day, data, sizeof day);
        // Every date the calendar can set, from 1752 to 9999, is stored and read back.
        const QDate date = QDate(1752, 9, 14).addDays(qint64(quint32(day) % 3030000));
        if (date.isValid() && date.year() <= 9999)
            checkStoredDate(date);
    }
    return 0;
}
