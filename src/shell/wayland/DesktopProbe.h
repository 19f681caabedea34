// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/wayland/SessionInfo.h"

#include <QStringList>

class QDBusConnection;

namespace kvel {

// The interfaces the compositor offers (wl_seat, zwlr_data_control_manager_v1,
// ...); empty when it cannot be reached. An empty name means WAYLAND_DISPLAY.
QStringList waylandGlobals(const QString& displayName);

// True when copies made in every program reach Kvel: through data control
// (one of globals), or where the compositor hands Wayland copies on to
// XWayland's clipboard, as GNOME's Mutter does.
bool clipboardWatchingOffered(const SessionInfo& session, const QStringList& globals);

// True when the desktop portal on bus implements global shortcuts.
bool portalOffersGlobalShortcuts(const QDBusConnection& bus);

// False on Qt's test platforms (offscreen, minimal): they have no desktop to
// talk to, whatever the environment says.
bool onRealDesktop();

// What the running desktop lets Kvel do, asked of the desktop itself rather
// than guessed from its name. Whether a tray shows Kvel's icon is known to
// the tray icon, which the caller asks.
DesktopCapabilities probeDesktop(const SessionInfo& session, bool trayAvailable);

} // namespace kvel
