// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/DesktopProbe.h"

#include "shell/wayland/DataControlProtocol.h"
#include "shell/wayland/PortalRequest.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <wayland-client.h>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// An absent portal is answered by the bus at once; a starting one may take
// a moment, but the start of the program must not wait long for it.
constexpr int kPortalTimeoutMs = 2000;

void addGlobal(void* data, wl_registry*, uint32_t, const char* interface, uint32_t)
{
    static_cast<QStringList*>(data)->append(QString::fromLatin1(interface));
}

void removeGlobal(void*, wl_registry*, uint32_t) {}

} // namespace

QStringList waylandGlobals(const QString& displayName)
{
    const QByteArray name = displayName.toLocal8Bit();
    wl_display* display = wl_display_connect(name.isEmpty() ? nullptr : name.constData());
    if (!display)
        return {};
    QStringList globals;
    static const wl_registry_listener listener = {&addGlobal, &removeGlobal};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &globals);
    if (wl_display_roundtrip(display) < 0)
        globals.clear();
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return globals;
}

bool clipboardWatchingOffered(const SessionInfo& session, const QStringList& globals)
{
    return session.desktop == DesktopKind::Gnome ||
           globals.contains(QLatin1StringView(datacontrol::kManagerName));
}

bool portalOffersGlobalShortcuts(const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        QLatin1StringView(portal::kService), QLatin1StringView(portal::kPath),
        u"org.freedesktop.DBus.Properties"_s, u"Get"_s);
    get.setArguments({QLatin1StringView(portal::kGlobalShortcuts), u"version"_s});
    return bus.call(get, QDBus::Block, kPortalTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

bool onRealDesktop()
{
    if (!qGuiApp)
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != u"offscreen"_s && platform != u"minimal"_s;
}

DesktopCapabilities probeDesktop(const SessionInfo& session, bool trayAvailable)
{
    DesktopCapabilities capabilities;
    capabilities.tray = trayAvailable;
    if (session.type != SessionType::Wayland)
        return capabilities;
    capabilities.clipboardWatching =
        clipboardWatchingOffered(session, waylandGlobals(session.waylandDisplay));
    capabilities.globalHotKey = portalOffersGlobalShortcuts(QDBusConnection::sessionBus());
    return capabilities;
}

} // namespace kvel
