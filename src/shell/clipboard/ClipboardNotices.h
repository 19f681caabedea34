// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

namespace kvel {

// Reading the clipboard is a round trip to the program that owns it, so the
// watcher does not read at every change notice: a program that re-takes the
// clipboard in a loop would queue thousands of reads and freeze the bar.
// Notices are gathered instead; `settled` comes once they have been quiet for
// a moment, and at the latest a while after the first notice of a run, so
// that a clipboard that never stops changing is still read now and then.
class ClipboardNotices : public QObject
{
    Q_OBJECT

public:
    ClipboardNotices(std::chrono::milliseconds quiet, std::chrono::milliseconds longest,
                     QObject* parent = nullptr);

    void notice();
    void clear();
    bool isPending() const { return m_timer.isActive(); }

signals:
    void settled();

private:
    void settle();

    const std::chrono::milliseconds m_quiet;
    const std::chrono::milliseconds m_longest;
    QTimer m_timer;
    QElapsedTimer m_sinceFirst;
};

} // namespace kvel
