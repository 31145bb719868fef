#include "app/system/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::array<int, 2> signalPair{-1, -1};
constexpr std::array handledSignals{SIGTERM, SIGINT, SIGHUP};

void writeSignal(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(signalPair[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPair.data()) != 0)
        return; // the default actions stay: the program ends without saving
    notifier = new QSocketNotifier(signalPair[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : handledSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (notifier)
        notifier->setEnabled(false);
    for (const int signalNumber : handledSignals)
        std::signal(signalNumber, SIG_DFL);
    ::close(signalPair[0]);
    ::close(signalPair[1]);
    signalPair = {-1, -1};
}

void TerminationSignals::readSignal() {
    unsigned char byte = 0;
    if (::read(signalPair[1], &byte, 1) == 1)
        emit received(byte);
}
