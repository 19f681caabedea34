// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/instance/SingleInstance.h"

#include "shell/instance/SessionName.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int kRetryPauseMs = 50;

} // namespace

SingleInstance::SingleInstance(QString runtimeDir, QString sessionName, QObject* parent)
    : QObject(parent), m_runtimeDir(std::move(runtimeDir)), m_sessionName(std::move(sessionName)),
      m_lock(lockPath())
{
    // The lock is held for the whole life of the program, so it must never go
    // stale by age; a lock left by a killed instance is still taken over,
    // because QLockFile sees that its process is gone.
    m_lock.setStaleLockTime(0);
    m_listenCheck.setInterval(kListenCheckMs);
    connect(&m_listenCheck, &QTimer::timeout, this, &SingleInstance::keepListening);
}

SingleInstance::~SingleInstance()
{
    // The connections go with the server, while this object is still whole.
    if (m_server)
        m_server->close();
    m_server.reset();
}

QString SingleInstance::socketPath() const
{
    return QDir(m_runtimeDir).filePath(m_sessionName + u".socket"_s);
}

QString SingleInstance::lockPath() const
{
    return QDir(m_runtimeDir).filePath(m_sessionName + u".lock"_s);
}

QString SingleInstance::currentSessionName()
{
    return sessionName(qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"));
}

bool SingleInstance::becomePrimary()
{
    QDir().mkpath(m_runtimeDir);
    if (!m_lock.tryLock(0))
        return false;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    listen();
    m_listenCheck.start();
    return true;
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstance::listen()
{
    m_server->close();
    QDir().mkpath(m_runtimeDir);
    // Only the lock holder may clear a socket left behind by a crashed instance.
    QLocalServer::removeServer(socketPath());
    if (!m_server->listen(socketPath())) {
        // Said once, not at every check while it lasts.
        if (!m_listenFailed)
            qWarning("kvel: cannot listen on %s: %s", qPrintable(socketPath()),
                     qPrintable(m_server->errorString()));
        m_listenFailed = true;
        return;
    }
    m_listenFailed = false;
    struct stat info
    {
    };
    if (::lstat(QFile::encodeName(socketPath()).constData(), &info) == 0) {
        m_socketDevice = info.st_dev;
        m_socketInode = info.st_ino;
    }
}

bool SingleInstance::socketFileIsOurs() const
{
    struct stat info
    {
    };
    return ::lstat(QFile::encodeName(socketPath()).constData(), &info) == 0 &&
           S_ISSOCK(info.st_mode) && info.st_dev == m_socketDevice && info.st_ino == m_socketInode;
}

void SingleInstance::keepListening()
{
    if (!m_server->isListening() || !socketFileIsOurs())
        listen();
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        // The oldest has had the most time to send its request.
        if (m_connections.size() >= kMaxConnections)
            drop(m_connections.takeFirst());
        serve(socket);
    }
}

void SingleInstance::drop(QLocalSocket* socket)
{
    // Nothing more is read from it: its end is no end of a request.
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void SingleInstance::serve(QLocalSocket* socket)
{
    m_connections.append(socket);
    connect(socket, &QObject::destroyed, this, [this, socket] { m_connections.removeOne(socket); });

    auto received = std::make_shared<QByteArray>();
    auto finished = std::make_shared<bool>(false);
    const auto finish = [socket, finished] {
        *finished = true;
        socket->abort();
        socket->deleteLater();
    };
    const auto consider = [this, socket, received, finished, finish](bool streamEnded) {
        if (*finished)
            return;
        *received += socket->read(kMaxRequestBytes - received->size());
        const RequestReading reading = readInstanceRequest(*received, streamEnded);
        if (reading.state == RequestReading::State::Incomplete &&
            received->size() < kMaxRequestBytes)
            return;
        finish();
        if (reading.state == RequestReading::State::Complete)
            emit requestReceived(reading.request);
    };
    connect(socket, &QLocalSocket::readyRead, this, [consider] { consider(false); });
    connect(socket, &QLocalSocket::disconnected, this, [consider] { consider(true); });
    QTimer::singleShot(m_connectionDeadlineMs, socket, finish);
    // Bytes and the end may have come before the connection was taken.
    if (socket->bytesAvailable() > 0)
        consider(false);
    if (socket->state() == QLocalSocket::UnconnectedState)
        consider(true);
}

bool SingleInstance::sendToPrimary(InstanceRequest request, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime())))) {
            socket.write(QByteArray::number(int(request)) + '\n');
            const bool sent =
                socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())));
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(100);
            return sent;
        }
        QThread::msleep(kRetryPauseMs);
    }
    return false;
}

} // namespace kvel
