#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a session manager, "kill", Ctrl+C, a closed terminal) arrive as a
// Qt signal on the event loop, where the program can save and end in order. The handler itself
// only writes the signal's number into a socket pair. One per process.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* notifier = nullptr;
};
