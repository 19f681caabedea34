// SPDX-License-Identifier: GPL-2.0-or-later
#include "BarTestFixture.h"
#include "phrasebar/MenuLayout.h"

#include <QMenu>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

QString captionOf(const TKvelMainForm& bar, const char* name)
{
    QAction* action = bar.menus().action(QLatin1String(name));
    return action ? action->text() : u"<missing>"_s;
}

} // namespace

TEST_F(BarTest, EveryMenuItemIsCaptionedInBothLanguages)
{
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language);
        if (language == 1)
            bar->InterfaceEnglishClick();
        for (const QList<MenuRow>* rows : {&mainMenuRows(), &trayMenuRows()}) {
            for (const MenuRow& row : *rows) {
                if (row.kind == MenuRow::Kind::Separator)
                    continue;
                const QString caption = captionOf(*bar, row.name);
                EXPECT_FALSE(caption.isEmpty()) << row.name;
                EXPECT_NE(caption, u"<missing>"_s) << row.name;
                if (*row.shortcut) {
                    EXPECT_TRUE(caption.endsWith(u'\t' + QLatin1String(row.shortcut))) << row.name;
                }
            }
        }
    }
}

TEST_F(BarTest, MenuCaptionsReadAsTheUserExpects)
{
    struct Case
    {
        const char* name;
        QString serbian;
        QString english;
    };
    const Case cases[] = {
        {"InterfaceLanguage", u"Interfejs\tAlt+I"_s, u"Interface\tAlt+I"_s},
        {"SelectedLanguage", u"Izabrani jezik\tAlt+L"_s, u"Selected language\tAlt+L"_s},
        {"FindWordMethodEnds", u"Završava na\tAlt+E"_s, u"Ends with\tAlt+E"_s},
        {"RecentWordsClear", u"Obriši poslednje fraze\tAlt+H"_s, u"Clear recent phrases\tAlt+H"_s},
        {"WinAutostart", u"Pokreni sa sistemom"_s, u"Start with the system"_s},
        {"ContextMenu", u"Dodaj stavku priručnog menija u pregledač"_s,
         u"Add context menu item to the browser"_s},
        {"HelpIndex", u"Pomoć\tF1"_s, u"Help\tF1"_s},
        {"F10", u"Alt+F10"_s, u"Alt+F10"_s},
        {"Exit", u"Izlaz\tAlt+F4"_s, u"Exit\tAlt+F4"_s},
        {"PopExit", u"Izlaz"_s, u"Exit"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(captionOf(*bar, c.name), c.serbian) << c.name;
    bar->InterfaceEnglishClick();
    for (const Case& c : cases)
        EXPECT_EQ(captionOf(*bar, c.name), c.english) << c.name;
}

TEST_F(BarTest, TrayMenuShowsTheHotKeyOnlyWhenItIsOn)
{
    bar->InterfaceEnglishClick();
    bar->TrayPopupMenuPopup();
    EXPECT_EQ(captionOf(*bar, "PopOpen"), u"Open dictionary\tAlt+F12"_s);
    bar->LngPopupMenuPopup();
    bar->menus().action(u"KHookActivate"_s)->trigger(); // off
    bar->TrayPopupMenuPopup();
    EXPECT_EQ(captionOf(*bar, "PopOpen"), u"Open dictionary"_s);
}

namespace {

// Tray mode is on, but the desktop has no tray yet.
class NoTrayHostBarTest : public BarTest
{
protected:
    QByteArray initialSettings() const override
    {
        return "[Preferences]\nTray=1\nAutoStart=0\nIE=0\nTips=0\nClipboard=0\n";
    }
};

} // namespace

TEST_F(NoTrayHostBarTest, TheLastItemSaysExitUnlessClosingGoesToTheTray)
{
    bar->InterfaceEnglishClick();
    EXPECT_EQ(captionOf(*bar, "Exit"), u"Exit\tAlt+F4"_s) << "as the language switch captions it";
    struct Case
    {
        bool trayAvailable;
        QString caption;
    };
    for (const Case& c :
         {Case{false, u"Exit\tAlt+F4"_s}, Case{true, u"Close program to 'tray'\tAlt+F4"_s},
          Case{false, u"Exit\tAlt+F4"_s}}) {
        tray->setAvailable(c.trayAvailable);
        bar->LngPopupMenuPopup();
        EXPECT_EQ(captionOf(*bar, "Exit"), c.caption) << c.trayAvailable;
    }
}
