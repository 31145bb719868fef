#pragma once

#include <QObject>
#include <QString>

// One program per countdown and user. The first program of a countdown holds a lock in the user's
// private folder and listens at an address beside it; a later start of the same countdown asks it to
// show its window and ends, so no second window writes the same settings file. Countdowns of other
// names have locks and addresses of their own.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // In the user's private folder; an empty folder (none to be had) means no guard at all. An empty
    // name is the default countdown.
    explicit SingleInstance(const QString& folder, const QString& countdownName = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Start {
        First,      // this program goes on, and listens for later starts
        HandedOver, // a running program took the request to show its window: end with status 0
        NoAnswer,   // a program holds the lock but does not answer (stopped or hung)
        Unreachable // a program holds the lock but could not make its address: nothing can reach it
    };
    // Decides, racing safely with starts at the same moment.
    Start claim(int timeoutMs = 5000);

    // Whether this program, having claimed the first place, can be reached by later starts.
    [[nodiscard]] bool isListening() const { return listeningDescriptor >= 0; }

    static constexpr const char* showRequest = "show\n";
    static constexpr const char* accepted = "ok\n";

signals:
    // A later start asked for the window.
    void showRequested();

private:
    bool lock();
    bool listen();
    // The lock file tells later starts whether its holder could listen: they need not wait for it.
    void markLock(bool listening);
    [[nodiscard]] bool holderIsUnreachable() const;
    [[nodiscard]] bool askRunningToShow(int timeoutMs) const;
    void takeConnections();

    QString lockPath;
    QString address;
    int lockDescriptor = -1;
    int listeningDescriptor = -1;
};
