// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-bench/BenchCommand.h"

#include "support/HostileDictionaries.h"

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
