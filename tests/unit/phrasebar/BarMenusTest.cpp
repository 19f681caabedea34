// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarMenus.h"

#include "support/QtPrinters.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QWidget>
#include <gtest/gtest.h>
#include <set>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

bool givesACommand(const MenuRow& row)
{
    return row.kind == MenuRow::Kind::Command || row.kind == MenuRow::Kind::Check ||
           row.kind == MenuRow::Kind::Radio;
}

} // namespace

// An item without a command would do nothing when chosen.
TEST(BarMenus, EveryItemGivesItsOwnCommand)
{
    QWidget owner;
    BarMenus menus(&owner);
    QSignalSpy chosen(&menus, &BarMenus::commandChosen);
    for (const QList<MenuRow>* rows : {&mainMenuRows(), &trayMenuRows()}) {
        std::set<BarCommand> seen;
        for (const MenuRow& row : *rows) {
            if (!givesACommand(row))
                continue;
            SCOPED_TRACE(row.name);
            EXPECT_NE(row.command, BarCommand::None);
            EXPECT_TRUE(seen.insert(row.command).second) << "one item per command in a menu";
            QAction* item = menus.action(QLatin1String(row.name));
            ASSERT_NE(item, nullptr);
            chosen.clear();
            item->trigger();
            ASSERT_EQ(chosen.count(), 1);
            EXPECT_EQ(chosen[0][0].value<BarCommand>(), row.command);
        }
    }
}

TEST(BarMenus, RecentItemsTellTheirListAndCaption)
{
    QWidget owner;
    BarMenus menus(&owner);
    QSignalSpy chosen(&menus, &BarMenus::recentPhraseChosen);
    menus.setRecentPhrases(SearchLanguage::English, {u"CAT"_s, u"HOUSE"_s});
    EXPECT_EQ(menus.action(u"RecentWordsEng2"_s)->text(), u"HOUSE"_s);
    EXPECT_EQ(menus.action(u"RecentWordsEng3"_s)->text(), QString());
    EXPECT_EQ(menus.action(u"RecentWordsBoth1"_s)->text(), QString());
    menus.action(u"RecentWordsEng1"_s)->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].value<SearchLanguage>(), SearchLanguage::English);
    EXPECT_EQ(chosen[0][1].toString(), u"CAT"_s);
}

TEST(BarMenus, StatesReachEveryItemOfACommandInBothMenus)
{
    QWidget owner;
    BarMenus menus(&owner);
    menus.setChecked(BarCommand::ToTray, true);
    EXPECT_TRUE(menus.action(u"ToTray"_s)->isChecked());
    EXPECT_TRUE(menus.action(u"PopTray"_s)->isChecked());
    menus.setEnabled(BarCommand::HotKeyF9, false);
    EXPECT_FALSE(menus.action(u"F9"_s)->isEnabled());
    EXPECT_TRUE(menus.action(u"F10"_s)->isEnabled());
    EXPECT_EQ(menus.action(u"NoSuchItem"_s), nullptr);
}
