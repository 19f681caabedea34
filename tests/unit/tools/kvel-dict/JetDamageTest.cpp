// SPDX-License-Identifier: GPL-2.0-or-later
#include "DictTestFiles.h"
#include "kvel-dict/DictCommand.h"
#include "support/RandomBytes.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <random>

using namespace kvel::dictbuild;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kMutations = 400;

// One to four bytes changed in the header of pages after the first (page type,
// owner, free space, row count and offsets): the damage that crashes libmdb.
QByteArray damagePageHeaders(QByteArray bytes, std::mt19937& random)
{
    const auto below = [&random](qsizetype bound) {
        return randomBelow(random, bound);
    };
    const int changes = 1 + int(below(4));
    for (int i = 0; i < changes; ++i)
        bytes[(1 + below(bytes.size() / kJetPageSize - 1)) * kJetPageSize + below(64)] =
            char(below(256));
    return bytes;
}

} // namespace

// kvel-dict either converts a damaged Access file or names it in one line on
// standard error and exits with 1: it never dies of a signal.
TEST(JetDamageTest, DamagedAccessFilesNeverCrashKvelDict)
{
    const QString files[] = {u"jet-kvel.mdb"_s, u"jet-kvel-ver19.mdb"_s, u"jet-kvel-nover.mdb"_s};
    std::mt19937 random(20261208);
    QTemporaryDir dir;
    const QString damaged = dir.filePath(u"damaged.mdb"_s);
    const QString output = dir.filePath(u"out.sqlite"_s);
    std::map<std::string, int> tally;
    for (int i = 0; i < kMutations; ++i) {
        const QString& file = files[i % std::size(files)];
        SCOPED_TRACE(file.toStdString() + " mutation " + std::to_string(i));
        writeFile(damaged,
                  damagePageHeaders(readFile(QStringLiteral(KVEL_JET_DATA "/") + file), random));
        QProcess process;
        process.start(QStringLiteral(KVEL_DICT_PROGRAM),
                      {u"build"_s, u"-o"_s, output, u"access:"_s + damaged});
        ASSERT_TRUE(process.waitForFinished(120000));
        ASSERT_EQ(process.exitStatus(), QProcess::NormalExit);
        const QString err = QString::fromUtf8(process.readAllStandardError());
        if (process.exitCode() == DictExitCode::Success) {
            ++tally["converted"];
            continue;
        }
        EXPECT_EQ(process.exitCode(), DictExitCode::BuildFailed);
        // libmdb may warn before the report; the report is the last line.
        const QString report = err.section(u'\n', -2);
        EXPECT_TRUE(report.startsWith(u"kvel-dict: "_s + damaged + u": "_s)) << err.toStdString();
        ++tally[report.contains(u"damaged Access file"_s) ? "damaged" : "refused"];
    }
    for (const auto& [outcome, count] : tally)
        std::cout << "[ damage ] " << outcome << ": " << count << '\n';
}
