// SPDX-License-Identifier: GPL-2.0-or-later
#include "BarTestFixture.h"

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

TEST_F(BarTest, HelpTextsShowWithTheirKindAndFollowALanguageSwitch)
{
    struct Case
    {
        Qt::Key key;
        ContentKind kind;
    };
    for (const Case& c :
         {Case{Qt::Key_K, ContentKind::KeyboardList}, Case{Qt::Key_T, ContentKind::Tip},
          Case{Qt::Key_D, ContentKind::Donations}, Case{Qt::Key_A, ContentKind::About}}) {
        SCOPED_TRACE(int(c.kind));
        key(c.key, Qt::AltModifier);
        ASSERT_TRUE(balloon().isVisible());
        EXPECT_EQ(balloon().contentKind(), c.kind);
        const QStringList serbian = balloon().sourceLines();

        key(Qt::Key_I, Qt::AltModifier); // English
        EXPECT_EQ(balloon().contentKind(), c.kind) << "the same text, not a lookup";
        EXPECT_NE(balloon().sourceLines(), serbian);
        key(Qt::Key_I, Qt::AltModifier); // Serbian again
        EXPECT_EQ(balloon().sourceLines(), serbian) << "the same tip, not the next one";
    }
}

TEST_F(BarTest, AboutNamesTheDictionaryVersion)
{
    key(Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(balloon().sourceLines().join(u'\n').contains(u"2.5"_s));
}

TEST_F(BarTest, TheKeyboardListFollowsTheHotKeyMenu)
{
    key(Qt::Key_K, Qt::AltModifier);
    const QStringList before = balloon().sourceLines();
    bar->LngPopupMenuPopup();
    bar->menus().action(u"F9"_s)->trigger();
    EXPECT_EQ(balloon().contentKind(), ContentKind::KeyboardList);
    EXPECT_NE(balloon().sourceLines(), before);
    EXPECT_TRUE(balloon().sourceLines().join(u'\n').contains(u"Alt+F9"_s));
}
