// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

namespace kvel {

// Some programs set the clipboard several times for one copy, and on a
// Wayland desktop one copy can arrive both through XWayland and through data
// control. The texts of such a burst are gathered, and only the last one is
// handed on once the clipboard has been quiet for a moment.
class ClipboardBurst : public QObject
{
    Q_OBJECT

public:
    explicit ClipboardBurst(std::chrono::milliseconds quiet, QObject* parent = nullptr);

    void add(const QString& text);
    // Forgets a text still waiting, as when watching stops.
    void clear();
    bool isPending() const { return m_timer.isActive(); }

signals:
    void settled(const QString& text);

private:
    QTimer m_timer;
    QString m_last;
};

} // namespace kvel
