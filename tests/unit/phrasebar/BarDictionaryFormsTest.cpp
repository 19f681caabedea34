// SPDX-License-Identifier: GPL-2.0-or-later
#include "BarTestFixture.h"
#include "phrasebar/MenuLayout.h"
#include "shell/settings/IniFile.h"
#include "support/LanguageGuard.h"

#include <QMenu>
#include <cstring>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

// The bar with dictionary forms on, searching English, with Hunspell's
// dictionaries read from `hunspellFolder()`.
class BarFormsTest : public BarTest
{
protected:
    void SetUp() override
    {
        qputenv("KVEL_HUNSPELL_DIR", hunspellFolder().toLocal8Bit());
        BarTest::SetUp();
    }
    void TearDown() override
    {
        BarTest::TearDown();
        qunsetenv("KVEL_HUNSPELL_DIR");
    }
    virtual QString hunspellFolder() const { return u"/usr/share/hunspell"_s; }

    QByteArray initialSettings() const override
    {
        return BarTest::initialSettings() + "Forms=1\n[Selected]\nLanguage=1\n";
    }

    void retype(const QString& text)
    {
        bar->entry()->clear();
        type(text);
    }
};

// The same with a folder that holds no dictionary.
class BarWithoutHunspellTest : public BarFormsTest
{
protected:
    QString hunspellFolder() const override { return empty.path(); }
    QTemporaryDir empty;
};

} // namespace

TEST_F(BarFormsTest, AnInflectedWordShowsItsDictionaryFormOnceTheAnalysersAreLoaded)
{
    // The first lookup starts loading; the forms come with a later one.
    const bool found = QTest::qWaitFor(
        [&] {
            retype(u"houses"_s);
            return balloon().isVisible() &&
                   balloon().sourceLines() == QStringList{u"house~0kuća; dom"_s};
        },
        30000);
    EXPECT_TRUE(found);

    bar->LngPopupMenuPopup();
    QAction* forms = bar->menus().action(u"Forms"_s);
    EXPECT_TRUE(forms->isEnabled());
    ASSERT_TRUE(forms->isChecked());
    forms->trigger();
    EXPECT_FALSE(bar->preferences().flag(Preference::Forms));
    EXPECT_EQ(balloon().contentKind(), ContentKind::NoMatches);

    forms->trigger();
    EXPECT_TRUE(bar->preferences().flag(Preference::Forms));
    EXPECT_EQ(balloon().sourceLines(), QStringList{u"house~0kuća; dom"_s});
    bar->close();
    const std::optional<IniDocument> ini = readIniFile(paths.settingsFile);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->value(u"Preferences"_s, u"Forms"_s), u"1"_s);
}

TEST_F(BarWithoutHunspellTest, TheItemIsGreyedAndLookupsAreUnchanged)
{
    bar->LngPopupMenuPopup();
    QAction* forms = bar->menus().action(u"Forms"_s);
    EXPECT_FALSE(forms->isEnabled());
    EXPECT_FALSE(forms->isChecked());
    for (int round = 0; round < 2; ++round) {
        retype(u"houses"_s);
        EXPECT_EQ(balloon().contentKind(), ContentKind::NoMatches);
        retype(u"house"_s);
        EXPECT_EQ(balloon().sourceLines(),
                  (QStringList{u"house~0kuća; dom"_s, u"housewife~0domaćica"_s}));
    }
}

TEST_F(BarTest, DictionaryFormsAreOffByDefaultAndTheItemFollowsTolerantSearch)
{
    bar->LngPopupMenuPopup();
    EXPECT_FALSE(bar->menus().action(u"Forms"_s)->isChecked());
    EXPECT_FALSE(bar->preferences().flag(Preference::Forms));

    const QList<MenuRow>& rows = mainMenuRows();
    const auto named = [&](const char* name) {
        return std::find_if(rows.begin(), rows.end(), [&](const MenuRow& row) {
            return row.name && std::strcmp(row.name, name) == 0;
        });
    };
    ASSERT_NE(named("Forms"), rows.end());
    EXPECT_EQ(named("Forms"), named("Tolerant") + 1);
    EXPECT_EQ(named("Forms")->captionId, StringId::MenuForms);
}

TEST(DictionaryFormsStrings, TheCaptionInBothLanguages)
{
    const struct
    {
        InterfaceLanguage language;
        StringId id;
        QString text;
    } cases[] = {
        {InterfaceLanguage::Serbian, StringId::MenuForms,
         u"Nađi i osnovni oblik promenljivih reči"_s},
        {InterfaceLanguage::English, StringId::MenuForms,
         u"Find dictionary forms of inflected words"_s},
    };
    for (const auto& c : cases) {
        LanguageGuard guard(c.language);
        EXPECT_EQ(LoadLngText(c.id), c.text) << int(c.id);
    }
}
