// SPDX-License-Identifier: GPL-2.0-or-later
#include "FakePortal.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QMutexLocker>

using namespace Qt::StringLiterals;

namespace kvel::test {

namespace {

const QString kDesktopPath = u"/org/freedesktop/portal/desktop"_s;

QList<PortalShortcut> shortcutsOf(const QVariant& value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QList<PortalShortcut>>(value.value<QDBusArgument>());
    return value.value<QList<PortalShortcut>>();
}

} // namespace

FakePortal::FakePortal(const QDBusConnection& bus) : m_bus(bus)
{
    registerPortalTypes();
}

bool FakePortal::publish()
{
    return m_bus.registerObject(kDesktopPath, this,
                                QDBusConnection::ExportAllSlots |
                                    QDBusConnection::ExportAllProperties) &&
           m_bus.registerService(u"org.freedesktop.portal.Desktop"_s);
}

bool FakePortal::restart()
{
    return m_bus.unregisterService(u"org.freedesktop.portal.Desktop"_s) &&
           m_bus.registerService(u"org.freedesktop.portal.Desktop"_s);
}

void FakePortal::setAnswer(Answer answer)
{
    const QMutexLocker lock(&m_mutex);
    m_answer = answer;
}

void FakePortal::setSessionHandleAsString(bool asString)
{
    const QMutexLocker lock(&m_mutex);
    m_handleAsString = asString;
}

void FakePortal::release()
{
    QList<Response> held;
    {
        const QMutexLocker lock(&m_mutex);
        held.swap(m_held);
    }
    for (const Response& response : held)
        send(response, 0);
}

void FakePortal::activate(const QString& sessionPath, const QString& shortcutId)
{
    QDBusMessage signal = QDBusMessage::createSignal(
        kDesktopPath, u"org.freedesktop.portal.GlobalShortcuts"_s, u"Activated"_s);
    signal << QVariant::fromValue(QDBusObjectPath(sessionPath)) << shortcutId << qulonglong(1000)
           << QVariantMap();
    m_bus.send(signal);
}

QList<FakePortal::Call> FakePortal::calls() const
{
    const QMutexLocker lock(&m_mutex);
    return m_calls;
}

QStringList FakePortal::closedSessions() const
{
    const QMutexLocker lock(&m_mutex);
    return m_closed;
}

QString FakePortal::senderPart(const QDBusMessage& message)
{
    QString sender = message.service().mid(1);
    return sender.replace(u'.', u'_');
}

QDBusObjectPath FakePortal::CreateSession(const QVariantMap& options, const QDBusMessage& message)
{
    const QString token = options.value(u"session_handle_token"_s).toString();
    const QString sessionPath = kDesktopPath + u"/session/"_s + senderPart(message) + u'/' + token;
    auto* session = new FakeSession(this, sessionPath);
    m_bus.registerObject(sessionPath, session, QDBusConnection::ExportAllSlots);
    bool asString = false;
    {
        const QMutexLocker lock(&m_mutex);
        m_calls.append({u"CreateSession"_s, token, shortcutsOf(options.value(u"shortcuts"_s))});
        asString = m_handleAsString;
    }
    const QVariant handle =
        asString ? QVariant(sessionPath) : QVariant::fromValue(QDBusObjectPath(sessionPath));
    return request(message, options, {{u"session_handle"_s, handle}});
}

QDBusObjectPath FakePortal::BindShortcuts(const QDBusObjectPath& session,
                                          const QList<PortalShortcut>& shortcuts, const QString&,
                                          const QVariantMap& options, const QDBusMessage& message)
{
    {
        const QMutexLocker lock(&m_mutex);
        m_calls.append({u"BindShortcuts"_s, session.path(), shortcuts});
    }
    return request(message, options, {});
}

QDBusObjectPath FakePortal::request(const QDBusMessage& message, const QVariantMap& options,
                                    const QVariantMap& results)
{
    const QString token = options.value(u"handle_token"_s).toString();
    const Response response{kDesktopPath + u"/request/"_s + senderPart(message) + u'/' + token,
                            results};
    Answer answer;
    {
        const QMutexLocker lock(&m_mutex);
        answer = m_answer;
        if (answer == Answer::Hold)
            m_held.append(response);
    }
    // The answer follows the call's reply, as with the real portal.
    if (answer != Answer::Hold) {
        QMetaObject::invokeMethod(
            this, [this, response, answer] { send(response, answer == Answer::Grant ? 0 : 2); },
            Qt::QueuedConnection);
    }
    return QDBusObjectPath(response.requestPath);
}

void FakePortal::send(const Response& response, uint code)
{
    QDBusMessage signal = QDBusMessage::createSignal(
        response.requestPath, u"org.freedesktop.portal.Request"_s, u"Response"_s);
    signal << code << (code == 0 ? response.results : QVariantMap());
    m_bus.send(signal);
}

void FakePortal::sessionClosed(const QString& path)
{
    m_bus.unregisterObject(path);
    const QMutexLocker lock(&m_mutex);
    m_closed.append(path);
}

FakeSession::FakeSession(FakePortal* portal, const QString& path)
    : QObject(portal), m_portal(portal), m_path(path)
{}

void FakeSession::Close()
{
    m_portal->sessionClosed(m_path);
    deleteLater();
}

} // namespace kvel::test
