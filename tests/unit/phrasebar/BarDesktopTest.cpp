// SPDX-License-Identifier: GPL-2.0-or-later
#include "BarTestFixture.h"
#include "support/WaitFor.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

// Default settings as a fresh installation has them, but run before: the bar
// starts in the tray.
class TrayBarTest : public BarTest
{
protected:
    QByteArray initialSettings() const override
    {
        return "[Preferences]\nAutoStart=0\nIE=0\nTips=0\n[Window]\nLeft=10\nTop=10\n";
    }
    bool trayAvailable() const override { return true; }
};

class FirstRunTrayBarTest : public TrayBarTest
{
protected:
    QByteArray initialSettings() const override { return "[Preferences]\nAutoStart=0\n"; }
};

} // namespace

TEST_F(TrayBarTest, StartsHiddenInTheTrayAndComesBackOnALeftClick)
{
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(bar->barShown());
    EXPECT_TRUE(tray->shown);
    EXPECT_TRUE(tray->hiddenPicture);
    EXPECT_EQ(tray->tip, u"Kvel rečnik"_s);

    emit tray->leftClicked();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(tray->hiddenPicture);
    EXPECT_EQ(tray->tip, u"Kvel rečnik je već otvoren"_s);
}

TEST_F(TrayBarTest, ClosingHidesToTheTrayAndARightClickHidesAShownBar)
{
    QSignalSpy quit(bar, &TKvelMainForm::quitRequested);
    emit tray->leftClicked();
    bar->close();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(quit.count(), 0);

    emit tray->leftClicked();
    emit tray->rightClicked(QPoint(5, 5));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(tray->hiddenPicture);

    emit tray->rightClicked(QPoint(5, 5)); // hidden: the tray menu opens instead
    EXPECT_TRUE(bar->trayMenu()->isVisible());
    bar->trayMenu()->hide();
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(TrayBarTest, SwitchingTrayModeOffBringsTheBarBack)
{
    bar->LngPopupMenuPopup();
    bar->menus().action(u"ToTray"_s)->trigger();
    EXPECT_FALSE(bar->preferences().flag(Preference::ToTray));
    EXPECT_FALSE(tray->shown);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->menus().action(u"Exit"_s)->text(), u"Izlaz\tAlt+F4"_s);
}

TEST_F(TrayBarTest, ATrayThatGoesAwayNeverLeavesTheBarInvisible)
{
    ASSERT_FALSE(bar->isVisible());
    tray->setAvailable(false);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(bar->preferences().flag(Preference::ToTray)) << "the stored setting is kept";

    QSignalSpy quit(bar, &TKvelMainForm::quitRequested);
    tray->setAvailable(true); // the tray host restarted
    EXPECT_TRUE(tray->shown);
    EXPECT_FALSE(tray->hiddenPicture) << "the bar is shown";
    bar->close();
    EXPECT_EQ(quit.count(), 0) << "tray mode works again";
}

TEST_F(BarTest, WithoutATrayHostTrayModeActsAsOff)
{
    // These settings say Tray=0; a tray host appearing later changes nothing.
    tray->setAvailable(true);
    EXPECT_FALSE(tray->shown);
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(FirstRunTrayBarTest, FirstRunShowsTheWelcomeBalloon)
{
    ASSERT_EQ(tray->balloons.size(), 1);
    EXPECT_TRUE(
        tray->balloons[0].startsWith(u"Kvel rečnik, v1.0.058|Hvala što koristite naš rečnik."_s))
        << tray->balloons[0].toStdString();
}

TEST_F(TrayBarTest, CopiedTextBringsTheHiddenBarUpWithItsLookup)
{
    ASSERT_FALSE(bar->isVisible());
    bar->ClipboardChanged(u"  House\n"_s);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->entry()->text(), u"house"_s);
    EXPECT_EQ(bar->preferences().searchLanguage(), SearchLanguage::Both);
    EXPECT_EQ(balloon().contentKind(), ContentKind::Results);
    EXPECT_EQ(bar->preferences().recentList(SearchLanguage::Both), QStringList{u"HOUSE"_s})
        << "the phrase is remembered";

    balloon().hide();
    bar->ClipboardChanged(u"house"_s); // the same text again looks up again
    EXPECT_TRUE(balloon().isVisible());
}

TEST(BarClipboard, NothingHappensBeforeTheFirstShow)
{
    QTemporaryDir dir;
    const BarPaths paths{dir.filePath(u"kvel.ini"_s), dir.filePath(u"kvel.mdb"_s)};
    writeDictionary(paths.dictionaryFile, {{u"house"_s, u"kuća"_s, -1}});
    FakeDesktop desktop;
    Program program(paths, desktop.services());
    TKvelMainForm& bar = program.bar();
    bar.ClipboardChanged(u"house"_s);
    EXPECT_EQ(bar.entry()->text(), u""_s);
    EXPECT_FALSE(bar.isVisible());
}

// The clipboard is read in the background: its text arrives a moment later.
TEST_F(TrayBarTest, TheTrayClickLooksUpTheClipboardOnceItIsRead)
{
    QGuiApplication::clipboard()->setText(u"House"_s);
    emit tray->leftClicked();
    EXPECT_TRUE(bar->isVisible());
    KVEL_WAIT_EQ(bar->entry()->text(), u"house"_s);
    EXPECT_TRUE(balloon().isVisible());
}

