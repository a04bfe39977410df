#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalCount = int(sizeof kSignals / sizeof kSignals[0]);

// The pipe's ends and the handlers found before ours; -1 while nobody watches.
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[kSignalCount];

extern "C" void WriteSignalNumber(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // A full pipe already holds a request to end: this one may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

QString SignalName(int number) {
    switch (number) {
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    default:
        return QStringLiteral("signal %1").arg(number);
    }
}

void ClosePipe() {
    for (int& end : g_pipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    // A system call the signal interrupts goes on; the request is handled by the event loop.
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        if (::sigaction(kSignals[i], &action, &g_previous[i]) != 0) {
            for (int j = 0; j < i; ++j)
                ::sigaction(kSignals[j], &g_previous[j], nullptr);
            ClosePipe();
            return;
        }
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
}

TerminationSignals::~TerminationSignals() {
    if (!m_notifier)
        return;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    delete m_notifier;
    ClosePipe();
}

void TerminationSignals::readPipe() {
    unsigned char numbers[16];
    ssize_t count;
    while ((count = ::read(g_pipe[0], numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < count; ++i)
            emit requested(SignalName(numbers[i]));
    }
}

} // namespace platform
