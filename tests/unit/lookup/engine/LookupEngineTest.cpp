// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/engine/LookupEngine.h"

#include "lookup/store/DictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "support/LanguageGuard.h"
#include "support/PrintedLookup.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

QList<test::Row> sampleRows()
{
    return {
        {u"house"_s, u"kuća; dom"_s, -1},
        {u"housewife"_s, u"domaćica"_s, -1},
        {u"boathouse"_s, u"kućica za čamce"_s, -1},
        {u"kuća"_s, u"house; home"_s, 0},
        {u"Čakavian"_s, u"čakavski"_s, -1},
        {u"o'neil"_s, u"prezime"_s, -1},
        {u"škola"_s, u"school"_s, 0},
        {u"cat"_s, u"mačka"_s, -1},
        {u"mačka"_s, u"cat"_s, 0},
        {u"kuca"_s, u"knocks"_s, 0},
        {u"odd"_s, u"selected is neither -1 nor 0"_s, 1},
        {u"big house"_s, u"velika kuća"_s, -1},
    };
}

class LookupOutcomeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(u"kvel.mdb"_s);
        test::writeDictionary(path, rows);
        store = std::make_unique<SqliteDictionaryStore>(path);
        engine = std::make_unique<LookupEngine>(*store);
    }

    test::PrintedLookup look(const QString& text, SearchLanguage language = SearchLanguage::Both,
                             FindMethod method = FindMethod::Begins)
    {
        return engine->lookUp(text, language, method);
    }

    QList<test::Row> rows = sampleRows();
    QTemporaryDir dir;
    QString path;
    std::unique_ptr<SqliteDictionaryStore> store;
    std::unique_ptr<LookupEngine> engine;
};

TEST_F(LookupOutcomeTest, ResultsAreEntriesWithTheLanguageOfTheirHeadword)
{
    const std::optional<BalloonContent> shown =
        engine->lookUp(u"kuća"_s, SearchLanguage::Both, FindMethod::Begins);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->entries, (QList<DictionaryEntry>{{u"kuća"_s, HeadLanguage::Serbian,
                                                       u"house; home"_s, u"house; home"_s}}));
    EXPECT_TRUE(shown->helpLines.isEmpty());
    const std::optional<BalloonContent> cat =
        engine->lookUp(u"cat"_s, SearchLanguage::Both, FindMethod::Begins);
    ASSERT_TRUE(cat);
    EXPECT_EQ(cat->entries.value(0).language, HeadLanguage::English);
}

TEST_F(LookupOutcomeTest, ResultLinesCarryTheHeadMarkerOfTheirLanguage)
{
    const test::PrintedLookup display = look(u"kuća"_s);
    EXPECT_FALSE(display.closed);
    EXPECT_EQ(display.lines, QStringList{u"kuća~1house; home"_s});
    EXPECT_EQ(look(u"cat"_s).lines, QStringList{u"cat~0mačka"_s});
}

