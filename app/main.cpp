#include "app/FontSetup.h"
#include "app/QtPlatform.h"
#include "app/StartUp.h"
#include "countdown/PELTRA.h"

#include <QApplication>

#include <cstdio>

namespace {

// The program places its own window, which a Wayland compositor does not allow: run through
// XWayland unless the user chose a platform.
bool chooseWindowSystem() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    const bool x11 = qEnvironmentVariableIsSet("DISPLAY");
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && x11)
        qputenv("QT_QPA_PLATFORM", "xcb");
    return x11 || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!chooseWindowSystem()) {
        std::fputs("peltra: no display found (DISPLAY is not set); run it on a desktop, or under Xvfb: "
                   "xvfb-run -a peltra\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PELTRA"));
    installJapaneseLocale();
    installFontSubstitutions();

    QtPlatform platform;
    Platform::setInstance(&platform);
    const auto window = startUp(platform);
    if (!window)
        return 0;
    return QApplication::exec();
}
