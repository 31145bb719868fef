#pragma once

#include "app/core/Platform.h"

#include <QList>
#include <QString>

// The platform as the settings targets need it: a fixed screen for the centred window position, a
// fixed clock, and message boxes answered at once and recorded. Nothing here shows a window or waits.
class FixedScreenPlatform final : public Platform {
public:
    struct Message {
        QString prompt;
        int style;
    };

    int messageBox(const QString& prompt, int style, const QString&) override {
        messages.append({prompt, style});
        return MessageAnswer::Ok;
    }
    void winHelp(QWidget*, const QString&, int, int) override {}
    void playSound(const QString&) override {}
    QString environmentVariable(const QString&) override { return {}; }
    QString existingFileName(const QString&) override { return {}; }
    bool openUrl(const QString&) override { return false; }
    QSizeF screenSizeTwips() override { return {28800, 16200}; } // 1920 x 1080 pixels at 96 dpi
    QList<QRectF> screenRectsTwips() override { return {QRectF(QPointF(0, 0), screenSizeTwips())}; }
    QList<QRectF> availableRectsTwips() override { return screenRectsTwips(); }
    QDateTime now() override { return QDateTime(QDate(2026, 12, 6), QTime(12, 0)); }
    void processEvents() override {}
    QString programDirectory() override { return {}; }
    void endProgram() override { ended = true; }
    bool hasEnded() const override { return ended; }

    QList<Message> messages;

private:
    bool ended = false;
};
