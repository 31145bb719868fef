#include "program/StartUp.h"

#include "app/core/AppSettings.h"
#include "app/core/Platform.h"
#include "app/settings/ProgramContext.h"
#include "app/settings/SettingsLoader.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/StaleSaveFiles.h"
#include "app/system/FontSetup.h"
#include "countdown/PELTRA.h"
#include "dialogs/INP_DATE.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <utility>

namespace {

// The program's icon in the sizes a title bar and a task switcher take from a window; the larger
// sizes would be decoded and sent to the window system for nothing (the desktop takes those from the
// installed icon theme). Even with the format named, Qt asks every image-format plugin whether it
// reads PNG before it takes its own reader.
QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addPixmap(QPixmap(QStringLiteral(":/peltra/icon/%1.png").arg(size), "PNG"));
    return icon;
}

// Given to the first window that is shown, once, after the countdown window's map: the map does not
// wait for the image plugins.
void useProgramIcon() {
    static bool given = false;
    if (!std::exchange(given, true))
        QApplication::setWindowIcon(programIcon());
}

} // namespace

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
        installFontSubstitutions();
        useProgramIcon();
        INP_DATE eventDate(context);
        eventDate.exec();
    });
    if (platform.hasEnded())
        return nullptr;

    auto window = PELTRA::open(context);
    useProgramIcon();
    return window;
}
