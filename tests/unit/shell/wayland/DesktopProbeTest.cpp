// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/DesktopProbe.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kvel;

namespace {

struct ClipboardCase
{
    const char* name;
    DesktopKind desktop;
    QStringList globals;
    bool offered;
};

class ClipboardWatching : public testing::TestWithParam<ClipboardCase>
{
};

TEST_P(ClipboardWatching, FollowsDataControlOrTheCompositor)
{
    const ClipboardCase& c = GetParam();
    EXPECT_EQ(clipboardWatchingOffered({SessionType::Wayland, c.desktop, {}}, c.globals),
              c.offered);
}

const QStringList kWithDataControl{u"wl_seat"_s, u"zwlr_data_control_manager_v1"_s};
const QStringList kWithout{u"wl_seat"_s, u"wl_data_device_manager"_s};

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipboardWatching,
    testing::Values(ClipboardCase{"KdeDataControl", DesktopKind::Kde, kWithDataControl, true},
                    ClipboardCase{"SwayDataControl", DesktopKind::Wlroots, kWithDataControl, true},
                    // Mutter hands Wayland copies to XWayland's clipboard.
                    ClipboardCase{"GnomeWithout", DesktopKind::Gnome, kWithout, true},
                    ClipboardCase{"WestonWithout", DesktopKind::Weston, kWithout, false},
                    ClipboardCase{"OtherWithout", DesktopKind::Other, kWithout, false}),
    [](const testing::TestParamInfo<ClipboardCase>& info) { return info.param.name; });

} // namespace
