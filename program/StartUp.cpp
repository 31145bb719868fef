#include "program/StartUp.h"

#include "app/core/AppSettings.h"
#include "app/core/Platform.h"
#include "app/settings/SettingsLoader.h"
#include "app/settings/SettingsStore.h"
#include "countdown/PELTRA.h"
#include "dialogs/INP_DATE.h"

#include <QDir>

std::unique_ptr<PELTRA> startUp(Platform& platform) {
    AppSettings& settings = appSettings();
    const QString programDirectory = platform.programDirectory();
    QDir::setCurrent(programDirectory);
    settings.AppKey = QStringLiteral("PELTRA");
    settings.HelpFilePath = programDirectory + u'/' + QStringLiteral("PELTRA.HLP");

    loadSettings(settings, SettingsStore::instance(), platform, [] {
        INP_DATE eventDate;
        eventDate.exec();
    });
    if (platform.hasEnded())
        return nullptr;

    auto window = std::make_unique<PELTRA>();
    window->Form_Load();
    window->Form_Activate();
    window->show();
    return window;
}
