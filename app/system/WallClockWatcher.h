#pragma once

#include "app/core/WallClockCheck.h"

#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QSocketNotifier;

// Tells when the wall clock jumps or the time zone changes, without waking the program otherwise:
// - the kernel cancels a timerfd on CLOCK_REALTIME armed with TFD_TIMER_CANCEL_ON_SET when the clock
//   is set, and on every resume from suspend;
// - at each wake-up of the event loop the wall clock is compared with the boot clock, which also
//   catches clocks that the kernel never hears of (a clock faked inside the process);
// - the zone file (/etc/localtime, where no TZ in the environment names another zone) is watched
//   through its folder, for the link or the file being replaced.
class WallClockWatcher : public QObject {
    Q_OBJECT
public:
    // zoneFile: the file that gives the local zone, or empty where the zone cannot change.
    explicit WallClockWatcher(const QString& zoneFile, QObject* parent = nullptr);
    ~WallClockWatcher() override;

    // Milliseconds of CLOCK_BOOTTIME.
    static qint64 bootClockMsecs();

signals:
    void jumped();

private:
    void armTimer();
    void readTimer();
    void lookAtClocks();
    void zoneFolderChanged();
    [[nodiscard]] QString zoneIdentity() const;

    int timerFd = -1;
    QSocketNotifier* timerNotifier = nullptr;
    QFileSystemWatcher* zoneWatcher = nullptr;
    QString zoneFile;
    QString zone;
    WallClockCheck check;
};
