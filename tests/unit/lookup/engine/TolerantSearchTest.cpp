// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/strings/StringTable.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "support/PrintedLookup.h"
#include "support/QtPrinters.h"
#include "support/SearchChoices.h"
#include "support/TestDictionary.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

QString describe(const std::optional<QList<DictionaryRow>>& rows)
{
    if (!rows)
        return u"(failed)"_s;
    QStringList lines;
    for (const DictionaryRow& row : *rows)
        lines << row.word + u"|"_s + QString::number(row.selected);
    return lines.join(u'\n');
}

// Pieces where tolerance matters: letters with and without marks in both
// cases, đ against d and dj, dž, Cyrillic, a decomposed accent, plain ASCII.
const QStringList kPieces = {u"c"_s,       u"č"_s, u"ć"_s,  u"Ć"_s,      u"d"_s,   u"đ"_s,  u"Đ"_s,
                             u"dj"_s,      u"j"_s, u"dž"_s, u"z"_s,      u"ž"_s,   u"s"_s,  u"š"_s,
                             u"a"_s,       u"e"_s, u"é"_s,  u"ку"_s,     u"ћа"_s,  u"Ђ"_s,  u"џ"_s,
                             u"e\u0301"_s, u" "_s, u"k"_s,  u"\u0301"_s, u"ije"_s, u"je"_s, u"io"_s,
                             u"l"_s,       u"n"_s, u"r"_s,  u"o"_s};

QString randomText(QRandomGenerator& random, int maxPieces)
{
    QString text;
    const int pieces = 1 + int(random.bounded(quint32(maxPieces)));
    for (int i = 0; i < pieces; ++i)
        text += kPieces[int(random.bounded(quint32(kPieces.size())))];
    return text;
}

// The headwords of the rows shown, none when the display is not a result list.
QStringList headwordsShown(const test::PrintedLookup& display)
{
    QStringList words;
    if (display.kind == ContentKind::Results) {
        for (const QString& line : display.lines)
            words << line.section(u'~', 0, 0);
    }
    return words;
}

using TolerantSearchTest = test::DictionaryFileTest;

} // namespace

TEST_F(TolerantSearchTest, ShowsExactMatchesFirstThenTolerantOnesInTableOrder)
{
    test::writeDictionary(path, {
                                    {u"kuća"_s, u"house"_s, 0},
                                    {u"kucati"_s, u"to knock"_s, 0},
                                    {u"đak"_s, u"pupil"_s, 0},
                                    {u"Kućica"_s, u"little house"_s, 0},
                                    {u"kuca"_s, u"(a made-up row)"_s, 0},
                                    {u"džep"_s, u"pocket"_s, 0},
                                    {u"ćevapi"_s, u"kebabs"_s, 0},
                                    {u"djak"_s, u"(spelt with dj)"_s, 0},
                                });
    IndexedDictionaryStore store(path);
    LookupEngine engine(store);
    const struct
    {
        QString phrase;
        FindMethod method;
        QStringList words;
    } cases[] = {
        {u"kuca"_s, FindMethod::Begins, {u"kucati"_s, u"kuca"_s, u"kuća"_s}},
        {u"kuci"_s, FindMethod::Begins, {u"Kućica"_s}},
        {u"kuca"_s, FindMethod::Whole, {u"kuca"_s, u"kuća"_s}},
        {u"kuća"_s, FindMethod::Whole, {u"kuća"_s}},
        {u"кућа"_s, FindMethod::Whole, {u"kuća"_s}},
        {u"КУЋА"_s, FindMethod::Whole, {u"kuća"_s}},
        {u"cevapi"_s, FindMethod::Whole, {u"ćevapi"_s}},
        {u"djak"_s, FindMethod::Whole, {u"djak"_s, u"đak"_s}},
        {u"dak"_s, FindMethod::Whole, {u"đak"_s}},
        {u"đak"_s, FindMethod::Whole, {u"đak"_s}},
        {u"dzep"_s, FindMethod::Whole, {u"džep"_s}},
        {u"ak"_s, FindMethod::Ends, {u"đak"_s, u"djak"_s}},
    };
    for (const auto& c : cases) {
        const test::PrintedLookup display =
            engine.lookUp(c.phrase, SearchLanguage::Serbian, c.method, Matching::Tolerant);
        EXPECT_EQ(headwordsShown(display), c.words) << c.phrase.toStdString();
    }
}

