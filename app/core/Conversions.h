#pragma once

#include <QColor>
#include <QString>

#include <optional>

// Conversions between the stored texts and numbers.
namespace Conversions {

// Reads the leading number of a text: blanks skipped, then a signed decimal number (with one
// point and an optional exponent), "&H" hex or "&O" octal digits; stops at the first character
// that does not fit. A text without a leading number gives 0.
double lenientNumber(const QString& text);

// The whole text (blanks around it allowed) must be a number; otherwise no value.
std::optional<double> strictNumber(const QString& text);

// "True"/"False" in any case, or a number (0 is false); otherwise no value.
std::optional<bool> strictBoolean(const QString& text);

// A number as the store keeps it: "160", "1073.096", never a locale comma.
QString numberText(double value);

// Booleans as the store keeps them.
QString booleanText(bool value);

// A stored colour (0x00BBGGRR, any form lenientNumber reads) as a colour.
QColor colorFromText(const QString& text);

// The stored integer of a colour: red in the low byte.
qint64 colorValue(const QColor& color);

// Rounds half to even, as the stored numbers are rounded to integers.
qint64 roundHalfEven(double value);

} // namespace Conversions
