#include "SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int kRetryPauseMs = 50;
constexpr qint64 kMaxRequestLine = 16;

std::optional<InstanceRequest> parseRequest(const QByteArray& line)
{
    bool ok = false;
    const int number = line.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    for (const auto request :
         {InstanceRequest::ToggleBar, InstanceRequest::LookUpHandOver, InstanceRequest::Quit}) {
        if (number == int(request))
            return request;
    }
    return std::nullopt;
}

} // namespace

SingleInstance::SingleInstance(QString runtimeDir, QString sessionName, QObject* parent)
    : QObject(parent), m_runtimeDir(std::move(runtimeDir)), m_sessionName(std::move(sessionName)),
      m_lock(lockPath())
{
    // The lock is held for the whole life of the program, so it must never go
    // stale by age; a lock left by a killed instance is still taken over,
    // because QLockFile sees that its process is gone.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
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
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    display.replace(QRegularExpression(u"[^A-Za-z0-9.:_-]"_s), u"_"_s);
    display.replace(u':', u'_');
    return u"notkvel-"_s + (display.isEmpty() ? u"nodisplay"_s : display);
}

QString SingleInstance::currentRuntimeDir()
{
    const QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!dir.isEmpty() && QDir(dir).exists())
        return dir;
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

bool SingleInstance::becomePrimary()
{
    QDir().mkpath(m_runtimeDir);
    if (!m_lock.tryLock(0))
        return false;
    // Only the lock holder may clear a socket left behind by a crashed instance.
    QLocalServer::removeServer(socketPath());
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return m_server->listen(socketPath());
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxRequestLine)
                    socket->abort();
                return;
            }
            const std::optional<InstanceRequest> request =
                parseRequest(socket->readLine(kMaxRequestLine));
            socket->disconnectFromServer();
            if (request)
                emit requestReceived(*request);
        });
    }
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
