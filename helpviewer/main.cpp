// peltra-help: shows the program's help file. The program starts it for every help request; when
// a viewer of the same user is running already, the request goes there and this one ends.
//
//   peltra-help [--file FILE] [--context NUMBER | --contents | --index] [--socket NAME]

#include "app/FontSetup.h"
#include "helpviewer/HelpServer.h"
#include "helpviewer/HelpViewerWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <unistd.h>

namespace {

int terminationPipe[2] = {-1, -1};

void onTermination(int /*signal*/) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(terminationPipe[1], &byte, 1);
}

// A viewer ended by the session or by "kill" leaves its event loop as if closed, so that its
// private collection folder is removed.
void quitOnTermination(QCoreApplication& app) {
    if (::pipe(terminationPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action {};
    action.sa_handler = onTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace
#endif

// The program's help file: in the data folder share/peltra of an installed tree, else beside the
// viewer, as in the build tree.
static QString defaultHelpFile() {
    const QDir viewerFolder(QCoreApplication::applicationDirPath());
    const QString installed = viewerFolder.absoluteFilePath(QStringLiteral("../share/peltra"));
    const QDir dataFolder(QFileInfo(installed).isDir() ? installed : viewerFolder.absolutePath());
    return QDir::cleanPath(dataFolder.absoluteFilePath(QStringLiteral("PELTRA.HLP")));
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("peltra-help"));
    QApplication::setApplicationDisplayName(QStringLiteral("ペルトラ ヘルプ"));
    QIcon icon; // the program's own
    for (const int size : {16, 32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/peltra/icon/%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    installJapaneseLocale();
    installFontSubstitutions();

    QString error;
    QString socketName;
    const std::optional<HelpRequest> request =
        HelpRequest::fromArguments(QCoreApplication::arguments(), defaultHelpFile(), &error, &socketName);
    if (!request) {
        std::fprintf(stderr, "peltra-help: %s\n", qPrintable(error));
        return 2;
    }
    if (socketName.isEmpty())
        socketName = HelpServer::defaultName();

    if (HelpServer::sendToRunning(socketName, *request))
        return 0;
    HelpServer server(socketName);
    if (!server.listen() && HelpServer::sendToRunning(socketName, *request))
        return 0; // another viewer started at the same moment and took the address
                  // Without the address this viewer still shows the help; later requests start their own.

#ifdef Q_OS_UNIX
    quitOnTermination(app);
#endif
    HelpViewerWindow window;
    QObject::connect(&server, &HelpServer::requestReceived, &window, &HelpViewerWindow::handle);
    window.handle(*request);
    return QApplication::exec();
}
