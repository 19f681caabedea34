// SPDX-License-Identifier: GPL-2.0-or-later
#include "PrivateSessionBus.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace kvel::test {

namespace {

constexpr int kStartMs = 10000;

QString busConfig(const QString& socketDir)
{
    return uR"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)"_s.arg(socketDir);
}

} // namespace

PrivateSessionBus::PrivateSessionBus()
{
    const QString config = m_dir.filePath(u"bus.conf"_s);
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(busConfig(m_dir.path()).toUtf8()) < 0)
        return;
    file.close();
    m_daemon.start(u"dbus-daemon"_s,
                   {u"--config-file="_s + config, u"--nofork"_s, u"--print-address=1"_s});
    if (!m_daemon.waitForStarted(kStartMs))
        return;
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(kStartMs)) {
    }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

PrivateSessionBus::~PrivateSessionBus()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        m_daemon.waitForFinished(kStartMs);
    }
}

QDBusConnection PrivateSessionBus::connect(const QString& connectionName) const
{
    return QDBusConnection::connectToBus(m_address, connectionName);
}

} // namespace kvel::test
