// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace kvel {

// A Linux desktop ends a session by sending SIGTERM or SIGHUP to its programs.
// This turns those signals into a Qt signal on the user-interface thread, so
// the program can save its settings and quit cleanly.
class SessionEndWatcher : public QObject
{
    Q_OBJECT
public:
    explicit SessionEndWatcher(QObject* parent = nullptr);
    ~SessionEndWatcher() override;

signals:
    void sessionEnding();

private:
    static void onSignal(int);
    static int s_pipe[2];
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kvel
