// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <chrono>

class QTimer;

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

    // How long the bar's balloons stay.
    static constexpr int kBalloonTimeoutMs = 15000;
    // How long a balloon waits for the tray to take a new icon in.
    static constexpr std::chrono::milliseconds kEmbedWait{2500};

    explicit TrayIcon(QObject* parent = nullptr, std::chrono::milliseconds embedWait = kEmbedWait);

    // Whether the desktop has a tray right now; it may come and go.
    virtual bool isAvailable() const = 0;
    // Adds the icon, or changes it when it is there: the hidden-bar or shown-bar picture.
    virtual void show(bool barHidden, const QString& tip) = 0;
    virtual void remove() = 0;
    virtual bool isShown() const = 0;
    // Whether the tray host has taken the shown icon in, so that a balloon
    // shows beside it; true where the desktop places balloons itself.
    virtual bool isEmbedded() const = 0;
    virtual void showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                             int timeoutMs) = 0;

    // A balloon of the bar's: tray hosts show at most 63 characters of title and
    // 255 of text, so longer ones are cut here rather than by each host. A host
    // takes a new icon in a moment after it is added, and a balloon asked for
    // before then shows in the screen's corner: it waits for the icon, within
    // a short limit.
    void showNotice(const QString& title, const QString& text, BalloonIcon icon);

signals:
    void leftClicked();
    void rightClicked(QPoint globalPos);
    // A tray host appeared (or restarted) or went away.
    void availabilityChanged(bool available);

private:
    struct Notice
    {
        QString title;
        QString text;
        BalloonIcon icon;
    };

    void showWaitingNotices();

    const std::chrono::milliseconds m_embedWait;
    QTimer* m_embedPoll;
    QElapsedTimer m_waited;
    QList<Notice> m_waiting;
};

} // namespace kvel
