// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/session/SessionEndWatcher.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kvel {

int SessionEndWatcher::s_pipe[2] = {-1, -1};

void SessionEndWatcher::onSignal(int)
{
    // Only async-signal-safe work here: the notifier picks the byte up.
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(s_pipe[0], &byte, 1);
}

SessionEndWatcher::SessionEndWatcher(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_pipe) != 0)
        return;
    m_notifier = new QSocketNotifier(s_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const auto read = ::read(s_pipe[1], &byte, 1);
        emit sessionEnding();
    });
    struct sigaction action
    {
    };
    action.sa_handler = &SessionEndWatcher::onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

SessionEndWatcher::~SessionEndWatcher()
{
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    if (s_pipe[0] >= 0) {
        ::close(s_pipe[0]);
        ::close(s_pipe[1]);
        s_pipe[0] = s_pipe[1] = -1;
    }
}

} // namespace kvel
