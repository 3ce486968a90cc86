#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Signals[] = {SIGTERM, SIGHUP, SIGINT};

// The handler may only do async-signal-safe work: it writes the signal's number into a
// socket pair whose other end the event loop watches.
int signalPipe[2] = {-1, -1};

void onSignal(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

// The signals act as usual again and the socket pair is closed. Returns the signal that
// came and was not yet told, or 0.
int stopCatching()
{
    for (int signal : Signals)
        std::signal(signal, SIG_DFL);
    char byte = 0;
    const bool arrived = ::recv(signalPipe[1], &byte, 1, MSG_DONTWAIT) == 1;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
    return arrived ? byte : 0;
}

} // namespace

void TerminationSignals::catchEarly()
{
    if (signalPipe[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : Signals)
        sigaction(signal, &action, nullptr);
}

void TerminationSignals::release()
{
    if (signalPipe[0] < 0)
        return;
    if (const int pending = stopCatching())
        std::raise(pending);
}

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    catchEarly();
    if (signalPipe[1] < 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[1], &byte, 1);
        emit terminationRequested();
    });
    // A signal caught before this object existed waits in the socket: the notifier tells
    // it as soon as the event loop runs.
}

TerminationSignals::~TerminationSignals()
{
    delete notifier_;
    stopCatching();
}
