// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/MappedIndexFile.h"

#include "lookup/index/DictionaryIndex.h"
#include "lookup/index/file/IndexFileWriter.h"
#include "lookup/sqlite/DictionarySchema.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/text/TextFolding.h"
#include "lookup/text/TolerantMatching.h"
#include "support/SearchChoices.h"
#include "support/TestDictionary.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace kvel;
using namespace kvel::indexfile;
using namespace Qt::StringLiterals;

namespace {

constexpr int kLimits[] = {1, 15, 1000};
constexpr ContentDigest kDigest = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                   17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};

// Marks, Cyrillic, ijekavian syllables, a letter beyond the BMP and blanks.
const QStringList kPieces = {u"a"_s,  u"č"_s,          u"Ć"_s,  u"đ"_s,  u"dj"_s, u"ž"_s,
                             u"s"_s,  u"ß"_s,          u"ку"_s, u"ћа"_s, u"Ђ"_s,  u"ije"_s,
                             u"je"_s, u"mle"_s,        u"ko"_s, u" "_s,  u"'"_s,  u"ing"_s,
                             u"ss"_s, u"\U0001D400"_s, u"e"_s};

QString randomText(QRandomGenerator& random)
{
    QString text;
    for (int pieces = 1 + int(random.bounded(5)); pieces > 0; --pieces)
        text += kPieces[int(random.bounded(quint32(kPieces.size())))];
    return text;
}

// Every kind of Selected, NULL and empty words, many repeats.
QList<test::Row> oddRows(quint32 seed)
{
    QRandomGenerator random(seed);
    QList<test::Row> rows;
    for (int i = 0; i < 800; ++i) {
        const quint32 kind = random.bounded(100);
        const QVariant word = kind < 2   ? QVariant()
                              : kind < 5 ? QVariant(u""_s)
                                         : QVariant(randomText(random));
        rows.append({word, u"m%1"_s.arg(i), kind < 45 ? -1 : kind < 90 ? 0 : kind < 95 ? 1 : 7});
    }
    return rows;
}

QStringList phrasesFor(const QList<test::Row>& rows)
{
    QStringList phrases = kPieces;
    phrases << u""_s << u"zzz"_s << u"kuca"_s << u"mleko"_s << u"mlijeko"_s << u"cj"_s << u"đa"_s
            << u"dja"_s << u"ку"_s << QString(40, u'a');
    for (qsizetype i = 0; i < rows.size(); i += 37) {
        const QString word = rows[i].word.toString();
        phrases << word << word.left(3) << word.right(2);
    }
    return phrases;
}

std::unique_ptr<DictionaryIndex> builtIndexOf(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const std::optional<QByteArray> rowIdName = rowIdNameOfTblKvel(db);
    std::unique_ptr<DictionaryIndex> index =
        rowIdName ? DictionaryIndex::read(db, *rowIdName).index : nullptr;
    sqlite3_close(db);
    return index;
}

// Lookups of every kind whose row ids differ between the two indexes; the
// first few of them.
QStringList differences(const DictionaryIndex& built, const DictionaryIndex& mapped,
                        const QStringList& phrases)
{
    QStringList found;
    for (const QString& phrase : phrases) {
        if (found.size() > 10)
            break;
        const QString folded = foldForMatching(phrase);
        const QString form = tolerantFormOfFolded(folded);
        for (const SearchLanguage language : test::kAllLanguages) {
            for (const FindMethod method : test::kAllMethods) {
                for (const int limit : kLimits) {
                    const auto note = [&](const char* kind) {
                        found << u"%1 %2 %3 %4 '%5'"_s.arg(QLatin1StringView(kind))
                                     .arg(int(language))
                                     .arg(int(method))
                                     .arg(limit)
                                     .arg(phrase);
                    };
                    if (built.find(language, method, folded, limit) !=
                        mapped.find(language, method, folded, limit))
                        note("exact");
                    if (built.findOnlyTolerant(language, method, folded, form, limit) !=
                        mapped.findOnlyTolerant(language, method, folded, form, limit))
                        note("tolerant");
                }
            }
        }
    }
    return found;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void store(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

template <class T> T& at(QByteArray& bytes, std::size_t offset)
{
    return *reinterpret_cast<T*>(bytes.data() + offset);
}

Header& header(QByteArray& bytes)
{
    return at<Header>(bytes, 0);
}

SectionEntry& entry(QByteArray& bytes, std::size_t section)
{
    return at<SectionEntry>(bytes, sizeof(Header) + section * sizeof(SectionEntry));
}

void rehashTable(QByteArray& bytes)
{
    Header& head = header(bytes);
    const std::size_t tableBytes = std::min<std::size_t>(
        head.sectionCount * sizeof(SectionEntry), std::size_t(bytes.size()) - sizeof(Header));
    const auto* base = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    head.tableHash = hashBytes(std::span(base + sizeof(Header), tableBytes),
                               hashBytes(std::span(base, offsetof(Header, tableHash))));
}

class MappedIndexFileTest : public test::DictionaryFileTest
{
protected:
    QString indexPath() const { return dir.filePath(u"kvel.kvx"_s); }
    // The dictionary of odd rows and its index file, written from the index built of it.
    std::unique_ptr<DictionaryIndex> writeOddDictionaryAndIndex(const QList<test::Row>& rows)
    {
        test::writeDictionary(path, rows);
        std::unique_ptr<DictionaryIndex> built = builtIndexOf(path);
        return built && writeIndexFile(*built, indexPath(), kDigest) ? std::move(built) : nullptr;
    }
};

} // namespace

TEST(BytesHashTest, BytesGivenInPartsHashAsOneSpan)
{
    // verify() reads sections through a small buffer, in parts of any size.
    QByteArray bytes(1000, '\0');
    for (int at = 0; at < bytes.size(); ++at)
        bytes[at] = char(at * 131 + at / 7);
    const auto all = std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               std::size_t(bytes.size()));
    for (const std::size_t part : {1, 7, 31, 32, 33, 100, 999, 1000}) {
        SCOPED_TRACE(part);
        for (const std::size_t size :
             {std::size_t(0), std::size_t(5), std::size_t(64), all.size()}) {
            BytesHash hash(42);
            for (std::size_t at = 0; at < size; at += part)
                hash.add(all.subspan(at, std::min(part, size - at)));
            EXPECT_EQ(hash.result(), hashBytes(all.first(size), 42));
        }
    }
}

