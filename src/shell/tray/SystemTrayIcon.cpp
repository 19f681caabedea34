// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/tray/SystemTrayIcon.h"

#include <QCursor>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int kAvailabilityPollMs = 2000;

} // namespace

SystemTrayIcon::SystemTrayIcon(QObject* parent)
    : TrayIcon(parent), m_icon(new QSystemTrayIcon(this)), m_watch(new QTimer(this)),
      m_available(QSystemTrayIcon::isSystemTrayAvailable())
{
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    emit leftClicked();
                else if (reason == QSystemTrayIcon::Context)
                    emit rightClicked(QCursor::pos());
            });
    connect(m_watch, &QTimer::timeout, this, &SystemTrayIcon::checkAvailability);
    m_watch->start(kAvailabilityPollMs);
}

void SystemTrayIcon::checkAvailability()
{
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available == m_available)
        return;
    m_available = available;
    emit availabilityChanged(available);
}

bool SystemTrayIcon::isAvailable() const
{
    return m_available;
}

void SystemTrayIcon::show(bool barHidden, const QString& tip)
{
    m_icon->setIcon(QIcon(barHidden ? u":/kvel/images/31020.svg"_s : u":/kvel/images/31021.svg"_s));
    m_icon->setToolTip(tip);
    m_icon->show();
}

void SystemTrayIcon::remove()
{
    m_icon->hide();
}

bool SystemTrayIcon::isShown() const
{
    return m_icon->isVisible();
}

void SystemTrayIcon::showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                                 int timeoutMs)
{
    m_icon->showMessage(title, text,
                        icon == BalloonIcon::Warning ? QSystemTrayIcon::Warning
                                                     : QSystemTrayIcon::Information,
                        timeoutMs);
}

} // namespace kvel
