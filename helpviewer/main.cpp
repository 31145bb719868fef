// peltra-help: shows the program's help file. The program starts it for every help request; when
// a viewer of the same user is running already, the request goes there and this one ends.
//
//   peltra-help [--file FILE] [--context NUMBER | --contents | --index] [--socket NAME]

#include "app/system/FontSetup.h"
#include "app/system/TerminationSignals.h"
#include "helpviewer/HelpServer.h"
#include "helpviewer/HelpViewerWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>

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

    // Without an address (no private folder to be had), or without taking it, this viewer still
    // shows the help; later requests start their own.
    if (!socketName.isEmpty() && HelpServer::sendToRunning(socketName, *request))
        return 0;
    HelpServer server(socketName);
    if (!socketName.isEmpty() && !server.listen() && HelpServer::sendToRunning(socketName, *request))
        return 0; // another viewer started at the same moment and took the address

    // Ended by the session, "kill" or Ctrl+C, the viewer leaves its event loop as if closed, so
    // that its collection folder goes with it.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &app, &QCoreApplication::quit);
    HelpViewerWindow window;
    QObject::connect(&server, &HelpServer::requestReceived, &window, &HelpViewerWindow::handle);
    window.handle(*request);
    return QApplication::exec();
}
