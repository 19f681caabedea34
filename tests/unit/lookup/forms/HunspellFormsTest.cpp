// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/forms/HunspellForms.h"

#include "lookup/engine/LookupEngine.h"
#include "lookup/forms/WordNetExceptions.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "support/PrintedLookup.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// Debian's dictionaries, as the program uses them (bootstrap installs them).
HunspellForms& installedForms()
{
    static HunspellForms forms{FormsFolders{}};
    forms.waitUntilLoaded();
    return forms;
}

} // namespace

TEST(HunspellForms, InflectedWordsGiveTheirDictionaryForms)
{
    const struct
    {
        QString word;
        SearchLanguage language;
        QString form;
    } cases[] = {
        {u"datoteku"_s, SearchLanguage::Serbian, u"datoteka"_s},
        {u"memorije"_s, SearchLanguage::Serbian, u"memorija"_s},
        {u"otvorim"_s, SearchLanguage::Serbian, u"otvoriti"_s},
        {u"датотеку"_s, SearchLanguage::Serbian, u"datoteka"_s},
        {u"ОТВОРИМ"_s, SearchLanguage::Serbian, u"otvoriti"_s},
        {u"houses"_s, SearchLanguage::English, u"house"_s},
        {u"files"_s, SearchLanguage::English, u"file"_s},
        {u"went"_s, SearchLanguage::English, u"go"_s},
        {u"children"_s, SearchLanguage::English, u"child"_s},
    };
    for (const auto& c : cases) {
        const QStringList forms = installedForms().formsOf(c.word, c.language);
        EXPECT_TRUE(forms.contains(c.form))
            << c.word.toStdString() << ": " << forms.join(u' ').toStdString();
        EXPECT_FALSE(forms.contains(c.word)) << c.word.toStdString();
    }
}

TEST(HunspellForms, EachLanguageHasOnlyItsOwnForms)
{
    EXPECT_EQ(installedForms().formsOf(u"went"_s, SearchLanguage::Serbian), QStringList());
    EXPECT_FALSE(
        installedForms().formsOf(u"datoteku"_s, SearchLanguage::English).contains(u"datoteka"_s));
    // Hostile words: far too long, or not words at all.
    EXPECT_EQ(installedForms().formsOf(QString(5000, u'a'), SearchLanguage::Serbian),
              QStringList());
    EXPECT_EQ(installedForms().formsOf(QString(QChar(0)) + QChar(0xFFFF) + QChar(0xD800),
                                       SearchLanguage::English),
              QStringList());
}

TEST(HunspellForms, WithoutDictionariesTheFormsAreUnavailableAndLookupsUnchanged)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const QString path = empty.filePath(u"kvel.mdb"_s);
    test::writeDictionary(path, {{u"datoteka"_s, u"file"_s, 0}, {u"house"_s, u"kuća"_s, -1}});
    HunspellForms forms(FormsFolders{empty.path(), empty.path()});
    EXPECT_FALSE(forms.available());
    forms.waitUntilLoaded();
    EXPECT_EQ(forms.formsOf(u"datoteku"_s, SearchLanguage::Serbian), QStringList());

    IndexedDictionaryStore store(path);
    LookupEngine withForms(store, &forms);
    LookupEngine plain(store);
    for (const QString& phrase : {u"datoteku"_s, u"houses"_s, u"house"_s, u"x"_s}) {
        EXPECT_EQ(withForms.lookUp(phrase, SearchLanguage::Both, FindMethod::Whole, Matching::Exact,
                                   Inflection::WithDictionaryForms),
                  plain.lookUp(phrase, SearchLanguage::Both, FindMethod::Whole))
            << phrase.toStdString();
    }
}

TEST(HunspellForms, TheFirstLookupStartsLoadingAndShowsThePhrasesOwnRows)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"kvel.mdb"_s);
    test::writeDictionary(path, {{u"houses"_s, u"kuće"_s, -1}, {u"house"_s, u"kuća"_s, -1}});
    HunspellForms forms{FormsFolders{}};
    IndexedDictionaryStore store(path);
    LookupEngine engine(store, &forms);
    const auto look = [](LookupEngine& engine) {
        return test::PrintedLookup(engine.lookUp(u"houses"_s, SearchLanguage::English,
                                                 FindMethod::Whole, Matching::Exact,
                                                 Inflection::WithDictionaryForms))
            .lines;
    };
    // Loading takes a good part of a second: the lookup that starts it does not wait.
    EXPECT_EQ(look(engine), QStringList{u"houses~0kuće"_s});
    forms.waitUntilLoaded();
    EXPECT_EQ(look(engine), (QStringList{u"houses~0kuće"_s, u"house~0kuća"_s}));

    // Prepared ahead (the preference is on at start), the first lookup finds them.
    HunspellForms prepared{FormsFolders{}};
    LookupEngine preparedEngine(store, &prepared);
    prepared.prepare();
    QDeadlineTimer deadline(60000);
    while (!prepared.ready() && !deadline.hasExpired())
        QThread::msleep(10);
    ASSERT_TRUE(prepared.ready());
    EXPECT_EQ(look(preparedEngine), (QStringList{u"houses~0kuće"_s, u"house~0kuća"_s}));
}

TEST(WordNetExceptions, ReadsSingleWordsAndSkipsWhatIsNotAList)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile nouns(dir.filePath(u"noun.exc"_s));
    ASSERT_TRUE(nouns.open(QIODevice::WriteOnly));
    nouns.write("children child\r\n"
                "aides-de-camp aide-de-camp\n"
                "brothers_in_law brother_in_law\n"
                "oxen ox ox\n"
                "lonely\n"
                "geese goose");
    nouns.close();
    QFile verbs(dir.filePath(u"verb.exc"_s));
    ASSERT_TRUE(verbs.open(QIODevice::WriteOnly));
    verbs.write("went go\n" + QByteArray(4096, 'x') + " y\nstrode stride\n");
    verbs.close();

    const QHash<QString, QStringList> forms = readWordNetExceptions(dir.path());
    const QHash<QString, QStringList> expected = {
        {u"children"_s, {u"child"_s}}, {u"aides-de-camp"_s, {u"aide-de-camp"_s}},
        {u"oxen"_s, {u"ox"_s}},        {u"geese"_s, {u"goose"_s}},
        {u"went"_s, {u"go"_s}},
    };
    EXPECT_EQ(forms, expected);
}
