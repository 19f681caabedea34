// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/SessionInfo.h"

#include <QProcessEnvironment>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kvel;

namespace {

QProcessEnvironment environment(std::initializer_list<std::pair<QString, QString>> variables)
{
    QProcessEnvironment env;
    for (const auto& [name, value] : variables)
        env.insert(name, value);
    return env;
}

struct DetectionCase
{
    const char* name;
    QProcessEnvironment env;
    SessionType type;
    DesktopKind desktop;
    QString waylandDisplay;
};

class SessionDetection : public testing::TestWithParam<DetectionCase>
{
};

TEST_P(SessionDetection, ReadsTheEnvironment)
{
    const DetectionCase& c = GetParam();
    const SessionInfo session = detectSession(c.env);
    EXPECT_EQ(session.type, c.type);
    EXPECT_EQ(session.desktop, c.desktop);
    EXPECT_EQ(session.waylandDisplay, c.waylandDisplay);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SessionDetection,
    testing::Values(
        DetectionCase{"Nothing", environment({}), SessionType::Unknown, DesktopKind::Other, {}},
        DetectionCase{"PlainX11",
                      environment({{u"DISPLAY"_s, u":0"_s}}),
                      SessionType::X11,
                      DesktopKind::Other,
                      {}},
        DetectionCase{"GnomeOnWayland",
                      environment({{u"XDG_SESSION_TYPE"_s, u"wayland"_s},
                                   {u"WAYLAND_DISPLAY"_s, u"wayland-0"_s},
                                   {u"DISPLAY"_s, u":0"_s},
                                   {u"XDG_CURRENT_DESKTOP"_s, u"GNOME"_s}}),
                      SessionType::Wayland, DesktopKind::Gnome, u"wayland-0"_s},
        DetectionCase{"UbuntuListsItsOwnNameFirst",
                      environment({{u"XDG_SESSION_TYPE"_s, u"wayland"_s},
                                   {u"XDG_CURRENT_DESKTOP"_s, u"ubuntu:GNOME"_s}}),
                      SessionType::Wayland,
                      DesktopKind::Gnome,
                      {}},
        DetectionCase{"KdeOnWayland",
                      environment({{u"XDG_SESSION_TYPE"_s, u"wayland"_s},
                                   {u"WAYLAND_DISPLAY"_s, u"wayland-0"_s},
                                   {u"XDG_CURRENT_DESKTOP"_s, u"KDE"_s}}),
                      SessionType::Wayland, DesktopKind::Kde, u"wayland-0"_s},
        DetectionCase{"KdeOnX11",
                      environment({{u"XDG_SESSION_TYPE"_s, u"x11"_s},
                                   {u"DISPLAY"_s, u":0"_s},
                                   {u"XDG_CURRENT_DESKTOP"_s, u"KDE"_s}}),
                      SessionType::X11,
                      DesktopKind::Kde,
                      {}},
        DetectionCase{"SwayStartedFromATextConsole",
                      environment({{u"XDG_SESSION_TYPE"_s, u"tty"_s},
                                   {u"WAYLAND_DISPLAY"_s, u"wayland-1"_s},
                                   {u"DISPLAY"_s, u":1"_s},
                                   {u"XDG_CURRENT_DESKTOP"_s, u"sway"_s}}),
                      SessionType::Wayland, DesktopKind::Wlroots, u"wayland-1"_s},
        DetectionCase{"DeclaredX11WinsOverAWaylandSocket",
                      environment({{u"XDG_SESSION_TYPE"_s, u"x11"_s},
                                   {u"WAYLAND_DISPLAY"_s, u"wayland-0"_s},
                                   {u"DISPLAY"_s, u":0"_s}}),
                      SessionType::X11,
                      DesktopKind::Other,
                      {}},
        DetectionCase{"WestonByItsSessionDesktop",
                      environment({{u"WAYLAND_DISPLAY"_s, u"wayland-0"_s},
                                   {u"XDG_SESSION_DESKTOP"_s, u"weston"_s}}),
                      SessionType::Wayland, DesktopKind::Weston, u"wayland-0"_s},
        DetectionCase{"OtherWlrootsCompositor",
                      environment({{u"XDG_SESSION_TYPE"_s, u"wayland"_s},
                                   {u"XDG_CURRENT_DESKTOP"_s, u"Hyprland"_s}}),
                      SessionType::Wayland,
                      DesktopKind::Wlroots,
                      {}},
        DetectionCase{"UnknownDesktop",
                      environment({{u"XDG_SESSION_TYPE"_s, u"wayland"_s},
                                   {u"XDG_CURRENT_DESKTOP"_s, u"Pantheon"_s}}),
                      SessionType::Wayland,
                      DesktopKind::Other,
                      {}},
        DetectionCase{"DeclaredWaylandWithoutSocket",
                      environment({{u"XDG_SESSION_TYPE"_s, u"Wayland"_s}}),
                      SessionType::Wayland,
                      DesktopKind::Other,
                      {}}),
    [](const testing::TestParamInfo<DetectionCase>& info) { return info.param.name; });

struct ExpectationCase
{
    const char* name;
    SessionType type;
    DesktopKind desktop;
    DesktopCapabilities expected;
};

class Expectations : public testing::TestWithParam<ExpectationCase>
{
};

TEST_P(Expectations, FollowTheDesktop)
{
    const ExpectationCase& c = GetParam();
    EXPECT_EQ(expectedCapabilities({c.type, c.desktop, {}}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Expectations,
    testing::Values(
        ExpectationCase{
            "X11HasEverything", SessionType::X11, DesktopKind::Gnome, {true, true, true}},
        ExpectationCase{"NoDisplayHasNothingToTell",
                        SessionType::Unknown,
                        DesktopKind::Other,
                        {true, true, true}},
        ExpectationCase{"Kde", SessionType::Wayland, DesktopKind::Kde, {true, true, true}},
        ExpectationCase{"Sway", SessionType::Wayland, DesktopKind::Wlroots, {true, false, true}},
        ExpectationCase{"Gnome", SessionType::Wayland, DesktopKind::Gnome, {true, false, false}},
        ExpectationCase{"Weston", SessionType::Wayland, DesktopKind::Weston, {false, false, false}},
        ExpectationCase{"Other", SessionType::Wayland, DesktopKind::Other, {false, false, true}}),
    [](const testing::TestParamInfo<ExpectationCase>& info) { return info.param.name; });

} // namespace
