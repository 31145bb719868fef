#pragma once

#include "app/core/Platform.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>

class QWidget;

#include <functional>

// A platform for tests and fuzz targets: message-box answers are queued, requests recorded, the clock
// is set by hand. Nothing here shows a window or waits.
class ScriptedPlatform : public Platform {
public:
    struct Message {
        QString prompt;
        int style;
        QString title;
    };
    struct HelpRequest {
        QPointer<QWidget> window;
        QString helpFile;
        int command;
        int data;
    };

    ScriptedPlatform();
    ~ScriptedPlatform() override;

    int messageBox(const QString& prompt, int style, const QString& title) override;
    void winHelp(QWidget* window, const QString& helpFile, int command, int data) override;
    void playSound(const QString& path) override;
    QString environmentVariable(const QString& name) override { return environment.value(name); }
    QString existingFileName(const QString& path) override { return existingFiles.value(path); }
    // Recorded and answered at once with urlHandlerPresent.
    void openUrl(const QString& address, std::function<void(bool opened)> done) override;
    QSizeF screenSizeTwips() override { return screenSize; }
    QList<QRectF> screenRectsTwips() override { return screens; }
    // The available areas; the whole screens unless a test sets panels.
    QList<QRectF> availableRectsTwips() override { return available.isEmpty() ? screens : available; }
    QDateTime now() override { return clock; }
    qint64 bootClockMsecs() override { return bootClock; }
    void watchWallClock(std::function<void()> handler) override { wallClockHandler = std::move(handler); }
    // Time passes: the wall clock and the boot clock move on together.
    void pass(qint64 msecs) {
        clock = clock.addMSecs(msecs);
        bootClock += msecs;
    }
    // The wall clock is set to the moment, as the user or the time service would; the watcher is told.
    void setWallClock(const QDateTime& moment) {
        clock = moment;
        if (wallClockHandler)
            wallClockHandler();
    }
    void processEvents() override {}
    QString programDirectory() override { return dataFolder; }
    void endProgram() override { ended = true; }
    bool hasEnded() const override { return ended; }

    // Answers given in turn; when none is queued the answer is OK.
    QList<int> answers;
    // Called when a message box is shown, before its answer is given.
    std::function<void(const Message&)> onMessage;
    QList<Message> messages;
    QList<HelpRequest> helpRequests;
    QStringList soundsPlayed;
    QStringList urlsOpened;
    bool urlHandlerPresent = true;
    QHash<QString, QString> environment;
    QHash<QString, QString> existingFiles; // full path -> name the existence test gives
    QSizeF screenSize{15360, 11520};
    QList<QRectF> screens{QRectF(0, 0, 15360, 11520)};
    QList<QRectF> available;
    QDateTime clock;
    qint64 bootClock = 5'000'000;
    std::function<void()> wallClockHandler;
    QString dataFolder = QStringLiteral("/opt/peltra");
    bool ended = false;
};
