// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/PortalGlobalShortcuts.h"

#include "shell/wayland/PortalRequest.h"

#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr quint32 kHotKeyMessage = 1;
constexpr int kFirstFunctionKey = 9;
// A portal that keeps failing is not started again and again for ever.
constexpr int kMaxPortalRestarts = 5;
constexpr int kPortalRestartDelayMs = 500;

bool validKey(int keyIndex)
{
    return keyIndex >= 0 && keyIndex <= 3;
}

// The portal documents an object path; some versions send it as a string.
QString sessionPath(const QVariant& handle)
{
    if (handle.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return handle.value<QDBusObjectPath>().path();
    return handle.toString();
}

} // namespace

PortalGlobalShortcuts::PortalGlobalShortcuts(const QDBusConnection& bus, QObject* parent)
    : GlobalHotKey(parent), m_bus(bus)
{
    registerPortalTypes();
    m_bus.connect(QLatin1StringView(portal::kService), QLatin1StringView(portal::kPath),
                  QLatin1StringView(portal::kGlobalShortcuts), u"Activated"_s, this,
                  SLOT(activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    auto* watcher = new QDBusServiceWatcher(QLatin1StringView(portal::kService), m_bus,
                                            QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &PortalGlobalShortcuts::portalEnded);
}

PortalGlobalShortcuts::~PortalGlobalShortcuts()
{
    RemoveHook();
}

quint32 PortalGlobalShortcuts::GetHookMsg() const
{
    return kHotKeyMessage;
}

PortalShortcut PortalGlobalShortcuts::shortcutFor(int keyIndex)
{
    const int key = kFirstFunctionKey + keyIndex;
    return {u"toggle-alt-f%1"_s.arg(key),
            {{u"description"_s, u"Open or hide the Kvel dictionary (Alt+F%1)"_s.arg(key)},
             {u"preferred_trigger"_s, u"ALT+F%1"_s.arg(key)}}};
}

bool PortalGlobalShortcuts::SetHook(int keyIndex)
{
    if (!validKey(keyIndex) || !m_bus.isConnected()) {
        RemoveHook();
        return false;
    }
    // The bar re-applies the hot key after every toggle: the same key keeps
    // its session.
    if (keyIndex == m_keyIndex)
        return true;
    RemoveHook();
    m_keyIndex = keyIndex;
    createSession();
    return true;
}

void PortalGlobalShortcuts::RemoveHook()
{
    ++m_generation;
    m_keyIndex = -1;
    if (!m_session.isEmpty())
        closeSession(std::exchange(m_session, {}));
}

void PortalGlobalShortcuts::createSession()
{
    // Plasma 5.27 registers only the shortcuts given with the session, so
    // they go along here; BindShortcuts follows for portals that need it.
    const QVariantMap options{
        {u"session_handle_token"_s, QString::fromLatin1(kSessionToken)},
        {u"shortcuts"_s, QVariant::fromValue(QList<PortalShortcut>{shortcutFor(m_keyIndex)})},
    };
    auto* request = new PortalRequest(m_bus, QLatin1StringView(portal::kGlobalShortcuts),
                                      u"CreateSession"_s, {}, options, this);
    const int generation = m_generation;
    connect(request, &PortalRequest::answered, this,
            [this, generation](uint response, const QVariantMap& results) {
                sessionCreated(generation, response, results);
            });
}

void PortalGlobalShortcuts::sessionCreated(int generation, uint response,
                                           const QVariantMap& results)
{
    const QString path = sessionPath(results.value(u"session_handle"_s));
    if (response != 0 || path.isEmpty())
        return;
    if (generation != m_generation) {
        closeSession(path);
        return;
    }
    m_session = path;
    const QVariantList arguments{
        QVariant::fromValue(QDBusObjectPath(path)),
        QVariant::fromValue(QList<PortalShortcut>{shortcutFor(m_keyIndex)}),
        QString(), // no parent window: the bar is an XWayland window
    };
    new PortalRequest(m_bus, QLatin1StringView(portal::kGlobalShortcuts), u"BindShortcuts"_s,
                      arguments, {}, this);
}

void PortalGlobalShortcuts::portalEnded()
{
    // The portal's sessions end with it, and the desktop stops sending the
    // key; asking again starts the portal anew (D-Bus activation).
    if (m_keyIndex < 0 || m_portalRestarts >= kMaxPortalRestarts)
        return;
    ++m_portalRestarts;
    const int generation = ++m_generation;
    m_session.clear();
    QTimer::singleShot(kPortalRestartDelayMs, this, [this, generation] {
        if (generation == m_generation)
            createSession();
    });
}

void PortalGlobalShortcuts::closeSession(const QString& path)
{
    m_bus.send(QDBusMessage::createMethodCall(QLatin1StringView(portal::kService), path,
                                              QLatin1StringView(portal::kSession), u"Close"_s));
}

void PortalGlobalShortcuts::activated(const QDBusObjectPath& session, const QString& shortcutId,
                                      qulonglong, const QVariantMap&)
{
    if (m_session.isEmpty() || session.path() != m_session ||
        shortcutId != shortcutFor(m_keyIndex).id)
        return;
    emit hotKeyPressed(u"F%1"_s.arg(kFirstFunctionKey + m_keyIndex));
}

} // namespace kvel
