#include "app/core/DateTimeText.h"

#include "app/core/AppSettings.h"

#include <QLocale>

void BuildDateTimeText(AppSettings& settings, const QDateTime& now) {
    settings.DateText = dateText(now.date());
    settings.TimeText = timeText(now.time());
}

QString dateText(QDate date) {
    // Four year digits, as the stored form is read back: year 5 is "0005", not "5".
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString timeText(QTime time) {
    // The designators are the Japanese ones whatever the system's locale.
    static const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    return japanese.toString(time, QStringLiteral("AP hh:mm"));
}

qint64 DaysLeft(QDate today, QDate theDate) {
    return today.daysTo(theDate);
}

QString eventDateText(QDate theDate) {
    return QStringLiteral("イベント日：") + storedDateText(theDate);
}

QString storedDateText(QDate date) {
    return date.isValid() ? dateText(date) : QString();
}

namespace {

// The number that the ASCII digits at the front of the text make, at least `least` and at most `most`
// of them; the text keeps what follows.
std::optional<int> takeNumber(QStringView& text, qsizetype least, qsizetype most) {
    int value = 0;
    qsizetype length = 0;
    for (; length < most && length < text.size() && text[length] >= u'0' && text[length] <= u'9'; ++length)
        value = value * 10 + (text[length].unicode() - u'0');
    if (length < least)
        return std::nullopt;
    text = text.sliced(length);
    return value;
}

// Whether the text starts with the separator; it keeps what follows.
bool takeSeparator(QStringView& text, QChar separator) {
    if (!text.startsWith(separator))
        return false;
    text = text.sliced(1);
    return true;
}

} // namespace

std::optional<QDate> parseStoredDate(const QString& text) {
    // yyyy/M/d or yyyy-M-d, the same separator both times, with blanks around.
    const QString trimmed = text.trimmed();
    QStringView rest(trimmed);
    const std::optional<int> year = takeNumber(rest, 4, 4);
    const QChar separator = rest.isEmpty() ? QChar() : rest.front();
    if (!year || (separator != u'/' && separator != u'-') || !takeSeparator(rest, separator))
        return std::nullopt;
    const std::optional<int> month = takeNumber(rest, 1, 2);
    if (!month || !takeSeparator(rest, separator))
        return std::nullopt;
    const std::optional<int> day = takeNumber(rest, 1, 2);
    if (!day || !rest.isEmpty())
        return std::nullopt;
    const QDate date(*year, *month, *day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}
