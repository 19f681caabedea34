// SPDX-License-Identifier: GPL-2.0-or-later
#include "JetTestFiles.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/store/ConvertingDictionaryStore.h"
#include "lookup/store/DictionaryChecks.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "support/PrintedLookup.h"
#include "support/RandomBytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <random>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr int kCopiesPerMutation = 75;

using Mutation = QByteArray (*)(QByteArray, std::mt19937&);

QByteArray truncate(QByteArray bytes, std::mt19937& random)
{
    bytes.truncate(randomBelow(random, bytes.size()));
    return bytes;
}

// A few bytes changed anywhere after the header: page types, row offsets,
// column definitions, usage maps, text.
QByteArray flipBytes(QByteArray bytes, std::mt19937& random)
{
    const int flips = 1 + int(randomBelow(random, 8));
    for (int i = 0; i < flips; ++i)
        bytes[20 + randomBelow(random, bytes.size() - 20)] ^= char(1 + randomBelow(random, 255));
    return bytes;
}

// 32-bit page and row numbers pointing far outside the file, written where
// pages keep them (4-byte aligned).
QByteArray pointOutside(QByteArray bytes, std::mt19937& random)
{
    const int writes = 1 + int(randomBelow(random, 4));
    for (int i = 0; i < writes; ++i) {
        const qsizetype at =
            kJetPageSize + 4 * randomBelow(random, (bytes.size() - kJetPageSize) / 4);
        const quint32 value = quint32(random()) | 0x00100000;
        for (int b = 0; b < 4; ++b)
            bytes[at + b] = char(value >> (8 * b));
    }
    return bytes;
}

// The valid header page, then random bytes of a random length.
QByteArray randomAfterHeader(QByteArray bytes, std::mt19937& random)
{
    bytes.truncate(kJetPageSize);
    const qsizetype tail = randomBelow(random, 16 * kJetPageSize);
    for (qsizetype i = 0; i < tail; ++i)
        bytes.append(char(random()));
    return bytes;
}

} // namespace

// Damaged Jet files must give the version notice, "Internal error", or (when
// the damage missed what is read) ordinary results: never a crash or a hang
// in this process, whatever the converter child does.
TEST(JetMutationTest, DamagedFilesGiveNoticesOrResultsNeverACrash)
{
    const std::pair<const char*, Mutation> mutations[] = {
        {"truncated", truncate},
        {"bytes flipped", flipBytes},
        {"pointers outside", pointOutside},
        {"random after header", randomAfterHeader},
    };
    const QByteArray original = readBytes(jetData(u"jet-kvel.mdb"_s));
    std::mt19937 random(20240611);
    QTemporaryDir dir;
    const JetConverter converter =
        realConverter(dir.filePath(u"cache"_s), {3s, 0ms, qint64(512) << 20});
    std::map<std::string, int> tally;
    int copy = 0;
    for (const auto& [name, mutate] : mutations) {
        for (int i = 0; i < kCopiesPerMutation; ++i) {
            const QString path = dir.filePath(u"kvel-%1.mdb"_s.arg(++copy));
            writeBytes(path, mutate(original, random));
            ConvertingDictionaryStore store(path, makeStore<SqliteDictionaryStore>, converter);
            const DictionaryChecks checks = runDictionaryChecks(path, store);
            if (const auto notice = dictionaryNotice(checks)) {
                EXPECT_EQ(notice->kind, ContentKind::DictionaryVersionNotice) << name << " " << i;
                ++tally["version notice"];
                continue;
            }
            LookupEngine engine(store);
            for (const QString& phrase : {u"house"_s, u"kuća"_s, u"a"_s}) {
                const test::PrintedLookup shown =
                    engine.lookUp(phrase, SearchLanguage::Both, FindMethod::Contains);
                EXPECT_FALSE(shown.closed);
                EXPECT_TRUE(shown.kind == ContentKind::Results ||
                            shown.kind == ContentKind::NoMatches ||
                            shown.kind == ContentKind::QueryFailed)
                    << name << " " << i << " kind " << int(shown.kind);
                ++tally[shown.kind == ContentKind::QueryFailed ? "internal error" : "results"];
            }
            engine.QueryMeaning(u"house"_s, kEnglishHeadword);
        }
    }
    for (const auto& [outcome, count] : tally)
        std::cout << "[ mutation ] " << outcome << ": " << count << '\n';
    EXPECT_GT(tally["version notice"], 0);
}
