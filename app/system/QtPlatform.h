#pragma once

#include "app/core/Platform.h"

#include <memory>

class WallClockWatcher;

// The platform as Qt gives it on today's desktops.
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    int messageBox(const QString& prompt, int style, const QString& title) override;
    void winHelp(QWidget* window, const QString& helpFile, int command, int data) override;
    void playSound(const QString& path) override;
    QString environmentVariable(const QString& name) override;
    QString existingFileName(const QString& path) override;
    void openUrl(const QString& address, std::function<void(bool opened)> done) override;
    QSizeF screenSizeTwips() override;
    QList<QRectF> screenRectsTwips() override;
    QList<QRectF> availableRectsTwips() override;
    QDateTime now() override;
    qint64 bootClockMsecs() override;
    void watchWallClock(std::function<void()> handler) override;
    void processEvents() override;
    QString programDirectory() override;
    [[noreturn]] void endProgram() override;
    [[nodiscard]] bool hasEnded() const override { return false; }

    // The help viewer program beside this one.
    static QString helpViewerPath();
    // The desktop's opener of addresses, found on PATH.
    static constexpr const char* opener = "xdg-open";
    // An opener still running after this long has handed the address on: opened.
    static constexpr int openerPatienceMs = 15000;
    // The module that plays the chime.
    static QString soundModulePath();

private:
    std::unique_ptr<WallClockWatcher> wallClock;
};
