// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-bench/BenchCommand.h"

#include "support/HostileDictionaries.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

TEST(BenchCommandTest, HostileDictionariesEndWithStatusThree)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const test::HostileDictionary& hostile : test::refusedDictionaries()) {
        const QString file = dir.filePath(QString::fromLatin1(hostile.name));
        hostile.make(file);
        test::finishWithin(std::chrono::seconds(60), [&] {
            SCOPED_TRACE(hostile.name);
            const BenchResult result = runBenchCommand({u"--db"_s, file}, QString());
            EXPECT_EQ(result.exitCode, 3);
            EXPECT_TRUE(result.err.contains(u"not a usable dictionary"_s));
        });
    }
}

TEST(BenchCommandTest, RunsOnTheMappedIndexUnlessTheBuiltOneIsAskedFor)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(u"kvel.mdb"_s);
    test::writeDictionary(file, {{u"house"_s, u"kuća"_s, -1}, {u"kuća"_s, u"house"_s, 0}});
    const QString queries = dir.filePath(u"queries.txt"_s);
    QFile queryFile(queries);
    ASSERT_TRUE(queryFile.open(QIODevice::WriteOnly) && queryFile.write("house\nku\n") > 0);
    queryFile.close();
    const struct
    {
        QStringList arguments;
        QString index;
    } cases[] = {{{}, u"mapped"_s},
                 {{u"--index"_s, u"mapped"_s}, u"mapped"_s},
                 {{u"--index"_s, u"built"_s}, u"built"_s}};
    for (const auto& c : cases) {
        const BenchResult result = runBenchCommand(
            QStringList{u"--db"_s, file, u"--json"_s, u"--queries"_s, queries} + c.arguments, {});
        SCOPED_TRACE(c.index.toStdString());
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.startsWith(u"{\"index\": \""_s + c.index + u"\", "_s));
        EXPECT_TRUE(result.out.contains(u"\"private_mb\": "_s));
    }
    EXPECT_EQ(runBenchCommand({u"--db"_s, file, u"--index"_s, u"disk"_s}, {}).exitCode, 2);
}