TEST_F(TolerantSearchTest, FindsSerbianHeadwordsInEitherPronunciationExactOnesFirst)
{
    test::writeDictionary(path, {
                                    {u"vrijednost"_s, u"value"_s, 0},
                                    {u"mlijeko"_s, u"milk"_s, 0},
                                    {u"dijete"_s, u"child"_s, 0},
                                    {u"dete"_s, u"child (ekavian)"_s, 0},
                                    {u"uspio"_s, u"succeeded"_s, 0},
                                    {u"odjeljak"_s, u"section"_s, 0},
                                    {u"reka"_s, u"river"_s, 0},
                                    {u"deo"_s, u"part"_s, 0},
                                    {u"cvet"_s, u"flower"_s, 0},
                                    {u"znanje"_s, u"knowledge"_s, 0},
                                    {u"polje"_s, u"field"_s, 0},
                                    {u"nije"_s, u"is not"_s, 0},
                                    {u"jasnije"_s, u"more clearly"_s, 0},
                                    {u"kozje"_s, u"goat's"_s, 0},
                                    {u"izjednačiti"_s, u"to equalize"_s, 0},
                                    {u"ratio"_s, u"omjer"_s, -1},
                                });
    const struct
    {
        QString phrase;
        SearchLanguage language;
        FindMethod method;
        QStringList words;
    } cases[] = {
        {u"vrednost"_s, SearchLanguage::Serbian, FindMethod::Whole, {u"vrijednost"_s}},
        {u"mleko"_s, SearchLanguage::Serbian, FindMethod::Whole, {u"mlijeko"_s}},
        {u"млеко"_s, SearchLanguage::Both, FindMethod::Whole, {u"mlijeko"_s}},
        {u"dete"_s, SearchLanguage::Serbian, FindMethod::Whole, {u"dete"_s, u"dijete"_s}},
        {u"dijete"_s, SearchLanguage::Serbian, FindMethod::Whole, {u"dijete"_s, u"dete"_s}},
        {u"uspeo"_s, SearchLanguage::Serbian, FindMethod::Whole, {u"uspio"_s}},
        {u"odeljak"_s, SearchLanguage::Serbian, FindMethod::Whole, {u"odjeljak"_s}},
        {u"rijeka"_s, SearchLanguage::Serbian, FindMethod::Whole, {u"reka"_s}},
        {u"dio"_s, SearchLanguage::Serbian, FindMethod::Whole, {u"deo"_s}},
        {u"cvijet"_s, SearchLanguage::Both, FindMethod::Whole, {u"cvet"_s}},
        {u"vred"_s, SearchLanguage::Serbian, FindMethod::Begins, {u"vrijednost"_s}},
        {u"de"_s, SearchLanguage::Serbian, FindMethod::Begins, {u"dete"_s, u"deo"_s, u"dijete"_s}},
        // Must not join.
        {u"znane"_s, SearchLanguage::Serbian, FindMethod::Whole, {}},
        {u"pole"_s, SearchLanguage::Serbian, FindMethod::Whole, {}},
        {u"ne"_s, SearchLanguage::Serbian, FindMethod::Whole, {}},
        {u"jasne"_s, SearchLanguage::Serbian, FindMethod::Whole, {}},
        {u"koze"_s, SearchLanguage::Serbian, FindMethod::Whole, {}},
        {u"izednaciti"_s, SearchLanguage::Serbian, FindMethod::Whole, {}},
        // English headwords are compared as written.
        {u"rateo"_s, SearchLanguage::Both, FindMethod::Whole, {}},
    };
    IndexedDictionaryStore indexed(path);
    SqliteDictionaryStore reference(path);
    for (DictionaryStore* store :
         {static_cast<DictionaryStore*>(&indexed), static_cast<DictionaryStore*>(&reference)}) {
        LookupEngine engine(*store);
        for (const auto& c : cases) {
            const test::PrintedLookup display =
                engine.lookUp(c.phrase, c.language, c.method, Matching::Tolerant);
            EXPECT_EQ(headwordsShown(display), c.words) << c.phrase.toStdString();
        }
    }
}

TEST_F(TolerantSearchTest, KeepsTheCaptionOfThePhraseAsTyped)
{
    SetLanguageOffset(1);
    test::writeDictionary(path, {{u"kuća"_s, u"house"_s, 0}, {u"kućama"_s, u"houses"_s, 0}});
    IndexedDictionaryStore store(path);
    LookupEngine engine(store);
    const test::PrintedLookup display =
        engine.lookUp(u"kuca"_s, SearchLanguage::Both, FindMethod::Contains, Matching::Tolerant);
    EXPECT_EQ(display.kind, ContentKind::Results);
    EXPECT_EQ(display.caption, u"Last 2: *KUCA*"_s);
    EXPECT_EQ(display.lines, (QStringList{u"kuća~1house"_s, u"kućama~1houses"_s}));
    const test::PrintedLookup none =
        engine.lookUp(u"kuca"_s, SearchLanguage::Both, FindMethod::Contains, Matching::Exact);
    EXPECT_EQ(none.kind, ContentKind::NoMatches);
    SetLanguageOffset(0);
}

TEST_F(TolerantSearchTest, StopsAtFifteenRowsExactOnesFirst)
{
    QList<test::Row> rows;
    for (int i = 0; i < 20; ++i)
        rows.append({u"čaša %1"_s.arg(i), u"glass"_s, 0});
    for (int i = 0; i < 10; ++i)
        rows.append({u"casa %1"_s.arg(i), u"(plain)"_s, 0});
    test::writeDictionary(path, rows);
    IndexedDictionaryStore store(path);
    LookupEngine engine(store);
    const test::PrintedLookup display =
        engine.lookUp(u"casa"_s, SearchLanguage::Serbian, FindMethod::Begins, Matching::Tolerant);
    ASSERT_EQ(display.lines.size(), kMaxResultLines);
    EXPECT_EQ(display.lines.front(), u"casa 0~1(plain)"_s);
    EXPECT_EQ(display.lines.at(9), u"casa 9~1(plain)"_s);
    EXPECT_EQ(display.lines.at(10), u"čaša 0~1glass"_s);
    EXPECT_EQ(display.lines.back(), u"čaša 4~1glass"_s);
}

