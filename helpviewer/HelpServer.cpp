#include "helpviewer/HelpServer.h"

#include "app/system/PrivateRuntimeFolder.h"

#include <QLocalServer>
#include <QLocalSocket>

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
        if (!PrivateRuntimeFolder::peerIsCurrentUser(socket->socketDescriptor())) {
            socket->abort(); // another user's request could point us at any file
            continue;
        }
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
    // Someone else listening there would learn which file we open and could answer "ok" to keep
    // the help from showing.
    if (!socket.waitForConnected(timeoutMs) || !PrivateRuntimeFolder::peerIsCurrentUser(socket.socketDescriptor()))
        return false;
    socket.write(request.toMessage());
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The answer may have come in already while the request went out.
    QByteArray answer = socket.readAll();
    while (!answer.contains('\n') && answer.size() <= accepted.size() && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    return answer == accepted;
}

QString HelpServer::defaultName() {
    const QString folder = PrivateRuntimeFolder::path();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/peltra-help");
}
