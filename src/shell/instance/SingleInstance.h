#pragma once

#include "InstanceRequest.h"

#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;

namespace kvel {

// One Kvel per desktop session: a lock file guards the instance socket, both in
// the runtime folder and named after "notkvel" and the display, so a program on
// another display (a test's own X server) never reaches this one.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(QString runtimeDir, QString sessionName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and listens; false when another instance holds the lock.
    bool becomePrimary();

    // Delivers a request to the instance holding the lock. It may still be
    // starting, so a refused connection is tried again for a short while.
    bool sendToPrimary(InstanceRequest request, int timeoutMs = 3000);

    QString socketPath() const;
    QString lockPath() const;

    // The session name for the current display: "notkvel-<display>".
    static QString currentSessionName();
    // $XDG_RUNTIME_DIR, or Qt's runtime folder when it is not set.
    static QString currentRuntimeDir();

signals:
    void requestReceived(kvel::InstanceRequest request);

private:
    void acceptConnections();

    QString m_runtimeDir;
    QString m_sessionName;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace kvel
