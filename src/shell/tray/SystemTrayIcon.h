// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/tray/TrayIcon.h"

class QSystemTrayIcon;
class QTimer;

namespace kvel {

// The tray icon through QSystemTrayIcon. Tray hosts often start after the
// programs of a session, and may restart: availability is watched so the
// icon can be put back.
class SystemTrayIcon final : public TrayIcon
{
    Q_OBJECT
public:
    explicit SystemTrayIcon(QObject* parent = nullptr);

    bool isAvailable() const override;
    void show(bool barHidden, const QString& tip) override;
    void remove() override;
    bool isShown() const override;
    bool isEmbedded() const override;
    void showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                     int timeoutMs) override;

private:
    void checkAvailability();

    QSystemTrayIcon* m_icon;
    QTimer* m_watch;
    bool m_available;
};

} // namespace kvel
