#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

struct AppSettings;

// Sets DateText ("2005/04/01") and TimeText ("午後 03:45") from the given moment.
void BuildDateTimeText(AppSettings& settings, const QDateTime& now);

QString dateText(QDate date);
QString timeText(QTime time);

// Calendar days from today to the event: 1 for tomorrow, 0 on the day, negative after it.
qint64 DaysLeft(QDate today, QDate theDate);

// "イベント日：2005/04/01"
QString eventDateText(QDate theDate);

// The event date as stored, "yyyy/MM/dd" whatever the locale.
QString storedDateText(QDate date);
// Reads "yyyy/MM/dd" (also without leading zeros) and ISO "yyyy-MM-dd"; no value otherwise.
std::optional<QDate> parseStoredDate(const QString& text);
