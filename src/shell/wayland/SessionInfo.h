// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

class QProcessEnvironment;

namespace kvel {

enum class SessionType
{
    Unknown, // no display at all, or a platform such as offscreen
    X11,
    Wayland
};

// Desktops grouped by what their compositors let an XWayland program do.
enum class DesktopKind
{
    Other,
    Gnome,
    Kde,
    Wlroots, // sway and the other wlroots-style compositors
    Weston
};

// The desktop session Kvel runs in, as its environment tells.
struct SessionInfo
{
    SessionType type = SessionType::Unknown;
    DesktopKind desktop = DesktopKind::Other;
    QString waylandDisplay; // WAYLAND_DISPLAY; empty means the library's default

    friend bool operator==(const SessionInfo&, const SessionInfo&) = default;
};

// What the desktop lets Kvel do besides placing its windows.
struct DesktopCapabilities
{
    bool clipboardWatching = true; // copies in every program reach Kvel
    bool globalHotKey = true;      // Alt+F9..F12 reaches Kvel from every window
    bool tray = true;

    bool all() const { return clipboardWatching && globalHotKey && tray; }
    friend bool operator==(const DesktopCapabilities&, const DesktopCapabilities&) = default;
};

// Reads XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY and the desktop's name
// (XDG_CURRENT_DESKTOP, else XDG_SESSION_DESKTOP). A session started from a
// text console keeps XDG_SESSION_TYPE=tty, so a Wayland socket counts too.
SessionInfo detectSession(const QProcessEnvironment& environment);

// The session of this process.
SessionInfo currentSession();

// What the desktop is known to offer by its name alone: data control on
// wlroots and KDE, Wayland copies handed to XWayland on GNOME, the
// global-shortcuts portal on KDE, a tray everywhere but
// GNOME (without an extension) and weston. X11 sessions have everything.
DesktopCapabilities expectedCapabilities(const SessionInfo& session);

} // namespace kvel
