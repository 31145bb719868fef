#include "app/core/DateTimeText.h"

#include "app/core/AppSettings.h"

#include <QLocale>
#include <QRegularExpression>

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

std::optional<QDate> parseStoredDate(const QString& text) {
    static const QRegularExpression form(QStringLiteral(R"(^\s*(\d{4})([/-])(\d{1,2})\2(\d{1,2})\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(3).toInt(), match.captured(4).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}