TEST_F(TrayBarTest, AClipboardAnswerNeverReplacesWhatTheUserTypedMeanwhile)
{
    QGuiApplication::clipboard()->setText(u"house"_s);
    emit tray->leftClicked();
    type(u"cat"_s); // before the clipboard's answer
    QTest::qWait(50);
    EXPECT_EQ(bar->entry()->text(), u"cat"_s);
}

TEST_F(TrayBarTest, AClipboardAnswerForABarClosedMeanwhileIsDropped)
{
    QGuiApplication::clipboard()->setText(u"house"_s);
    emit tray->leftClicked();
    bar->close();
    QTest::qWait(50);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(bar->entry()->text(), u""_s);
}

TEST_F(BarTest, PastingWithTheKeysInsertsTheClipboardOnceItIsRead)
{
    QGuiApplication::clipboard()->setText(u"House"_s);
    type(u"cat "_s);
    key(Qt::Key_V, Qt::ControlModifier);
    KVEL_WAIT_EQ(bar->entry()->text(), u"cat house"_s);
}

TEST_F(BarTest, TheEntryMenuOffersPasteWithoutAskingTheClipboardFirst)
{
    QGuiApplication::clipboard()->setText(u"house"_s);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                bar->entry()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(bar->entry(), &menuEvent);
    auto* menu = bar->entry()->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(LoadLngText(StringId::EntryMenuPaste)))
            paste = action;
    }
    ASSERT_NE(paste, nullptr);
    EXPECT_TRUE(paste->isEnabled());
    paste->trigger();
    menu->close();
    KVEL_WAIT_EQ(bar->entry()->text(), u"house"_s);
}

TEST_F(BarTest, APasteAnsweredAfterTheUserTypedIsDropped)
{
    QGuiApplication::clipboard()->setText(u"house"_s);
    key(Qt::Key_V, Qt::ControlModifier);
    type(u"cat"_s); // before the clipboard's answer
    QTest::qWait(50);
    EXPECT_EQ(bar->entry()->text(), u"cat"_s);
}

TEST_F(BarTest, DroppedTextIsLookedUpInBoth)
{
    key(Qt::Key_L, Qt::AltModifier);
    bar->TextDropped(u"HOUSE"_s);
    EXPECT_EQ(bar->entry()->text(), u"house"_s);
    EXPECT_EQ(bar->preferences().searchLanguage(), SearchLanguage::Both);
    EXPECT_TRUE(balloon().isVisible());
    EXPECT_TRUE(bar->preferences().recentList(SearchLanguage::Both).isEmpty())
        << "a drop files nothing";
}

// The fake desktop stands in for every platform part: the bar's use of each is
// seen from outside.
TEST_F(BarTest, TheHotKeyGrabFollowsTheMenuAndTheChosenKeyTogglesTheBar)
{
    ASSERT_TRUE(desktop->hotKey->hookedKey) << "the settings keep the hot key on";
    EXPECT_EQ(*desktop->hotKey->hookedKey, 3) << "Alt+F12";
    bar->LngPopupMenuPopup();
    bar->menus().action(u"F9"_s)->trigger();
    EXPECT_EQ(desktop->hotKey->hookedKey, 0);
    bar->menus().action(u"KHookActivate"_s)->trigger(); // off
    EXPECT_FALSE(desktop->hotKey->hookedKey);
    emit desktop->hotKey->hotKeyPressed(u"F9"_s);
    EXPECT_TRUE(bar->isVisible()) << "a hot key that is off does nothing";

    bar->menus().action(u"KHookActivate"_s)->trigger(); // on again
    EXPECT_EQ(desktop->hotKey->hookedKey, 0);
    emit desktop->hotKey->hotKeyPressed(u"F10"_s);
    EXPECT_TRUE(bar->isVisible()) << "only the chosen key counts";
    emit desktop->hotKey->hotKeyPressed(u"F9"_s);
    EXPECT_FALSE(bar->isVisible()) << "the chosen key closes the shown bar";
}

TEST_F(BarTest, F1WithoutAHelpFileSaysSoInTheBalloon)
{
    key(Qt::Key_F1);
    ASSERT_TRUE(balloon().isVisible());
    EXPECT_EQ(balloon().contentKind(), ContentKind::HelpFileError);
    EXPECT_TRUE(desktop->help->opened.isEmpty()) << "there was nothing to open";
}

TEST_F(BarTest, LeavingTheBarGivesTheUserTheirKeyboardLayoutBack)
{
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(bar, &deactivate);
    EXPECT_EQ(desktop->keyboard->restored, 1);
}

TEST_F(BarTest, TheBalloonFadesOnlyWhereTheDesktopShowsOpacity)
{
    EXPECT_FALSE(bar->windowOpacityShows());
    desktop->windowEffects->opacity = true;
    EXPECT_TRUE(bar->windowOpacityShows());
}

TEST_F(BarTest, PronounceSpeaksTheFirstEnglishPhraseEvenWithSpeechOff)
{
    bar->LngPopupMenuPopup();
    bar->menus().action(u"SpeechC"_s)->trigger(); // off
    ASSERT_FALSE(bar->preferences().flag(Preference::Speech));
    type(u"house"_s);
    key(Qt::Key_Return);
    EXPECT_TRUE(desktop->spoken.isEmpty()) << "Enter speaks only with speech on";
    key(Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(desktop->spoken, QStringList{u"house"_s});
    bar->LngPopupMenuPopup();
    bar->menus().action(u"Pronunce"_s)->trigger();
    EXPECT_EQ(desktop->spoken, (QStringList{u"house"_s, u"house"_s}));
    EXPECT_FALSE(bar->preferences().flag(Preference::Speech)) << "the setting stays off";
}
