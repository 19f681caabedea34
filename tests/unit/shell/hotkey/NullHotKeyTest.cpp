// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/GlobalHotKey.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace kvel {
namespace {

// Without an X server (the offscreen platform here, or a Wayland session)
// nothing can be grabbed, and the bar must be able to ask for it anyway.
class NullHotKeyTest : public testing::Test
{
protected:
    int m_argc = 1;
    char m_name[16] = "hotkey_tests";
    char* m_argv[2] = {m_name, nullptr};
    QGuiApplication m_app{m_argc, m_argv};
};

TEST_F(NullHotKeyTest, NeverGrabsAndSwitchesTheBarsTestOff)
{
    ASSERT_EQ(QGuiApplication::platformName(), u"offscreen");
    QObject owner;
    GlobalHotKey* hotKey = createGlobalHotKey(&owner);
    ASSERT_NE(hotKey, nullptr);
    EXPECT_EQ(hotKey->parent(), &owner);
    EXPECT_EQ(hotKey->GetHookMsg(), 0u);

    QSignalSpy pressed(hotKey, &GlobalHotKey::hotKeyPressed);
    EXPECT_FALSE(hotKey->SetHook(3));
    EXPECT_FALSE(hotKey->grabbed());
    hotKey->RemoveHook();
    hotKey->RemoveHook();
    EXPECT_FALSE(hotKey->grabbed());
    EXPECT_EQ(pressed.count(), 0);
}

} // namespace
} // namespace kvel