TEST_F(TolerantSearchTest, TheIndexFindsWhatTheReferenceScanFinds)
{
    QRandomGenerator random(20240611);
    QList<test::Row> rows;
    for (int i = 0; i < 600; ++i) {
        const quint32 kind = random.bounded(10);
        rows.append({randomText(random, 5), u"m%1"_s.arg(i), kind < 4 ? -1 : kind < 9 ? 0 : 3});
    }
    test::writeDictionary(path, rows);
    QStringList phrases = kPieces;
    for (int i = 0; i < 120; ++i)
        phrases << randomText(random, 3);
    phrases << u"djdjdjdjdjdj"_s << u"zzz"_s;

    SqliteDictionaryStore reference(path);
    IndexedDictionaryStore indexed(path);
    for (const QString& phrase : std::as_const(phrases)) {
        for (const SearchLanguage language : test::kAllLanguages) {
            for (const FindMethod method : test::kAllMethods) {
                for (const int limit : {15, 1, 60}) {
                    ASSERT_EQ(
                        describe(indexed.findOnlyTolerantRows(language, method, phrase, limit)),
                        describe(reference.findOnlyTolerantRows(language, method, phrase, limit)))
                        << "phrase \"" << phrase.toStdString() << "\" language " << int(language)
                        << " method " << int(method) << " limit " << limit;
                }
            }
        }
    }
}

namespace {

QString withoutMarks(const QString& word)
{
    QString plain = word.normalized(QString::NormalizationForm_D);
    plain.removeIf([](QChar c) { return c.isMark(); });
    return plain.replace(u'đ', u"dj"_s).replace(u'Đ', u"Dj"_s);
}

} // namespace

TEST_F(TolerantSearchTest, OnTheDefaultDictionaryKeepsTheExactOutcomeAndAddsToIt)
{
    const QString defaultDictionary = QStringLiteral(KVEL_DEFAULT_DICTIONARY);
    ASSERT_TRUE(QFile::exists(defaultDictionary));
    SqliteDictionaryStore reference(defaultDictionary);
    IndexedDictionaryStore indexed(defaultDictionary);
    LookupEngine referenceEngine(reference);
    LookupEngine engine(indexed);

    QStringList phrases;
    const auto everyRow =
        reference.findRows(SearchLanguage::Both, FindMethod::Contains, u""_s, INT_MAX);
    ASSERT_TRUE(everyRow && everyRow->size() > 100'000);
    // The reference reads the whole table per lookup: a few words spread over
    // the table, three phrases per word, and a word with marks also typed
    // without them, the phrase tolerance is for.
    QStringList plainWords;
    QStringList markedWords;
    for (const DictionaryRow& row : std::as_const(*everyRow)) {
        const bool marked =
            std::any_of(row.word.cbegin(), row.word.cend(), [](QChar c) { return c > u'~'; });
        (marked ? markedWords : plainWords) << row.word;
    }
    constexpr qsizetype kWordsOfEachKind = 6;
    for (const QStringList* words : {&plainWords, &markedWords}) {
        const qsizetype step = words->size() / kWordsOfEachKind;
        for (qsizetype i = step / 2; i < words->size(); i += step) {
            const QString& word = words->at(i);
            phrases << word << word.left(2) << word.right(3);
            if (words == &markedWords)
                phrases << withoutMarks(word);
        }
    }
    int differences = 0;
    for (const QString& phrase : std::as_const(phrases)) {
        for (const FindMethod method : test::kAllMethods) {
            const test::PrintedLookup exact =
                engine.lookUp(phrase, SearchLanguage::Both, method, Matching::Exact);
            const test::PrintedLookup tolerant =
                engine.lookUp(phrase, SearchLanguage::Both, method, Matching::Tolerant);
            // Off, the indexed lookup is the reference's, as before tolerance existed.
            EXPECT_EQ(exact.lines, test::PrintedLookup(
                                       referenceEngine.lookUp(phrase, SearchLanguage::Both, method))
                                       .lines)
                << phrase.toStdString();
            const QStringList exactRows =
                exact.kind == ContentKind::Results ? exact.lines : QStringList();
            EXPECT_EQ(tolerant.lines.mid(0, exactRows.size()), exactRows) << phrase.toStdString();
            EXPECT_EQ(tolerant.lines,
                      test::PrintedLookup(referenceEngine.lookUp(phrase, SearchLanguage::Both,
                                                                 method, Matching::Tolerant))
                          .lines)
                << phrase.toStdString();
            differences += tolerant.kind == ContentKind::Results && tolerant.lines != exactRows;
        }
    }
    // Words with č, ć, đ, š, ž are looked up also without them: some outcomes grow.
    EXPECT_GT(differences, 0);
}
