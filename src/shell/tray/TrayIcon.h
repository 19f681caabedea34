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

signals:
    void leftClicked();
    void rightClicked(QPoint globalPos);
    // A tray host appeared (or restarted) or went away.
    void availabilityChanged(bool available);
};

} // namespace kvel
