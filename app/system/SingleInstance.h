#pragma once

#include <QObject>
#include <QString>

// One countdown per user. The first program holds a lock in the user's private folder and
// listens at an address beside it; a later start asks it to show its window and ends, so no
// second window writes the same settings file.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // In the user's private folder; an empty folder (none to be had) means no guard at all.
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Start {
        First,      // this program goes on, and listens for later starts
        HandedOver, // a running program took the request to show its window: end with status 0
        NoAnswer    // a program holds the lock but does not answer (stopped or hung)
    };
    // Decides, racing safely with starts at the same moment.
    Start claim(int timeoutMs = 5000);

    static constexpr const char* showRequest = "show\n";
    static constexpr const char* accepted = "ok\n";

signals:
    // A later start asked for the window.
    void showRequested();

private:
    bool lock();
    bool listen();
    bool askRunningToShow(int timeoutMs) const;
    void takeConnections();

    QString lockPath;
    QString address;
    int lockDescriptor = -1;
    int listeningDescriptor = -1;
};
