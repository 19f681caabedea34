// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/strings/StringTable.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/forms/DictionaryForms.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "support/PrintedLookup.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QHash>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// The one line a lookup that finds nothing shows (read once the strings are there).
QStringList nothing()
{
    return {LoadLngText(StringId::LookupSorry)};
}

// Forms from a table, as an analyser would give them; words it lacks have none.
class TableForms : public DictionaryForms
{
public:
    bool available() const override { return true; }
    QStringList formsOf(const QString& word, SearchLanguage language) override
    {
        asked << word;
        return forms.value(QString::number(int(language)) + u':' + word);
    }
    void add(SearchLanguage language, const QString& word, const QStringList& found)
    {
        forms.insert(QString::number(int(language)) + u':' + word, found);
    }

    QHash<QString, QStringList> forms;
    QStringList asked;
};

class DictionaryFormsLookupTest : public test::DictionaryFileTest
{
protected:
    void SetUp() override
    {
        DictionaryFileTest::SetUp();
        QList<test::Row> rows = {
            {u"datoteka"_s, u"file"_s, 0},    {u"house"_s, u"kuća"_s, -1},
            {u"houses"_s, u"kuće"_s, -1},     {u"memorija"_s, u"memory"_s, 0},
            {u"go"_s, u"ići"_s, -1},          {u"kuća"_s, u"house"_s, 0},
            {u"datoteka"_s, u"archive"_s, 0}, {u"otvoriti"_s, u"to open"_s, 0},
        };
        for (int n = 1; n < kMaxResultLines; ++n)
            rows.append({u"many"_s + QString::number(n), u"row"_s, -1});
        rows.append({u"manyfold"_s, u"(Serbian, made up)"_s, 0});
        test::writeDictionary(path, rows);
        forms.add(SearchLanguage::Serbian, u"datoteku"_s, {u"datoteka"_s});
        forms.add(SearchLanguage::Serbian, u"датотеку"_s, {u"datoteka"_s});
        forms.add(SearchLanguage::Serbian, u"memorije"_s, {u"memorija"_s});
        forms.add(SearchLanguage::Serbian, u"kuce"_s, {u"kuca"_s});
        forms.add(SearchLanguage::English, u"houses"_s, {u"house"_s});
        forms.add(SearchLanguage::English, u"house"_s, {u"houses"_s});
        forms.add(SearchLanguage::English, u"went"_s, {u"go"_s});
        forms.add(SearchLanguage::English, u"memories"_s, {u"memorija"_s});
        forms.add(SearchLanguage::English, u"many"_s, {u"house"_s, u"houses"_s});
        store = std::make_unique<IndexedDictionaryStore>(path);
        engine = std::make_unique<LookupEngine>(*store, &forms);
    }

    QStringList look(const QString& phrase, SearchLanguage language, FindMethod method,
                     Matching matching = Matching::Exact)
    {
        return test::PrintedLookup(engine->lookUp(phrase, language, method, matching,
                                                  Inflection::WithDictionaryForms))
            .lines;
    }

    TableForms forms;
    std::unique_ptr<IndexedDictionaryStore> store;
    std::unique_ptr<LookupEngine> engine;
};

} // namespace

TEST_F(DictionaryFormsLookupTest, FormsRowsFollowThePhrasesOwnInTableOrderWithoutRepeats)
{
    const struct
    {
        QString phrase;
        SearchLanguage language;
        FindMethod method;
        QStringList lines;
        Matching matching = Matching::Exact;
    } cases[] = {
        {u"datoteku"_s,
         SearchLanguage::Serbian,
         FindMethod::Begins,
         {u"datoteka~1file"_s, u"datoteka~1archive"_s}},
        {u"датотеку"_s,
         SearchLanguage::Both,
         FindMethod::Whole,
         {u"datoteka~1file"_s, u"datoteka~1archive"_s}},
        {u"memorije"_s, SearchLanguage::Serbian, FindMethod::Whole, {u"memorija~1memory"_s}},
        // A headword itself: its own rows come first.
        {u"houses"_s,
         SearchLanguage::English,
         FindMethod::Whole,
         {u"houses~0kuće"_s, u"house~0kuća"_s}},
        {u"went"_s, SearchLanguage::Both, FindMethod::Begins, {u"go~0ići"_s}},
        // A row the phrase found already is not shown twice.
        {u"house"_s,
         SearchLanguage::English,
         FindMethod::Begins,
         {u"house~0kuća"_s, u"houses~0kuće"_s}},
        // Forms are looked up only among the headwords of their own language.
        {u"memories"_s, SearchLanguage::Both, FindMethod::Whole, nothing()},
        {u"datoteku"_s, SearchLanguage::English, FindMethod::Whole, nothing()},
        // Without tolerance a form without marks finds only itself.
        {u"kuce"_s, SearchLanguage::Serbian, FindMethod::Whole, nothing()},
        // With tolerance the forms are matched tolerantly.
        {u"kuce"_s,
         SearchLanguage::Serbian,
         FindMethod::Whole,
         {u"kuća~1house"_s},
         Matching::Tolerant},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(look(c.phrase, c.language, c.method, c.matching), c.lines)
            << c.phrase.toStdString();
    }
}

TEST_F(DictionaryFormsLookupTest, OnlyASingleWordWithRoomLeftAsksForForms)
{
    EXPECT_EQ(look(u"went home"_s, SearchLanguage::English, FindMethod::Begins), nothing());
    // In both languages "many" fills all 15 rows by itself.
    EXPECT_EQ(look(u"many"_s, SearchLanguage::Both, FindMethod::Begins).size(), kMaxResultLines);
    EXPECT_EQ(forms.asked, QStringList());
    // In English it has 14: one row of its forms still fits.
    const QStringList lines = look(u"many"_s, SearchLanguage::English, FindMethod::Begins);
    ASSERT_EQ(lines.size(), kMaxResultLines);
    EXPECT_EQ(lines.constLast(), u"house~0kuća"_s);
    EXPECT_EQ(forms.asked, QStringList{u"many"_s});
}

TEST_F(DictionaryFormsLookupTest, WithoutThePreferenceEveryOutcomeIsAsBefore)
{
    LookupEngine plain(*store);
    const QStringList phrases = {u"datoteku"_s, u"датотеку"_s, u"houses"_s, u"house"_s,
                                 u"went"_s,     u"kuce"_s,     u"many"_s,   u"memorije"_s,
                                 u"go"_s,       u"zzz"_s,      u" "_s,      u"went home"_s};
    for (const QString& phrase : phrases) {
        for (const SearchLanguage language :
             {SearchLanguage::Both, SearchLanguage::English, SearchLanguage::Serbian}) {
            for (const FindMethod method :
                 {FindMethod::Begins, FindMethod::Contains, FindMethod::Ends, FindMethod::Whole}) {
                for (const Matching matching : {Matching::Exact, Matching::Tolerant}) {
                    EXPECT_EQ(engine->lookUp(phrase, language, method, matching),
                              plain.lookUp(phrase, language, method, matching))
                        << phrase.toStdString();
                }
            }
        }
    }
    EXPECT_EQ(forms.asked, QStringList());
}
