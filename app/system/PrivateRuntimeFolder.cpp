#include "app/system/PrivateRuntimeFolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

QString PrivateRuntimeFolder::path() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivate(runtime))
        return QDir::cleanPath(runtime);
    // Another user may have made this name first: then it fails the check and we go without.
    const QString own = QDir::tempPath() + QStringLiteral("/peltra-%1").arg(::geteuid());
    const QByteArray encoded = QFile::encodeName(own);
    if (::mkdir(encoded.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    return isPrivate(own) ? own : QString();
}

bool PrivateRuntimeFolder::isPrivate(const QString& folder) {
    struct stat status {};
    if (::lstat(QFile::encodeName(folder).constData(), &status) != 0)
        return false;
    return S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() && (status.st_mode & 07777) == 0700;
}

bool PrivateRuntimeFolder::peerIsCurrentUser(qintptr socketDescriptor) {
    struct ucred peer {};
    socklen_t size = sizeof peer;
    if (::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer)
        return false;
    return peer.uid == ::geteuid();
}
