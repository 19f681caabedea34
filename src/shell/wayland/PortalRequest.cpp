// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/PortalRequest.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr uint kOtherFailure = 2;

QString nextToken()
{
    static int counter = 0;
    return u"kvel%1"_s.arg(++counter);
}

} // namespace

PortalRequest::PortalRequest(const QDBusConnection& bus, const QString& interface,
                             const QString& method, const QVariantList& arguments,
                             QVariantMap options, QObject* parent)
    : QObject(parent), m_bus(bus)
{
    const QString token = nextToken();
    options.insert(u"handle_token"_s, token);
    listen(requestPath(m_bus.baseService(), token));

    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1StringView(portal::kService), QLatin1StringView(portal::kPath), interface, method);
    call.setArguments(arguments + QVariantList{options});
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (reply.isError()) {
            finish(kOtherFailure, {});
            return;
        }
        // Portals older than the handle token put the request elsewhere.
        if (reply.value().path() != m_path)
            listen(reply.value().path());
    });
}

QString PortalRequest::requestPath(const QString& uniqueBusName, const QString& token)
{
    QString sender = uniqueBusName;
    if (sender.startsWith(u':'))
        sender.remove(0, 1);
    sender.replace(u'.', u'_');
    return QLatin1StringView(portal::kPath) + u"/request/"_s + sender + u'/' + token;
}

void PortalRequest::listen(const QString& path)
{
    if (!m_path.isEmpty())
        m_bus.disconnect(QLatin1StringView(portal::kService), m_path,
                         QLatin1StringView(portal::kRequest), u"Response"_s, this,
                         SLOT(response(uint, QVariantMap)));
    m_path = path;
    m_bus.connect(QLatin1StringView(portal::kService), m_path, QLatin1StringView(portal::kRequest),
                  u"Response"_s, this, SLOT(response(uint, QVariantMap)));
}

void PortalRequest::response(uint response, const QVariantMap& results)
{
    finish(response, results);
}

void PortalRequest::finish(uint response, const QVariantMap& results)
{
    if (m_done)
        return;
    m_done = true;
    m_bus.disconnect(QLatin1StringView(portal::kService), m_path,
                     QLatin1StringView(portal::kRequest), u"Response"_s, this,
                     SLOT(response(uint, QVariantMap)));
    emit answered(response, results);
    deleteLater();
}

} // namespace kvel
