// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/DesktopNotice.h"

#include "core/strings/StringTable.h"

using namespace Qt::StringLiterals;

namespace kvel {

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
    notice.title = LoadLngText(StringId::DesktopNoticeTitle);
    if (!capabilities.clipboardWatching)
        notice.lines << LoadLngText(StringId::DesktopNoticeNoClipboard);
    if (!capabilities.globalHotKey)
        notice.lines << LoadLngText(StringId::DesktopNoticeNoHotKey);
    // GNOME has a cure for the missing tray; elsewhere the user just learns why.
    if (!capabilities.tray)
        notice.lines << LoadLngText(session.desktop == DesktopKind::Gnome
                                        ? StringId::DesktopNoticeNoTrayOnGnome
                                        : StringId::DesktopNoticeNoTray);
    return notice;
}

} // namespace kvel
