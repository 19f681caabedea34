// SPDX-License-Identifier: GPL-2.0-or-later
#include "BarTestFixture.h"

#include <QSettings>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

// Run before, in the tray, where the notice is a tray balloon.
class HotKeyTakenTest : public BarTest
{
protected:
    QByteArray initialSettings() const override
    {
        return "[Preferences]\nAutoStart=0\nIE=0\nTips=0\nClipboard=0\n[Window]\nLeft=10\nTop=10\n";
    }
    bool trayAvailable() const override { return true; }

    void pickKey(const QString& name)
    {
        bar->LngPopupMenuPopup();
        bar->menus().action(name)->trigger();
    }
    QString keyboardListStatus()
    {
        key(Qt::Key_K, Qt::AltModifier);
        return balloon().sourceLines().last();
    }
    QString trayOpenCaption()
    {
        bar->TrayPopupMenuPopup();
        return bar->menus().action(u"PopOpen"_s)->text();
    }
};

} // namespace

TEST_F(HotKeyTakenTest, StaysOnSaysSoOnceAndIsTriedAgainOnEachPickAndStart)
{
    bar->InterfaceEnglishClick();
    emit tray->leftClicked(); // the bar comes up
    desktop->hotKey->taken = true;
    pickKey(u"F11"_s);
    const QString notice = u"Kvel dictionary|Another program already uses Alt+F11: "
                           "choose another key in the menu."_s;
    EXPECT_EQ(tray->balloons, QStringList{notice});
    EXPECT_TRUE(bar->preferences().flag(Preference::HotKeyOn));
    bar->LngPopupMenuPopup();
    EXPECT_TRUE(bar->menus().action(u"KHookActivate"_s)->isChecked());
    EXPECT_TRUE(bar->menus().action(u"F11"_s)->isChecked());
    EXPECT_EQ(keyboardListStatus(), u"Alt+F11~2[ taken by another program ]"_s);
    EXPECT_EQ(trayOpenCaption(), u"Open dictionary"_s) << "no key that would not open it";

    const int attempts = desktop->hotKey->attempts;
    pickKey(u"F12"_s);
    EXPECT_GT(desktop->hotKey->attempts, attempts) << "picking a key tries again";
    EXPECT_EQ(tray->balloons.size(), 1) << "said once per run";

    desktop->hotKey->taken = false;
    pickKey(u"F10"_s);
    EXPECT_EQ(desktop->hotKey->hookedKey, 1);
    EXPECT_EQ(keyboardListStatus(), u"Alt+F10~2[ Activated ]"_s);
    EXPECT_EQ(trayOpenCaption(), u"Open dictionary\tAlt+F10"_s);

    // The next start tries again, and says so again.
    desktop->hotKey->taken = true;
    bar->ShutDown();
    program.reset();
    const QSettings saved(paths.settingsFile, QSettings::IniFormat);
    EXPECT_EQ(saved.value(u"Preferences/Hook"_s).toInt(), 1) << "the setting stays on";
    desktop->hotKeyTaken = true;
    program = std::make_unique<Program>(paths, desktop->services());
    bar = &program->bar();
    tray = desktop->tray;
    program->start();
    QCoreApplication::processEvents();
    EXPECT_EQ(desktop->hotKey->attempts, 1);
    EXPECT_EQ(tray->balloons, QStringList{QString(notice).replace(u"F11"_s, u"F10"_s)});
}
