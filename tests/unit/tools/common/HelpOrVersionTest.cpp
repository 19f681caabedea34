// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/QtPrinters.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// --help and --version alone answer with status 0 on standard output; with
// anything else beside them each tool parses its command line as before.
TEST(HelpOrVersionTest, AloneTheyAnswerOtherwiseTheCommandLineIsParsedAsBefore)
{
    struct Case
    {
        const char* program;
        QStringList arguments;
        int exitCode;
        QString out; // a pattern for the whole of standard output
        QString err; // likewise for standard error
    };
    const Case cases[] = {
        {KVEL_LOOKUP_PROGRAM, {u"--help"_s}, 0, u"usage: kvel-lookup .*--version\n"_s, u""_s},
        {KVEL_LOOKUP_PROGRAM, {u"--version"_s}, 0, u"kvel-lookup \\d+\\.\\d+\n"_s, u""_s},
        {KVEL_DICT_PROGRAM, {u"--help"_s}, 0, u"usage: kvel-dict .*--version\n.*"_s, u""_s},
        {KVEL_DICT_PROGRAM, {u"--version"_s}, 0, u"kvel-dict \\d+\\.\\d+\n"_s, u""_s},
        {KVEL_BENCH_PROGRAM, {u"--help"_s}, 0, u"usage: kvel-bench .*--version\n"_s, u""_s},
        {KVEL_BENCH_PROGRAM, {u"--version"_s}, 0, u"kvel-bench \\d+\\.\\d+\n"_s, u""_s},
        {KVEL_LOOKUP_PROGRAM,
         {u"--help"_s, u"house"_s},
         2,
         u""_s,
         u"kvel-lookup: Unknown option 'help'.\nusage: .*"_s},
        {KVEL_LOOKUP_PROGRAM,
         {u"--version"_s, u"house"_s},
         2,
         u""_s,
         u"kvel-lookup: Unknown option 'version'.\nusage: .*"_s},
        {KVEL_BENCH_PROGRAM,
         {u"--json"_s, u"--version"_s},
         2,
         u""_s,
         u"kvel-bench: Unknown option 'version'.\nusage: .*"_s},
        {KVEL_DICT_PROGRAM,
         {u"--version"_s, u"2.5"_s},
         2,
         u""_s,
         u"kvel-dict: missing command \"build\"\nusage: .*"_s},
        {KVEL_DICT_PROGRAM, {u"build"_s, u"--help"_s}, 0, u"usage: kvel-dict .*"_s, u""_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.program << ' ' << c.arguments.join(u' ').toStdString());
        QProcess process;
        process.start(QString::fromUtf8(c.program), c.arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), c.exitCode);
        const auto whole = [](const QString& pattern) {
            return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                      QRegularExpression::DotMatchesEverythingOption);
        };
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_TRUE(whole(c.out).match(out).hasMatch()) << out.toStdString();
        EXPECT_TRUE(whole(c.err).match(err).hasMatch()) << err.toStdString();
    }
}
