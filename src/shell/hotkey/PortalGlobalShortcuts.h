// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/hotkey/GlobalHotKey.h"
#include "shell/hotkey/PortalShortcut.h"

#include <QDBusConnection>
#include <QDBusObjectPath>

namespace kvel {

// The hot key through the desktop portal's global shortcuts, where a Wayland
// desktop offers them (KDE Plasma): the desktop catches the key from every
// window and tells Kvel. Each of Alt+F9..F12 is its own shortcut, so a key
// the user chooses in Kvel becomes a new binding rather than being lost in
// the desktop's memory of the old one. The session keeps a fixed token so
// the desktop recognises Kvel from one start to the next.
class PortalGlobalShortcuts final : public GlobalHotKey
{
    Q_OBJECT

public:
    explicit PortalGlobalShortcuts(const QDBusConnection& bus, QObject* parent = nullptr);
    ~PortalGlobalShortcuts() override;

    quint32 GetHookMsg() const override;
    // Asks the portal for a session holding the chosen key; false for a key
    // outside 0..3 or without a session bus. The portal answers later.
    bool SetHook(int keyIndex) override;
    void RemoveHook() override;
    // True once the portal has given the session.
    bool grabbed() const override { return !m_session.isEmpty(); }

    // The shortcut asked for with key index 0..3 (Alt+F9..Alt+F12).
    static PortalShortcut shortcutFor(int keyIndex);
    static constexpr char kSessionToken[] = "kvel";

private slots:
    void activated(const QDBusObjectPath& session, const QString& shortcutId, qulonglong timestamp,
                   const QVariantMap& options);

private:
    void createSession();
    void sessionCreated(int generation, uint response, const QVariantMap& results);
    void closeSession(const QString& path);
    void portalEnded();

    QDBusConnection m_bus;
    int m_keyIndex = -1;  // the key asked for, -1 when none
    int m_generation = 0; // a session created for an abandoned request is closed
    QString m_session;
    int m_portalRestarts = 0;
};

} // namespace kvel
