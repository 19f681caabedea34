// SPDX-License-Identifier: GPL-2.0-or-later
// The bar's settings file when things go wrong: one that exists but cannot be
// read, and one another instance keeps locked when the bar quits.
#include "BarTestFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

// A folder in the file's place cannot be read even by root.
class UnreadableSettingsBarTest : public BarTest
{
protected:
    void writeSettingsFile() override { ASSERT_TRUE(QDir().mkpath(paths.settingsFile)); }

    static QString configHome()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    }

    // What defaults would turn on: start with the system and the browser item.
    static void expectNothingWrittenForTheDesktop()
    {
        EXPECT_FALSE(QFileInfo::exists(configHome() + u"/autostart/kvel.desktop"_s));
        EXPECT_FALSE(QFileInfo::exists(configHome() + u"/kvel/browser-menu"_s));
    }
};

class UnreadableSettingsTrayBarTest : public UnreadableSettingsBarTest
{
protected:
    bool trayAvailable() const override { return true; }
};

} // namespace

TEST_F(UnreadableSettingsBarTest, RunsOnDefaultsAndSaysSoInTheBalloon)
{
    EXPECT_TRUE(bar->preferences().flag(Preference::AutoStart));
    ASSERT_TRUE(balloon().isVisible());
    EXPECT_EQ(balloon().sourceLines(), QStringList{LoadText(StringId::SettingsUnreadable)});
    expectNothingWrittenForTheDesktop();
}

TEST_F(UnreadableSettingsBarTest, SwitchingTheLanguageAndQuittingWriteNothing)
{
    bar->InterfaceEnglishClick();
    bar->SessionEnding();
    bar->ShutDown();
    expectNothingWrittenForTheDesktop();
    EXPECT_TRUE(QFileInfo(paths.settingsFile).isDir());
    EXPECT_TRUE(QDir(paths.settingsFile).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(paths.settingsFile + u".lock"_s));
}

TEST_F(UnreadableSettingsBarTest, TheBrowserItemFollowsTheUsersOwnClick)
{
    QAction* item = bar->menus().action(u"ContextMenu"_s);
    ASSERT_NE(item, nullptr);
    item->setChecked(false);
    item->trigger(); // on: the user asked for it
    EXPECT_TRUE(QFileInfo::exists(configHome() + u"/kvel/browser-menu"_s));
    item->trigger(); // and off again
    EXPECT_FALSE(QFileInfo::exists(configHome() + u"/kvel/browser-menu"_s));
}

TEST_F(UnreadableSettingsTrayBarTest, TheTrayBalloonSaysSo)
{
    ASSERT_FALSE(tray->balloons.isEmpty());
    EXPECT_EQ(tray->balloons.last(),
              LoadText(StringId::ProgramTitle) + u'|' + LoadText(StringId::SettingsUnreadable));
    expectNothingWrittenForTheDesktop();
}

// The save at quit gives up on a lock another instance keeps, instead of
// holding the end of the session up; the file stays as it was.
TEST_F(BarTest, SaveAtQuitSkipsALockedFileWithinAGenerousBound)
{
    QFile file(paths.settingsFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    QLockFile otherInstance(paths.settingsFile + u".lock"_s);
    ASSERT_TRUE(otherInstance.lock());

    QElapsedTimer clock;
    clock.start();
    bar->ShutDown();
    EXPECT_LT(clock.elapsed(), 3000) << "a save at quit waits at most half a second for the lock";

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}
