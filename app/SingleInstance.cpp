#include "app/SingleInstance.h"

#include "app/PrivateRuntimeFolder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr qint64 longestRequest = 64;
}

SingleInstance::SingleInstance(const QString& folder, QObject* parent) : QObject(parent) {
    if (folder.isEmpty())
        return;
    lockPath = folder + QStringLiteral("/peltra.lock");
    address = folder + QStringLiteral("/peltra");
}

SingleInstance::~SingleInstance() {
    if (lockDescriptor >= 0)
        ::close(lockDescriptor);
}

SingleInstance::Start SingleInstance::claim(int timeoutMs) {
    if (address.isEmpty())
        return Start::First;
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        // The kernel drops the lock with the process that held it, so a killed program never
        // keeps the next one out, and of two starts at the same moment exactly one wins.
        if (lock()) {
            listen();
            return Start::First;
        }
        if (askRunningToShow(int(deadline.remainingTime())))
            return Start::HandedOver;
        QThread::msleep(50); // the holder has the lock but is not listening yet
    }
    return Start::NoAnswer;
}

bool SingleInstance::lock() {
    if (lockDescriptor < 0)
        lockDescriptor = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    return lockDescriptor >= 0 && ::flock(lockDescriptor, LOCK_EX | LOCK_NB) == 0;
}

bool SingleInstance::listen() {
    server = new QLocalServer(this);
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::takeConnection);
    // Whatever is at the address was left by a program that died: the lock is ours.
    QLocalServer::removeServer(address);
    return server->listen(address);
}

bool SingleInstance::askRunningToShow(int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(address);
    if (!socket.waitForConnected(timeoutMs) || !PrivateRuntimeFolder::peerIsCurrentUser(socket.socketDescriptor()))
        return false;
    socket.write(showRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The answer may have come in already while the request went out.
    QByteArray answer = socket.readAll();
    while (!answer.contains('\n') && answer.size() < longestRequest && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    return answer == accepted;
}

void SingleInstance::takeConnection() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PrivateRuntimeFolder::peerIsCurrentUser(socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > longestRequest)
            socket->abort();
        return;
    }
    const bool asked = socket->readLine(longestRequest) == showRequest;
    if (asked)
        socket->write(accepted);
    socket->disconnectFromServer();
    if (asked)
        emit showRequested();
}