TEST_F(LookupOutcomeTest, CaptionsKindsAndPicturesInBothLanguages)
{
    struct Case
    {
        QString text;
        FindMethod method;
        ContentKind kind;
        int bitmap;
        QString serbian;
        QString english;
    };
    const Case cases[] = {
        {u"cat"_s, FindMethod::Begins, ContentKind::Results, int(ImageId::OneHit), u"Bingo!"_s,
         u"Bingo!"_s},
        {u"house"_s, FindMethod::Contains, ContentKind::Results, int(ImageId::SeveralHits),
         u"Poslednjih 4: *HOUSE*"_s, u"Last 4: *HOUSE*"_s},
        {u"house"_s, FindMethod::Begins, ContentKind::Results, int(ImageId::SeveralHits),
         u"Poslednjih 2: HOUSE*"_s, u"Last 2: HOUSE*"_s},
        {u"house"_s, FindMethod::Ends, ContentKind::Results, int(ImageId::SeveralHits),
         u"Poslednjih 3: *HOUSE"_s, u"Last 3: *HOUSE"_s},
        {u"hous"_s, FindMethod::Whole, ContentKind::NoMatches, int(ImageId::NoMatch),
         u"Nema pojavljivanja: HOUS"_s, u"No matches for: HOUS"_s},
        {u"kuća"_s, FindMethod::Ends, ContentKind::Results, int(ImageId::OneHit), u"Bingo!"_s,
         u"Bingo!"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " method " + std::to_string(int(c.method)));
        for (const auto language : {InterfaceLanguage::Serbian, InterfaceLanguage::English}) {
            test::LanguageGuard guard(language);
            const test::PrintedLookup display = look(c.text, SearchLanguage::Both, c.method);
            EXPECT_FALSE(display.closed);
            EXPECT_EQ(display.kind, c.kind);
            EXPECT_EQ(display.bitmapId, c.bitmap);
            EXPECT_EQ(display.caption,
                      language == InterfaceLanguage::Serbian ? c.serbian : c.english);
        }
    }
}

TEST_F(LookupOutcomeTest, NoMatchShowsOnePlainSorryLine)
{
    test::LanguageGuard english(InterfaceLanguage::English);
    const test::PrintedLookup display = look(u"zzz"_s);
    EXPECT_EQ(display.lines, QStringList{u"Sorry, the phrase was not found this time"_s});
}

TEST_F(LookupOutcomeTest, LanguageFilterUsesSelected)
{
    EXPECT_EQ(look(u"ma"_s, SearchLanguage::English).kind, ContentKind::NoMatches);
    EXPECT_EQ(look(u"ma"_s, SearchLanguage::Serbian).lines, QStringList{u"mačka~1cat"_s});
    EXPECT_EQ(look(u"cat"_s, SearchLanguage::Serbian).kind, ContentKind::NoMatches);
    EXPECT_EQ(look(u"cat"_s, SearchLanguage::English).lines, QStringList{u"cat~0mačka"_s});
    // A Selected of neither -1 nor 0 belongs to no language: only Both finds it.
    EXPECT_EQ(look(u"odd"_s, SearchLanguage::Both).lines,
              QStringList{u"odd~1selected is neither -1 nor 0"_s});
    EXPECT_EQ(look(u"odd"_s, SearchLanguage::English).kind, ContentKind::NoMatches);
    EXPECT_EQ(look(u"odd"_s, SearchLanguage::Serbian).kind, ContentKind::NoMatches);
}

TEST_F(LookupOutcomeTest, MatchingFoldsEveryLetterButKeepsAccents)
{
    EXPECT_EQ(look(u"ŠKOLA"_s).lines, QStringList{u"škola~1school"_s}); // normalises to Škola
    EXPECT_EQ(look(u"čak"_s).lines, QStringList{u"Čakavian~0čakavski"_s});
    EXPECT_EQ(look(u"kuca"_s, SearchLanguage::Both, FindMethod::Whole).lines,
              QStringList{u"kuca~1knocks"_s});
    EXPECT_EQ(look(u"kuća"_s, SearchLanguage::Both, FindMethod::Whole).lines,
              QStringList{u"kuća~1house; home"_s});
}

TEST_F(LookupOutcomeTest, ApostrophesAndWildcardCharactersAreJustText)
{
    EXPECT_EQ(look(u"o'neil"_s).lines, QStringList{u"o'neil~0prezime"_s});
    EXPECT_EQ(look(u"O'N"_s).lines, QStringList{u"o'neil~0prezime"_s});
    EXPECT_EQ(look(u"'; drop table TblKvel; --"_s).kind, ContentKind::NoMatches);
    EXPECT_EQ(look(u"cat"_s).kind, ContentKind::Results) << "the table survived";
    // "%" and "_" are removed by normalisation, so "h_use" looks for "huse".
    EXPECT_EQ(look(u"h_use"_s).kind, ContentKind::NoMatches);
}

