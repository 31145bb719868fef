#include "app/system/SingleInstance.h"

#include "app/core/CountdownName.h"
#include "app/system/PrivateRuntimeFolder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// Plain local sockets rather than QLocalServer: the network module and the libraries it brings cost
// the program more memory and start-up time than the two short lines it would carry.

namespace {

constexpr std::size_t longestRequest = 64;
// How long the running program waits for a connected start to say what it wants.
constexpr int requestTimeoutMs = 500;

// The address as the kernel takes it; false when the path is too long for one.
bool socketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray name = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    return true;
}

// Reads up to the first line feed, waiting at most until the deadline.
QByteArray readLine(int descriptor, const QDeadlineTimer& deadline) {
    QByteArray line;
    while (!line.contains('\n') && std::size_t(line.size()) < longestRequest) {
        pollfd readable{descriptor, POLLIN, 0};
        if (::poll(&readable, 1, int(deadline.remainingTime())) <= 0)
            break;
        char buffer[longestRequest];
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer - std::size_t(line.size()));
        if (got <= 0)
            break;
        line.append(buffer, got);
    }
    return line;
}

bool writeAll(int descriptor, const char* text) {
    const std::size_t length = std::strlen(text);
    return ::send(descriptor, text, length, MSG_NOSIGNAL) == ssize_t(length);
}

} // namespace

SingleInstance::SingleInstance(const QString& folder, const QString& countdownName, QObject* parent) : QObject(parent) {
    if (folder.isEmpty())
        return;
    // A socket's address has room for about 100 bytes: a named countdown goes by its short key.
    const QString stem = countdownName.isEmpty() ? QStringLiteral("/peltra")
                                                 : QStringLiteral("/peltra-") + CountdownName::shortKey(countdownName);
    lockPath = folder + stem + QStringLiteral(".lock");
    address = folder + stem;
}

SingleInstance::~SingleInstance() {
    if (listeningDescriptor >= 0)
        ::close(listeningDescriptor);
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
            markLock(listen());
            return Start::First;
        }
        if (askRunningToShow(int(deadline.remainingTime())))
            return Start::HandedOver;
        if (holderIsUnreachable())
            return Start::Unreachable;
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
    sockaddr_un where{};
    if (!socketAddress(address, where))
        return false;
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (descriptor < 0)
        return false;
    // Whatever is at the address was left by a program that died: the lock is ours.
    ::unlink(where.sun_path);
    if (::bind(descriptor, reinterpret_cast<const sockaddr*>(&where), sizeof where) != 0 ||
        ::listen(descriptor, 4) != 0) {
        ::close(descriptor);
        return false;
    }
    listeningDescriptor = descriptor;
    auto* connections = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(connections, &QSocketNotifier::activated, this, &SingleInstance::takeConnections);
    return true;
}

namespace {
constexpr char unreachableMark[] = "unreachable\n";
}

void SingleInstance::markLock(bool listening) {
    if (::ftruncate(lockDescriptor, 0) != 0)
        return;
    if (!listening)
        (void)!::pwrite(lockDescriptor, unreachableMark, sizeof unreachableMark - 1, 0);
}

bool SingleInstance::holderIsUnreachable() const {
    char mark[sizeof unreachableMark] = {};
    const ssize_t got = ::pread(lockDescriptor, mark, sizeof mark - 1, 0);
    return got == ssize_t(sizeof unreachableMark - 1) && std::strcmp(mark, unreachableMark) == 0;
}

bool SingleInstance::askRunningToShow(int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    sockaddr_un where{};
    if (!socketAddress(address, where))
        return false;
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        return false;
    const bool answered = ::connect(descriptor, reinterpret_cast<const sockaddr*>(&where), sizeof where) == 0 &&
                          PrivateRuntimeFolder::peerIsCurrentUser(descriptor) && writeAll(descriptor, showRequest) &&
                          readLine(descriptor, deadline) == accepted;
    ::close(descriptor);
    return answered;
}

void SingleInstance::takeConnections() {
    bool asked = false;
    for (;;) {
        const int client = ::accept4(listeningDescriptor, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            break;
        // Only a start of the same user is heard; it writes its line as soon as it is connected.
        if (PrivateRuntimeFolder::peerIsCurrentUser(client) &&
            readLine(client, QDeadlineTimer(requestTimeoutMs)) == showRequest) {
            writeAll(client, accepted);
            asked = true;
        }
        ::close(client);
    }
    if (asked)
        emit showRequested();
}
