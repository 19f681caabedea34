// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// Letters that fold in interesting ways: Č/č, ß (folds to "ss"), the long s
// and the Kelvin sign (fold to s and k), dotted İ and dotless ı, Greek final
// sigma, a letter outside the BMP (a surrogate pair), blanks and apostrophes.
const QStringList kPieces = {u"a"_s, u"b"_s, u"c"_s,  u"č"_s,  u"Č"_s,   u"ć"_s,          u"s"_s,
                             u"S"_s, u"ß"_s, u"ſ"_s,  u"k"_s,  u"K"_s,   u"\u212A"_s,     u"İ"_s,
                             u"ı"_s, u"i"_s, u"ς"_s,  u"Σ"_s,  u"σ"_s,   u"e"_s,          u"E"_s,
                             u" "_s, u"'"_s, u"ss"_s, u"an"_s, u"kuć"_s, u"\U0001D400"_s, u"-"_s};

QString randomText(QRandomGenerator& random, int maxPieces)
{
    QString text;
    const int pieces = 1 + int(random.bounded(quint32(maxPieces)));
    for (int i = 0; i < pieces; ++i)
        text += kPieces[int(random.bounded(quint32(kPieces.size())))];
    return text;
}

// Rows with every kind of Selected the filters must sort out, NULL and empty
// words and many repeats, so that common phrases match far more than 15 rows.
QList<test::Row> randomRows(quint32 seed, int count)
{
    QRandomGenerator random(seed);
    QList<test::Row> rows;
    for (int i = 0; i < count; ++i) {
        const quint32 kind = random.bounded(100);
        QVariant word = randomText(random, 6);
        if (kind < 2)
            word = QVariant();
        else if (kind < 3)
            word = u""_s;
        const int selected = kind < 45 ? -1 : kind < 90 ? 0 : kind < 95 ? 1 : 7;
        rows.append({word, u"meaning %1"_s.arg(i), selected});
    }
    return rows;
}

// Every piece alone and in pairs, pieces of real words and text found nowhere.
QStringList phrasesFor(const QList<test::Row>& rows, quint32 seed)
{
    QStringList phrases = kPieces;
    for (const QString& a : kPieces) {
        for (const QString& b : {u"a"_s, u"č"_s, u"s"_s, u"ß"_s, u" "_s})
            phrases << a + b;
    }
    QRandomGenerator random(seed);
    for (int i = 0; i < 80; ++i) {
        const QString word = rows[int(random.bounded(quint32(rows.size())))].word.toString();
        if (word.isEmpty())
            continue;
        const int from = int(random.bounded(quint32(word.size())));
        phrases << word.mid(from, 1 + int(random.bounded(quint32(word.size() - from)))) << word;
    }
    phrases << u"zzz"_s << u"qqqqqqqqqq"_s << u"čćčćč"_s << u"ab\u0000c"_s << QString(300, u'a');
    return phrases;
}

QString describe(const std::optional<QList<DictionaryRow>>& rows)
{
    if (!rows)
        return u"(failed)"_s;
    QStringList lines;
    for (const DictionaryRow& row : *rows)
        lines << row.word + u"|"_s + row.meaning + u"|"_s + QString::number(row.selected);
    return lines.join(u'\n');
}

struct Generated
{
    quint32 seed;
    int rows;
};

class IndexedStoreEquivalenceTest : public testing::TestWithParam<Generated>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(u"kvel.mdb"_s);
        rows = randomRows(GetParam().seed, GetParam().rows);
        test::writeDictionary(path, rows);
        // Kinds of Selected that only SQL's own comparison sorts out.
        test::executeSql(path, u"update TblKvel set Selected = null where rowid % 31 = 0;"
                               u"update TblKvel set Selected = 'x' where rowid % 37 = 0;"
                               u"update TblKvel set Selected = -1.0 where rowid % 41 = 0;"_s);
    }

    QTemporaryDir dir;
    QString path;
    QList<test::Row> rows;
};

} // namespace

TEST_P(IndexedStoreEquivalenceTest, FindsTheRowsThePlainScanFinds)
{
    SqliteDictionaryStore reference(path);
    IndexedDictionaryStore indexed(path);
    const QStringList phrases = phrasesFor(rows, GetParam().seed + 1);
    for (const QString& phrase : phrases) {
        for (const auto language :
             {SearchLanguage::Both, SearchLanguage::English, SearchLanguage::Serbian}) {
            for (const auto method :
                 {FindMethod::Begins, FindMethod::Contains, FindMethod::Ends, FindMethod::Whole}) {
                // 15 as the lookup asks; 1 and 40 around the length of the short lists.
                for (const int limit : {15, 1, 40}) {
                    const auto expected = reference.findRows(language, method, phrase, limit);
                    const auto actual = indexed.findRows(language, method, phrase, limit);
                    ASSERT_EQ(describe(actual), describe(expected))
                        << "phrase \"" << phrase.toStdString() << "\" language " << int(language)
                        << " method " << int(method) << " limit " << limit;
                }
            }
        }
    }
}

TEST_P(IndexedStoreEquivalenceTest, GivesTheMeaningsThePlainScanGives)
{
    SqliteDictionaryStore reference(path);
    IndexedDictionaryStore indexed(path);
    for (const QString& phrase : phrasesFor(rows, GetParam().seed + 2)) {
        for (const int selected : {-1, 0, 1, 7, 2}) {
            ASSERT_EQ(indexed.queryMeaning(phrase, selected),
                      reference.queryMeaning(phrase, selected))
                << "phrase \"" << phrase.toStdString() << "\" selected " << selected;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(GeneratedDictionaries, IndexedStoreEquivalenceTest,
                         testing::Values(Generated{1, 40}, Generated{2, 600}, Generated{3, 2000}));
