#pragma once

#include "app/core/AppSettings.h"
#include "app/settings/SettingsLoader.h"
#include "app/settings/SettingsStore.h"
#include "countdown/PELTRA.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <memory>

// Settings as a first run leaves them, with an event date ten days ahead of the platform's clock.
inline void loadFreshSettings(AppSettings& settings, SettingsStore& store, ScriptedPlatform& platform) {
    settings = AppSettings{};
    settings.HelpFilePath = QStringLiteral("/opt/peltra/PELTRA.HLP");
    loadSettings(settings, store, platform, [&] { settings.TheDate = platform.clock.date().addDays(10); });
}

// One countdown window's surroundings: the scripted platform, the store in a temporary folder and
// first-run settings; the window, once opened, goes first when the fixture goes.
struct CountdownFixture {
    ScriptedPlatform platform;
    TestStore store;
    AppSettings settings;
    std::unique_ptr<PELTRA> window;

    CountdownFixture() { loadFreshSettings(settings, store.settingsStore(), platform); }
    ProgramContext context() { return {settings, store.settingsStore(), platform}; }
    PELTRA& open() {
        window = PELTRA::open(context());
        return *window;
    }
    // A key of the file's position section, as written to disk.
    QString saved(const char* key) const { return store.value(Section::Position, QLatin1String(key)); }
};

// Runs the action on the modal window that is about to open, once it is up.
template <typename Action> void whenModalOpens(Action action) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        }
    });
    poll->start();
}
