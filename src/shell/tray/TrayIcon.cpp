// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/tray/TrayIcon.h"

#include <QTimer>
#include <utility>

namespace kvel {

namespace {

// Hosts give no signal a program can wait on portably, so the icon is looked
// at this often while a balloon waits.
constexpr int kEmbedPollMs = 50;

} // namespace

TrayIcon::TrayIcon(QObject* parent, std::chrono::milliseconds embedWait)
    : QObject(parent), m_embedWait(embedWait), m_embedPoll(new QTimer(this))
{
    m_embedPoll->setInterval(kEmbedPollMs);
    connect(m_embedPoll, &QTimer::timeout, this, [this] {
        if (isEmbedded() || std::chrono::milliseconds(m_waited.elapsed()) >= m_embedWait)
            showWaitingNotices();
    });
}

void TrayIcon::showNotice(const QString& title, const QString& text, BalloonIcon icon)
{
    m_waiting.append({title.left(63), text.left(255), icon});
    if (m_waiting.size() > 1)
        return; // the first one's wait goes on
    if (isEmbedded()) {
        showWaitingNotices();
        return;
    }
    m_waited.start();
    m_embedPoll->start();
}

void TrayIcon::showWaitingNotices()
{
    m_embedPoll->stop();
    // In the order asked for: each new balloon replaces the one before.
    for (const Notice& notice : std::exchange(m_waiting, {}))
        showBalloon(notice.title, notice.text, notice.icon, kBalloonTimeoutMs);
}

} // namespace kvel
