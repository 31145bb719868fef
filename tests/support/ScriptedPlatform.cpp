#include "tests/support/ScriptedPlatform.h"

#include <QWidget>

ScriptedPlatform::ScriptedPlatform() : clock(QDate(2026, 12, 6), QTime(10, 0)) {}

ScriptedPlatform::~ScriptedPlatform() = default;

int ScriptedPlatform::messageBox(const QString& prompt, int style, const QString& title) {
    const Message message{prompt, style, title};
    messages << message;
    if (onMessage)
        onMessage(message);
    return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
}

void ScriptedPlatform::winHelp(QWidget* window, const QString& helpFile, int command, int data) {
    helpRequests << HelpRequest{window, helpFile, command, data};
}

void ScriptedPlatform::playSound(const QString& path) {
    soundsPlayed << path;
}

void ScriptedPlatform::openUrl(const QString& address, std::function<void(bool opened)> done) {
    urlsOpened << address;
    done(urlHandlerPresent);
}
