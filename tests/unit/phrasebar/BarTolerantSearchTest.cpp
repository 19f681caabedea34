// SPDX-License-Identifier: GPL-2.0-or-later
#include "BarTestFixture.h"
#include "shell/settings/IniFile.h"

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

class BarTolerantTest : public BarTest
{
protected:
    QByteArray initialSettings() const override
    {
        return BarTest::initialSettings() + "Tolerant=1\n[Selected]\nLanguage=2\n";
    }

    QList<Row> rows() const override
    {
        return {
            {u"kucanje"_s, u"knocking"_s, 0}, {u"kuća"_s, u"house"_s, 0},
            {u"đak"_s, u"pupil"_s, 0},        {u"kucati"_s, u"to knock"_s, 0},
            {u"djakon"_s, u"deacon"_s, 0},
        };
    }
};

} // namespace

TEST_F(BarTolerantTest, TypedWithoutMarksOrInCyrillicFindsTheWordExactMatchesFirst)
{
    const struct
    {
        QString typed;
        QStringList lines;
    } cases[] = {
        {u"kuca"_s, {u"kucanje~1knocking"_s, u"kucati~1to knock"_s, u"kuća~1house"_s}},
        {u"djak"_s, {u"djakon~1deacon"_s, u"đak~1pupil"_s}},
        {u"dak"_s, {u"đak~1pupil"_s}},
        {u"кућа"_s, {u"kuća~1house"_s}},
        {u"kuća"_s, {u"kuća~1house"_s}},
    };
    for (const auto& c : cases) {
        bar->entry()->clear();
        type(c.typed);
        ASSERT_TRUE(balloon().isVisible()) << c.typed.toStdString();
        EXPECT_EQ(balloon().sourceLines(), c.lines) << c.typed.toStdString();
    }
}

TEST_F(BarTolerantTest, TheMenuItemShowsTheSettingAndTogglingItLooksUpAgain)
{
    type(u"kuca"_s);
    bar->LngPopupMenuPopup();
    QAction* tolerant = bar->menus().action(u"Tolerant"_s);
    EXPECT_EQ(tolerant->text(), u"Traži i bez kvačica, ćirilicom, ekavski i ijekavski"_s);
    ASSERT_TRUE(tolerant->isChecked());

    tolerant->trigger();
    EXPECT_FALSE(bar->preferences().flag(Preference::Tolerant));
    EXPECT_EQ(balloon().sourceLines(),
              (QStringList{u"kucanje~1knocking"_s, u"kucati~1to knock"_s}));
    bar->LngPopupMenuPopup();
    EXPECT_FALSE(tolerant->isChecked());

    tolerant->trigger();
    EXPECT_TRUE(bar->preferences().flag(Preference::Tolerant));
    EXPECT_EQ(balloon().sourceLines().size(), 3);

    bar->close();
    const std::optional<IniDocument> ini = readIniFile(paths.settingsFile);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->value(u"Preferences"_s, u"Tolerant"_s), u"1"_s);
}

TEST_F(BarTest, TolerantSearchIsOffByDefault)
{
    bar->LngPopupMenuPopup();
    EXPECT_FALSE(bar->menus().action(u"Tolerant"_s)->isChecked());
    EXPECT_FALSE(bar->preferences().flag(Preference::Tolerant));
    type(u"kuca"_s);
    EXPECT_EQ(balloon().contentKind(), ContentKind::NoMatches);
}
