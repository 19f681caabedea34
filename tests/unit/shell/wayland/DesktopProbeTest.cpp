// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/DesktopProbe.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kvel;

TEST(ClipboardWatching, FollowsDataControlOrTheCompositor)
{
    const QStringList withDataControl{u"wl_seat"_s, u"zwlr_data_control_manager_v1"_s};
    const QStringList without{u"wl_seat"_s, u"wl_data_device_manager"_s};
    const struct
    {
        const char* name;
        DesktopKind desktop;
        QStringList globals;
        bool offered;
    } cases[] = {
        {"KdeDataControl", DesktopKind::Kde, withDataControl, true},
        {"SwayDataControl", DesktopKind::Wlroots, withDataControl, true},
        // Mutter hands Wayland copies to XWayland's clipboard.
        {"GnomeWithout", DesktopKind::Gnome, without, true},
        {"WestonWithout", DesktopKind::Weston, without, false},
        {"OtherWithout", DesktopKind::Other, without, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(clipboardWatchingOffered({SessionType::Wayland, c.desktop, {}}, c.globals),
                  c.offered);
    }
}
