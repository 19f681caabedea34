// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/GlobalHotKey.h"

#include "shell/hotkey/PortalGlobalShortcuts.h"
#include "shell/hotkey/X11GlobalHotKey.h"
#include "shell/wayland/DesktopProbe.h"
#include "shell/wayland/SessionInfo.h"

#include <QDBusConnection>
#include <QGuiApplication>

namespace kvel {

namespace {

// Where no global key grab exists: nothing is ever caught or delivered.
class NullGlobalHotKey final : public GlobalHotKey
{
public:
    using GlobalHotKey::GlobalHotKey;

    quint32 GetHookMsg() const override { return 0; }
    bool SetHook(int) override { return false; }
    void RemoveHook() override {}
    bool grabbed() const override { return false; }
};

} // namespace

GlobalHotKey* createGlobalHotKey(QObject* parent)
{
    // On Wayland a key grab sees nothing while a Wayland window has the
    // focus: the desktop portal catches the key everywhere, where it exists.
    if (onRealDesktop() && currentSession().type == SessionType::Wayland &&
        portalOffersGlobalShortcuts(QDBusConnection::sessionBus()))
        return new PortalGlobalShortcuts(QDBusConnection::sessionBus(), parent);
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->display())
        return new X11GlobalHotKey(x11->display(), parent);
    return new NullGlobalHotKey(parent);
}

} // namespace kvel
