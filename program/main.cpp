#include "app/core/AppSettings.h"
#include "app/settings/ProgramContext.h"
#include "app/settings/SettingsStore.h"
#include "app/system/FontSetup.h"
#include "app/system/PrivateRuntimeFolder.h"
#include "app/system/QtPlatform.h"
#include "app/system/SingleInstance.h"
#include "app/system/TerminationSignals.h"
#include "countdown/PELTRA.h"
#include "program/CommandLine.h"
#include "program/StartUp.h"

#include <QApplication>

#include <cstdio>

namespace {

// The program places its own window, which a Wayland compositor does not allow: under a Wayland
// session with XWayland present, run on X11 unless the user chose a platform. An empty variable is
// no choice (Qt ignores it too).
bool chooseWindowSystem() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool waylandSession = wayland || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (waylandSession && x11)
        qputenv("QT_QPA_PLATFORM", "xcb");
    return x11 || wayland;
}

// A later start shows the running countdown, or, while the first-start date window is still up,
// that window.
void showRunningWindow(PELTRA* window) {
    if (window) {
        window->bringBack();
    } else if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

// A termination signal is the session ending without interaction; before the countdown window
// exists there is nothing of the user's to save.
void endOnSignal(PELTRA* window, Platform& platform) {
    if (window)
        window->saveForSessionEnd();
    platform.endProgram();
}

} // namespace

int main(int argc, char* argv[]) {
    // The options for panels and scripts need neither a display nor a window.
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    QString countdownName;
    if (const std::optional<int> status = CommandLine::run(arguments, &countdownName))
        return *status;
    if (!chooseWindowSystem()) {
        CommandLine::reportNoDisplay();
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PELTRA"));
    // The fonts are set up by the first window or message, once it is about to lay out a text.
    installJapaneseLocale();

    QtPlatform platform;
    // Before the settings are read: a second start writes nothing.
    const QString runtimeFolder = PrivateRuntimeFolder::path();
    SingleInstance instance(runtimeFolder, countdownName);
    if (const SingleInstance::Start start = instance.claim(); start != SingleInstance::Start::First) {
        if (start == SingleInstance::Start::NoAnswer)
            CommandLine::reportNoAnswer();
        else if (start == SingleInstance::Start::Unreachable)
            CommandLine::reportUnreachable();
        return start == SingleInstance::Start::HandedOver ? 0 : 1;
    }
    if (!instance.isListening() && !runtimeFolder.isEmpty())
        CommandLine::reportNotReachable();
    // The one record, store and platform of this run, handed to every window from here; the window
    // goes before them.
    AppSettings settings;
    settings.countdownName = countdownName;
    SettingsStore store(countdownName);
    std::unique_ptr<PELTRA> window;
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &application,
                     [&] { endOnSignal(window.get(), platform); });
    QObject::connect(&instance, &SingleInstance::showRequested, &application, [&] { showRunningWindow(window.get()); });
    window = startUp({settings, store, platform});
    if (!window)
        return 0;
    return QApplication::exec();
}
