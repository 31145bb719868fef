#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

// A property that failed is a finding: say which one and with what, then abort so that libFuzzer
// keeps the input as a crash.
inline void require(bool holds, const char* property, const QString& detail = QString()) {
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %s\n  %s\n", property, detail.toUtf8().constData());
    std::abort();
}

// A text shown with its non-printable characters escaped, so that a report can be pasted back.
inline QString visible(const QString& text) {
    QString shown;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'\\')
            shown += c;
        else
            shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return u'"' + shown + u'"';
}