TEST_F(LookupOutcomeTest, TwoWordsWithStrayBlanks)
{
    test::LanguageGuard english(InterfaceLanguage::English);
    const test::PrintedLookup display = look(u"big    house   "_s);
    EXPECT_EQ(display.lines, QStringList{u"big house~0velika kuća"_s});
    EXPECT_EQ(look(u"big  house"_s, SearchLanguage::Both, FindMethod::Contains).caption,
              u"Bingo!"_s);
    EXPECT_EQ(look(u"big  zz"_s).caption, u"No matches for: BIG ZZ*"_s);
}

TEST_F(LookupOutcomeTest, WhenTheWindowCloses)
{
    EXPECT_TRUE(look(u" house"_s).closed) << "a leading blank closes and runs no query";
    EXPECT_TRUE(look(u""_s).closed);
    EXPECT_TRUE(look(u"\t"_s).closed);
    EXPECT_TRUE(look(u"[%]"_s).closed) << "nothing left after normalisation";
    EXPECT_FALSE(look(u"house "_s).closed) << "a trailing blank is trimmed";
}

TEST(LookupOutcomeLimits, FifteenRowsAtMostInStoredOrderWithTopCaption)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"kvel.mdb"_s);
    QList<test::Row> rows;
    for (int i = 0; i < 20; ++i)
        rows.append({u"word%1"_s.arg(19 - i), u"m%1"_s.arg(i), -1});
    test::writeDictionary(path, rows);
    SqliteDictionaryStore store(path);
    LookupEngine engine(store);

    test::LanguageGuard english(InterfaceLanguage::English);
    const test::PrintedLookup top =
        engine.lookUp(u"word"_s, SearchLanguage::English, FindMethod::Contains);
    EXPECT_EQ(top.caption, u"Top 15: *WORD*"_s);
    EXPECT_EQ(top.bitmapId, int(ImageId::SeveralHits));
    ASSERT_EQ(top.lines.size(), 15);
    EXPECT_EQ(top.lines.first(), u"word19~0m0"_s);
    EXPECT_EQ(top.lines.last(), u"word5~0m14"_s);

    EXPECT_EQ(
        test::PrintedLookup(engine.lookUp(u"word1"_s, SearchLanguage::Both, FindMethod::Begins))
            .caption,
        u"Last 11: WORD1*"_s);
}

TEST(LookupOutcomeNulls, NullFieldsReadAsEmptyText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"kvel.mdb"_s);
    test::writeDictionary(path, {{u"nomeaning"_s, QVariant(), -1}, {QVariant(), u"x"_s, -1}});
    SqliteDictionaryStore store(path);
    LookupEngine engine(store);
    EXPECT_EQ(
        test::PrintedLookup(engine.lookUp(u"nomeaning"_s, SearchLanguage::Both, FindMethod::Begins))
            .lines,
        QStringList{u"nomeaning~0"_s});
    EXPECT_EQ(
        test::PrintedLookup(engine.lookUp(u"x"_s, SearchLanguage::Both, FindMethod::Contains)).kind,
        ContentKind::NoMatches);
}

// Fails a set number of times before answering, to drive the retry rule.
class FlakyStore final : public DictionaryStore
{
public:
    explicit FlakyStore(int failures) : m_failures(failures) {}
    std::optional<QList<DictionaryRow>> findRows(SearchLanguage, FindMethod, const QString&,
                                                 int) override
    {
        ++calls;
        if (calls <= m_failures)
            return std::nullopt;
        return QList<DictionaryRow>{{u"cat"_s, u"mačka"_s, -1}};
    }
    std::optional<QList<DictionaryRow>> findOnlyTolerantRows(SearchLanguage, FindMethod,
                                                             const QString&, int) override
    {
        return QList<DictionaryRow>();
    }
    QString queryMeaning(const QString&, int) override { return QString(); }
    QString readVersion() override { return u"2.5"_s; }
    int calls = 0;

private:
    int m_failures;
};

