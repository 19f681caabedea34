// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/DesktopNotice.h"

#include "core/strings/StringTable.h"

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

enum TextId
{
    kTitle = 31102,
    kNoClipboardWatching = 31104,
    kNoGlobalHotKey = 31106,
    kNoTray = 31108,
    kNoTrayOnGnome = 31110,
};

} // namespace

QString DesktopNotice::text() const
{
    return lines.join(u"\r\n"_s);
}

std::optional<DesktopNotice> desktopNoticeFor(const SessionInfo& session,
                                              const DesktopCapabilities& capabilities,
                                              bool alreadyShown)
{
    if (alreadyShown || session.type != SessionType::Wayland || capabilities.all())
        return std::nullopt;
    DesktopNotice notice;
    notice.title = LoadLngText(kTitle);
    if (!capabilities.clipboardWatching)
        notice.lines << LoadLngText(kNoClipboardWatching);
    if (!capabilities.globalHotKey)
        notice.lines << LoadLngText(kNoGlobalHotKey);
    // GNOME has a cure for the missing tray; elsewhere the user just learns why.
    if (!capabilities.tray)
        notice.lines << LoadLngText(session.desktop == DesktopKind::Gnome ? kNoTrayOnGnome
                                                                          : kNoTray);
    return notice;
}

} // namespace kvel
