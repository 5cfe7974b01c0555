#include "cli/stopsignals.h"

#include <csignal>
#include <fcntl.h>
#include <QSocketNotifier>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void forwardSignal(int signal)
{
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
}

} // namespace

StopSignals::StopSignals(std::function<void(int)> onStop, QObject *parent)
    : QObject(parent), m_onStop(std::move(onStop)), m_notifier(nullptr)
{
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

StopSignals::~StopSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

void StopSignals::readSignal()
{
    unsigned char number = 0;
    while (::read(signalPipe[0], &number, 1) == 1) {
        if (m_stopping)
            ::_exit(128 + number);
        m_stopping = true;
        m_onStop(number);
    }
}
