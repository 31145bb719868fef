#include "helpviewer/HelpServer.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {
const QByteArray accepted = QByteArrayLiteral("ok\n");
}

HelpServer::HelpServer(QString name, QObject* parent)
    : QObject(parent), serverName(std::move(name)), server(new QLocalServer(this)) {
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server, &QLocalServer::newConnection, this, &HelpServer::takeConnection);
}

bool HelpServer::listen() {
    // Asked first: with access options Qt sets up the address aside and moves it into place,
    // which would silently take it from a live viewer.
    QLocalSocket probe;
    probe.connectToServer(serverName);
    if (probe.waitForConnected(1000))
        return false;
    if (server->listen(serverName))
        return true;
    if (server->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // Left behind by a viewer that was killed.
    QLocalServer::removeServer(serverName);
    return server->listen(serverName);
}

void HelpServer::takeConnection() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void HelpServer::readRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > maximumMessageSize)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(maximumMessageSize);
    const std::optional<HelpRequest> request = HelpRequest::fromMessage(line);
    if (request)
        socket->write(accepted);
    socket->disconnectFromServer();
    if (request)
        emit requestReceived(*request);
}

bool HelpServer::sendToRunning(const QString& name, const HelpRequest& request, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(request.toMessage());
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    return answer == accepted;
}

QString HelpServer::defaultName() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
#ifdef Q_OS_UNIX
    if (!folder.isEmpty())
        return QDir(folder).filePath(QStringLiteral("peltra-help"));
#endif
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    return QStringLiteral("peltra-help-") + user;
}
