#pragma once

#include "app/core/HelpRequest.h"

#include <QObject>

class QLocalServer;
class QLocalSocket;

// The running viewer listens at a per-user address; a viewer started later hands its request over
// and ends, so there is one viewer window however often help is asked for.
class HelpServer : public QObject {
    Q_OBJECT

public:
    explicit HelpServer(QString name, QObject* parent = nullptr);

    // Starts listening, taking over an address left behind by a viewer that died. False when a
    // live viewer holds the address.
    bool listen();
    [[nodiscard]] QString name() const { return serverName; }

    // Hands the request to the viewer listening at the name; true once it has taken it.
    static bool sendToRunning(const QString& name, const HelpRequest& request, int timeoutMs = 3000);
    // The current user's address, in the user's private folder; empty when there is none to be had.
    static QString defaultName();

    // The longest request line taken; anything longer is dropped.
    static constexpr qint64 maximumMessageSize = qint64(64) * 1024;

signals:
    void requestReceived(const HelpRequest& request);

private:
    void takeConnection();
    void readRequest(QLocalSocket* socket);

    QString serverName;
    QLocalServer* server = nullptr;
};
