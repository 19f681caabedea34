// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/OfferReader.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kvel {

OfferReader::OfferReader(int fd, qsizetype limit, QObject* parent)
    : QObject(parent), m_fd(fd), m_limit(limit), m_notifier(fd, QSocketNotifier::Read)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    connect(&m_notifier, &QSocketNotifier::activated, this, &OfferReader::readAvailable);
}

OfferReader::~OfferReader()
{
    close();
}

void OfferReader::readAvailable()
{
    char buffer[4096];
    while (m_fd >= 0) {
        const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (count < 0) {
            close();
            return;
        }
        m_data.append(buffer, std::min<qsizetype>(count, m_limit - m_data.size()));
        if (count == 0 || m_data.size() >= m_limit) {
            close();
            emit finished(m_data);
            return;
        }
    }
}

void OfferReader::close()
{
    if (m_fd < 0)
        return;
    m_notifier.setEnabled(false);
    ::close(m_fd);
    m_fd = -1;
}

} // namespace kvel
