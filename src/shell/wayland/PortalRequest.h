// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantList>
#include <QVariantMap>

namespace kvel {

// Names of the desktop portal on the session bus.
namespace portal {
inline constexpr char kService[] = "org.freedesktop.portal.Desktop";
inline constexpr char kPath[] = "/org/freedesktop/portal/desktop";
inline constexpr char kGlobalShortcuts[] = "org.freedesktop.portal.GlobalShortcuts";
inline constexpr char kSession[] = "org.freedesktop.portal.Session";
inline constexpr char kRequest[] = "org.freedesktop.portal.Request";
} // namespace portal

// One call of a portal method that answers later, through the Response
// signal of a Request object. The request's path follows from our bus name
// and a handle token of our own, so the answer is listened for before the
// call goes out and cannot slip past.
class PortalRequest : public QObject
{
    Q_OBJECT

public:
    // Calls method of interface with arguments, then the options (which gain
    // the handle token). The request deletes itself after answering.
    PortalRequest(const QDBusConnection& bus, const QString& interface, const QString& method,
                  const QVariantList& arguments, QVariantMap options, QObject* parent = nullptr);

    // Where the portal puts the request object of our token.
    static QString requestPath(const QString& uniqueBusName, const QString& token);

signals:
    // response 0 is success, 1 cancelled by the user, 2 any other failure
    // (a failed call included).
    void answered(uint response, const QVariantMap& results);

private slots:
    void response(uint response, const QVariantMap& results);

private:
    void listen(const QString& path);
    void finish(uint response, const QVariantMap& results);

    QDBusConnection m_bus;
    QString m_path;
    bool m_done = false;
};

} // namespace kvel