TEST(LookupOutcomeRetries, TenAttemptsThenInternalError)
{
    test::LanguageGuard english(InterfaceLanguage::English);
    struct Case
    {
        int failures;
        int expectedCalls;
        ContentKind kind;
    };
    for (const Case& c :
         {Case{0, 1, ContentKind::Results}, Case{9, 10, ContentKind::Results},
          Case{10, 10, ContentKind::QueryFailed}, Case{1000, 10, ContentKind::QueryFailed}}) {
        SCOPED_TRACE(c.failures);
        FlakyStore store(c.failures);
        LookupEngine engine(store);
        const test::PrintedLookup display =
            engine.lookUp(u"cat"_s, SearchLanguage::Both, FindMethod::Begins);
        EXPECT_EQ(store.calls, c.expectedCalls);
        EXPECT_EQ(display.kind, c.kind);
        if (c.kind == ContentKind::QueryFailed) {
            EXPECT_EQ(display.caption, u"Internal error"_s);
            EXPECT_EQ(display.bitmapId, int(ImageId::Error));
            EXPECT_EQ(display.lines, QStringList{u"SQL query failed to complete"_s});
        }
    }
}

TEST(LookupOutcomeRetries, EmptyPhraseRunsNoQuery)
{
    FlakyStore store(1000);
    LookupEngine engine(store);
    EXPECT_TRUE(
        test::PrintedLookup(engine.lookUp(u"&&"_s, SearchLanguage::Both, FindMethod::Begins))
            .closed);
    EXPECT_EQ(store.calls, 0);
}

} // namespace

TEST_F(LookupOutcomeTest, ByteOrderMarksInThePhraseAreJustCharacters)
{
    // A text pasted from a file may start with U+FEFF; it must not vanish.
    for (const char16_t mark : {u'\uFEFF', u'\uFFFE'}) {
        const test::PrintedLookup display = look(QString(QChar(mark)) + u"house"_s);
        EXPECT_EQ(display.kind, ContentKind::NoMatches) << int(mark);
    }
}

TEST(ShownMeanings, AtMostTwoThousandCharactersNeverHalfASurrogatePair)
{
    const QString a1998(1998, u'a');
    const QString pair = u"\U0001F600"_s; // one character, two UTF-16 units
    struct Case
    {
        QString meanings;
        QString shown;
    };
    const Case cases[] = {
        {QString(1999, u'a'), QString(1999, u'a')},
        {QString(2000, u'a'), QString(2000, u'a')},
        {QString(2001, u'a'), QString(2000, u'a') + u'…'},
        {a1998 + pair, a1998 + pair},               // ends on the edge: whole
        {a1998 + pair + u'b', a1998 + pair + u'…'}, // the pair fits
        {a1998 + u'a' + pair, a1998 + u'a' + u'…'}, // the pair would straddle it
        {a1998 + u'a' + pair + pair, a1998 + u'a' + u'…'},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.meanings.size());
        EXPECT_EQ(shownMeanings(c.meanings), c.shown);
    }
}

TEST_F(LookupOutcomeTest, ResultsShowLongMeaningsCutAndKeepThemWhole)
{
    const QString meaning = QString(2500, u'm');
    test::writeDictionary(dir.filePath(u"long.mdb"_s),
                          {{u"long"_s, meaning, -1}, {u"longer"_s, u"duži"_s, 0}});
    SqliteDictionaryStore longStore(dir.filePath(u"long.mdb"_s));
    const test::PrintedLookup display =
        LookupEngine(longStore).lookUp(u"long"_s, SearchLanguage::Both, FindMethod::Begins);
    EXPECT_EQ(display.lines,
              (QStringList{u"long~0"_s + meaning.left(2000) + u'…', u"longer~1duži"_s}));
    EXPECT_EQ(display.wholeLines, (QStringList{u"long~0"_s + meaning, u"longer~1duži"_s}));
}
