#pragma once

#include <QString>

// The folder where the user's sockets live: one that only the user can enter, so that nobody else
// can take an address first or swap it for a link. XDG_RUNTIME_DIR when it is such a folder,
// otherwise a folder of our own under the temporary folder.
class PrivateRuntimeFolder {
public:
    // Empty when no such folder can be had; the caller then goes on without its socket.
    static QString path();
    // A real folder (not a link), owned by the current user, mode 0700.
    static bool isPrivate(const QString& folder);
    // Whether the other end of a connected local socket runs as the current user.
    static bool peerIsCurrentUser(qintptr socketDescriptor);
};
