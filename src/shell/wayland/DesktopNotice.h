// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/wayland/SessionInfo.h"

#include <QStringList>
#include <optional>

namespace kvel {

// Tells the user, once, what this desktop keeps Kvel from doing and what to
// do instead. Texts come in the current interface language.
struct DesktopNotice
{
    QString title;
    QStringList lines; // one line per missing capability

    // The lines as one balloon text, CR LF between them.
    QString text() const;
};

// The notice for a Wayland session that lacks something; nothing on X11,
// where everything works, and nothing once the user has been told.
std::optional<DesktopNotice> desktopNoticeFor(const SessionInfo& session,
                                              const DesktopCapabilities& capabilities,
                                              bool alreadyShown);

} // namespace kvel
