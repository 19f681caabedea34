// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/instance/InstanceRequest.h"

#include <QList>
#include <QLockFile>
#include <QObject>
#include <QTimer>
#include <memory>
#include <sys/types.h>

class QLocalServer;
class QLocalSocket;

namespace kvel {

// One Kvel per desktop session: a lock file guards the instance socket, both in
// the runtime folder and named after "notkvel" and the display, so a program on
// another display (a test's own X server) never reaches this one.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // Any program of the user can connect: each connection gets a short
    // deadline, and past this many open ones the oldest is closed, so idle
    // connections never use up the program's descriptors and a request sent
    // after a flood of them still gets through.
    static constexpr int kMaxConnections = 32;
    static constexpr int kConnectionDeadlineMs = 2000;
    // How often the socket is checked: a socket file deleted or replaced, or a
    // server Qt closed after a failed accept, is listened on again.
    static constexpr int kListenCheckMs = 1000;

    explicit SingleInstance(QString runtimeDir, QString sessionName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and listens; false when another instance holds the lock.
    // A socket that cannot be listened on yet is tried again every check.
    bool becomePrimary();
    bool isListening() const;
    int openConnections() const { return int(m_connections.size()); }
    void setConnectionDeadline(int milliseconds) { m_connectionDeadlineMs = milliseconds; }

    // Delivers a request to the instance holding the lock. It may still be
    // starting, so a refused connection is tried again for a short while.
    bool sendToPrimary(InstanceRequest request, int timeoutMs = 3000);

    QString socketPath() const;
    QString lockPath() const;

    // The session name for the current display: "notkvel-<display>".
    static QString currentSessionName();

signals:
    void requestReceived(kvel::InstanceRequest request);

private:
    void listen();
    void keepListening();
    bool socketFileIsOurs() const;
    void acceptConnections();
    void serve(QLocalSocket* socket);
    void drop(QLocalSocket* socket);

    QString m_runtimeDir;
    QString m_sessionName;
    QLockFile m_lock;
    QTimer m_listenCheck;
    QList<QLocalSocket*> m_connections; // oldest first
    int m_connectionDeadlineMs = kConnectionDeadlineMs;
    bool m_listenFailed = false;
    dev_t m_socketDevice = 0;
    ino_t m_socketInode = 0;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace kvel