TEST_F(MappedIndexFileTest, AnswersEveryLookupAsTheBuiltIndex)
{
    const QList<test::Row> rows = oddRows(20);
    struct Case
    {
        const char* name;
        QString path;
        QString changeSql; // run on the written dictionary
        QStringList phrases;
    };
    const Case cases[] = {
        {"odd rows", dir.filePath(u"odd.mdb"_s), {}, phrasesFor(rows)},
        // Row ids spread beyond 2^32 are kept as they are, not packed.
        {"wide row ids", dir.filePath(u"wide.mdb"_s),
         u"update TblKvel set rowid = rowid + 10000000000 where rowid > 400"_s, phrasesFor(rows)},
        {"no rows", dir.filePath(u"empty.mdb"_s), u"delete from TblKvel"_s, {u"a"_s, u""_s}},
        {"default dictionary",
         QStringLiteral(KVEL_DEFAULT_DICTIONARY),
         {},
         {u"a"_s, u"ab"_s, u"the"_s, u"house"_s, u"kuća"_s, u"kuca"_s, u"mleko"_s, u"mlijeko"_s,
          u"ђак"_s, u"cas"_s, u"tion"_s, u"zz"_s, u"dj"_s, u"ž"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.path.startsWith(dir.path()))
            ASSERT_TRUE(QFile::exists(c.path));
        else {
            test::writeDictionary(c.path, rows);
            if (!c.changeSql.isEmpty())
                test::executeSql(c.path, c.changeSql);
        }
        const std::unique_ptr<DictionaryIndex> built = builtIndexOf(c.path);
        ASSERT_TRUE(built);
        ASSERT_TRUE(writeIndexFile(*built, indexPath(), kDigest));
        const std::unique_ptr<MappedIndexFile> mapped = MappedIndexFile::open(indexPath());
        ASSERT_TRUE(mapped);
        EXPECT_TRUE(mapped->verify());
        EXPECT_EQ(mapped->contentDigest(), kDigest);
        EXPECT_EQ(differences(*built, mapped->index(), c.phrases), QStringList());
        EXPECT_FALSE(mapped->lost());
    }
}

TEST_F(MappedIndexFileTest, RefusesADamagedFileAtOpeningOrVerifying)
{
    ASSERT_TRUE(writeOddDictionaryAndIndex(oddRows(7)));
    QByteArray good = contentOf(indexPath());
    const auto dataStart = qsizetype(entry(good, 0).offset);
    enum Outcome
    {
        Refused,
        FailsVerify
    };
    // Rehashed: the header and table hashed again after the change, so that
    // the check behind that hash is what refuses the file.
    enum Table
    {
        AsChanged,
        Rehashed
    };
    struct Damage
    {
        const char* name;
        std::function<void(QByteArray&)> apply;
        Table table;
        Outcome outcome;
    };
    const Damage damages[] = {
        {"zero length", [](QByteArray& b) { b.clear(); }, AsChanged, Refused},
        {"truncated in the header", [](QByteArray& b) { b.truncate(40); }, AsChanged, Refused},
        {"truncated in the table", [&](QByteArray& b) { b.truncate(dataStart - 20); }, AsChanged,
         Refused},
        {"truncated in the data", [](QByteArray& b) { b.truncate(b.size() / 2); }, AsChanged,
         Refused},
        {"one byte short", [](QByteArray& b) { b.chop(1); }, AsChanged, Refused},
        {"wrong magic", [](QByteArray& b) { b[0] = 'X'; }, AsChanged, Refused},
        {"foreign version", [](QByteArray& b) { header(b).formatVersion = kFormatVersion + 1; },
         Rehashed, Refused},
        {"big-endian byte order", [](QByteArray& b) { header(b).byteOrderMark = 0x04030201; },
         Rehashed, Refused},
        {"huge section count", [](QByteArray& b) { header(b).sectionCount = UINT32_MAX; }, Rehashed,
         Refused},
        {"no sections", [](QByteArray& b) { header(b).sectionCount = 0; }, Rehashed, Refused},
        {"flipped table byte", [](QByteArray& b) { b[qsizetype(sizeof(Header)) + 17] ^= 1; },
         AsChanged, Refused},
        {"section out of bounds",
         [](QByteArray& b) { entry(b, 3).offset = std::uint64_t(b.size()) + 8; }, Rehashed,
         Refused},
        {"section not aligned", [](QByteArray& b) { entry(b, 3).offset += 1; }, Rehashed, Refused},
        {"count larger than the section", [](QByteArray& b) { entry(b, 1).count += 1; }, Rehashed,
         Refused},
        {"count that overflows",
         [](QByteArray& b) {
             entry(b, 1).count = UINT64_MAX / 2;
             entry(b, 1).bytes = 0;
         },
         Rehashed, Refused},
        {"sections of another kind", [](QByteArray& b) { std::swap(entry(b, 0), entry(b, 1)); },
         Rehashed, Refused},
        {"flipped data byte", [](QByteArray& b) { b[b.size() - 5] ^= 0x10; }, AsChanged,
         FailsVerify},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        QByteArray bytes = good;
        damage.apply(bytes);
        if (damage.table == Rehashed)
            rehashTable(bytes);
        store(indexPath(), bytes);
        const std::unique_ptr<MappedIndexFile> mapped = MappedIndexFile::open(indexPath());
        if (damage.outcome == Refused) {
            EXPECT_FALSE(mapped);
            continue;
        }
        ASSERT_TRUE(mapped);
        EXPECT_FALSE(mapped->verify());
        mapped->index().find(SearchLanguage::Both, FindMethod::Contains, u"ije", 15);
    }
}

TEST_F(MappedIndexFileTest, AFileTruncatedWhileMappedReadsAsZerosAndIsMarkedLost)
{
    ASSERT_TRUE(writeOddDictionaryAndIndex(oddRows(3)));
    const std::unique_ptr<MappedIndexFile> mapped = MappedIndexFile::open(indexPath());
    ASSERT_TRUE(mapped);
    ASSERT_FALSE(
        mapped->index().find(SearchLanguage::Both, FindMethod::Contains, u"a", 15).empty());

    ASSERT_TRUE(QFile::resize(indexPath(), 0));
    for (const FindMethod method : test::kAllMethods) {
        EXPECT_EQ(mapped->index().find(SearchLanguage::Both, method, u"a", 15).size(), 0u);
        mapped->index().findOnlyTolerant(SearchLanguage::Both, method, u"ca", u"ca", 15);
    }
    EXPECT_TRUE(mapped->lost());
    EXPECT_FALSE(mapped->verify());
}

TEST_F(MappedIndexFileTest, AStoreOnAMappedIndexFindsTheSameRowsAndBuildsAgainWhenItIsLost)
{
    const QList<test::Row> rows = oddRows(11);
    ASSERT_TRUE(writeOddDictionaryAndIndex(rows));
    IndexedDictionaryStore reference(path);
    IndexedDictionaryStore store(path, MappedIndexFile::open(indexPath()));
    const auto wordsFound = [](IndexedDictionaryStore& from, const QString& phrase) {
        const auto found = from.findRows(SearchLanguage::Both, FindMethod::Contains, phrase, 15);
        QStringList words;
        for (const DictionaryRow& row : found.value_or(QList<DictionaryRow>()))
            words << row.word + u'|' + row.meaning;
        return words;
    };
    const auto sameRows = [&] {
        for (const QString& phrase : phrasesFor(rows)) {
            if (wordsFound(store, phrase) != wordsFound(reference, phrase))
                return false;
        }
        return true;
    };
    EXPECT_TRUE(sameRows());
    ASSERT_TRUE(QFile::resize(indexPath(), 0));
    store.findRows(SearchLanguage::Both, FindMethod::Contains, u"a"_s, 15);
    EXPECT_TRUE(sameRows());
}
