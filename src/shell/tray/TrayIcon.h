// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QPoint>

namespace kvel {

// The bar's icon in the desktop's tray, behind an interface so the bar's tray
// logic can be tested without a tray host.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    enum class BalloonIcon
    {
        Information,
        Warning
    };

    using QObject::QObject;

    // Whether the desktop has a tray right now; it may come and go.
    virtual bool isAvailable() const = 0;
    // Adds the icon, or changes it when it is there: the hidden-bar or shown-bar picture.
    virtual void show(bool barHidden, const QString& tip) = 0;
    virtual void remove() = 0;
    virtual bool isShown() const = 0;
    virtual void showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                             int timeoutMs) = 0;

    // How long the bar's balloons stay.
    static constexpr int kBalloonTimeoutMs = 15000;
    // A balloon of the bar's: tray hosts show at most 63 characters of title and
    // 255 of text, so longer ones are cut here rather than by each host.
    void showNotice(const QString& title, const QString& text, BalloonIcon icon)
    {
        showBalloon(title.left(63), text.left(255), icon, kBalloonTimeoutMs);
    }

signals:
    void leftClicked();
    void rightClicked(QPoint globalPos);
    // A tray host appeared (or restarted) or went away.
    void availabilityChanged(bool available);
};

} // namespace kvel
