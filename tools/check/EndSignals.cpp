#include "EndSignals.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vantor::tools {

namespace {

// The write end of the pair for the handler; a handler may do little more than write(2).
int s_pipe[2] = {-1, -1};

void writeSignal(int signal)
{
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[0], &number, 1);
}

} // namespace

EndSignals::EndSignals(std::function<void(int)> onSignal)
    : m_onSignal(std::move(onSignal))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_pipe) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(s_pipe[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &EndSignals::onReadable);
    struct sigaction action = {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT})
        ::sigaction(signal, &action, nullptr);
}

EndSignals::~EndSignals()
{
    for (const int signal : {SIGTERM, SIGINT})
        std::signal(signal, SIG_DFL);
    m_notifier.reset();
    for (int& fd : s_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void EndSignals::onReadable()
{
    unsigned char number = 0;
    if (::read(s_pipe[1], &number, 1) != 1)
        return;
    if (m_received == 0)
        m_received = number;
    m_onSignal(number);
}

} // namespace vantor::tools
