#include "program/StartUp.h"

#include "app/core/AppSettings.h"
#include "app/core/Platform.h"
#include "app/settings/ProgramContext.h"
#include "app/settings/SettingsLoader.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/StaleSaveFiles.h"
#include "countdown/PELTRA.h"
#include "dialogs/INP_DATE.h"

#include <QDir>

std::unique_ptr<PELTRA> startUp(const ProgramContext& context) {
    AppSettings& settings = context.settings;
    Platform& platform = context.platform;
    const QString programDirectory = platform.programDirectory();
    QDir::setCurrent(programDirectory);
    settings.AppKey = QStringLiteral("PELTRA");
    settings.HelpFilePath = programDirectory + u'/' + QStringLiteral("PELTRA.HLP");

    // What a killed save left beside the settings file.
    removeStaleSaveFiles(context.store.fileName(), platform.now());
    loadSettings(settings, context.store, platform, [&context] {
        INP_DATE eventDate(context);
        eventDate.exec();
    });
    if (platform.hasEnded())
        return nullptr;

    auto window = std::make_unique<PELTRA>(context);
    window->Form_Load();
    window->Form_Activate();
    window->show();
    return window;
}
