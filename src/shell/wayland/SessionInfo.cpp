// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/SessionInfo.h"

#include <QProcessEnvironment>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

DesktopKind desktopNamed(const QString& name)
{
    const QString lower = name.trimmed().toLower();
    if (lower.startsWith(u"gnome"_s) || lower == u"ubuntu"_s)
        return DesktopKind::Gnome;
    if (lower == u"kde"_s || lower == u"plasma"_s)
        return DesktopKind::Kde;
    if (lower == u"sway"_s || lower == u"wlroots"_s || lower == u"hyprland"_s ||
        lower == u"river"_s || lower == u"wayfire"_s || lower == u"labwc"_s)
        return DesktopKind::Wlroots;
    if (lower == u"weston"_s)
        return DesktopKind::Weston;
    return DesktopKind::Other;
}

// XDG_CURRENT_DESKTOP is a list, most specific first ("ubuntu:GNOME"): the
// first name known wins.
DesktopKind desktopOf(const QProcessEnvironment& environment)
{
    for (const QString& variable : {u"XDG_CURRENT_DESKTOP"_s, u"XDG_SESSION_DESKTOP"_s}) {
        const QStringList names = environment.value(variable).split(u':', Qt::SkipEmptyParts);
        for (const QString& name : names) {
            if (const DesktopKind kind = desktopNamed(name); kind != DesktopKind::Other)
                return kind;
        }
    }
    return DesktopKind::Other;
}

SessionType typeOf(const QProcessEnvironment& environment)
{
    const QString declared = environment.value(u"XDG_SESSION_TYPE"_s).toLower();
    if (declared == u"wayland"_s)
        return SessionType::Wayland;
    if (declared == u"x11"_s)
        return SessionType::X11;
    if (!environment.value(u"WAYLAND_DISPLAY"_s).isEmpty())
        return SessionType::Wayland;
    if (!environment.value(u"DISPLAY"_s).isEmpty())
        return SessionType::X11;
    return SessionType::Unknown;
}

} // namespace

SessionInfo detectSession(const QProcessEnvironment& environment)
{
    SessionInfo session;
    session.type = typeOf(environment);
    session.desktop = desktopOf(environment);
    if (session.type == SessionType::Wayland)
        session.waylandDisplay = environment.value(u"WAYLAND_DISPLAY"_s);
    return session;
}

SessionInfo currentSession()
{
    return detectSession(QProcessEnvironment::systemEnvironment());
}

DesktopCapabilities expectedCapabilities(const SessionInfo& session)
{
    if (session.type != SessionType::Wayland)
        return {};
    const DesktopKind desktop = session.desktop;
    DesktopCapabilities capabilities;
    capabilities.clipboardWatching = desktop == DesktopKind::Kde ||
                                     desktop == DesktopKind::Wlroots ||
                                     desktop == DesktopKind::Gnome;
    capabilities.globalHotKey = desktop == DesktopKind::Kde;
    capabilities.tray = desktop != DesktopKind::Gnome && desktop != DesktopKind::Weston;
    return capabilities;
}

} // namespace kvel
