#include "app/system/WallClockWatcher.h"

#include <QAbstractEventDispatcher>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSocketNotifier>

#include <cerrno>
#include <climits>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

qint64 msecsOf(clockid_t clock) {
    timespec now{};
    ::clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

WallClockWatcher::WallClockWatcher(const QString& zoneFile, QObject* parent) : QObject(parent), zoneFile(zoneFile) {
    timerFd = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timerFd >= 0) {
        armTimer();
        timerNotifier = new QSocketNotifier(timerFd, QSocketNotifier::Read, this);
        connect(timerNotifier, &QSocketNotifier::activated, this, &WallClockWatcher::readTimer);
    }
    if (!zoneFile.isEmpty()) {
        zone = zoneIdentity();
        zoneWatcher = new QFileSystemWatcher(this);
        zoneWatcher->addPath(QFileInfo(zoneFile).path());
        connect(zoneWatcher, &QFileSystemWatcher::directoryChanged, this, &WallClockWatcher::zoneFolderChanged);
    }
    check.moved(msecsOf(CLOCK_REALTIME), bootClockMsecs(), msecsOf(CLOCK_MONOTONIC));
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::awake, this, &WallClockWatcher::lookAtClocks);
}

WallClockWatcher::~WallClockWatcher() {
    delete timerNotifier;
    if (timerFd >= 0)
        ::close(timerFd);
}

qint64 WallClockWatcher::bootClockMsecs() {
    return msecsOf(CLOCK_BOOTTIME);
}

void WallClockWatcher::armTimer() {
    // A deadline that never comes: only its cancellation is wanted.
    itimerspec never{};
    never.it_value.tv_sec = LONG_MAX;
    ::timerfd_settime(timerFd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &never, nullptr);
}

void WallClockWatcher::readTimer() {
    quint64 expirations = 0;
    if (::read(timerFd, &expirations, sizeof expirations) < 0 && errno == ECANCELED) {
        armTimer();
        check.moved(msecsOf(CLOCK_REALTIME), bootClockMsecs(), msecsOf(CLOCK_MONOTONIC));
        emit jumped();
    }
}

void WallClockWatcher::lookAtClocks() {
    if (check.moved(msecsOf(CLOCK_REALTIME), bootClockMsecs(), msecsOf(CLOCK_MONOTONIC)))
        emit jumped();
}

QString WallClockWatcher::zoneIdentity() const {
    // The zone file that the link names, with its own identity: a new link or a new copy.
    const QFileInfo link(zoneFile);
    const QFileInfo target(link.canonicalFilePath());
    return link.symLinkTarget() + u'|' + QString::number(target.lastModified().toMSecsSinceEpoch()) + u'|' +
           QString::number(target.size()) + u'|' + QString::number(link.lastModified().toMSecsSinceEpoch());
}

void WallClockWatcher::zoneFolderChanged() {
    const QString now = zoneIdentity();
    if (now == zone)
        return;
    zone = now;
    // The C library reads the zone again at its next conversion; Qt's local time goes through it.
    ::tzset();
    emit jumped();
}
