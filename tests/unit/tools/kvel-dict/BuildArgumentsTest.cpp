// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/BuildArguments.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel::dictbuild;
using namespace Qt::StringLiterals;

TEST(BuildArgumentsTest, ReadsARequest)
{
    const ParsedArguments parsed = parseBuildArguments(
        {u"build"_s, u"english:/a/eng-srp"_s, u"-o"_s, u"out.mdb"_s, u"--version"_s, u"2.10"_s,
         u"serbian:words.tsv"_s, u"english:c:odd.tsv"_s});
    ASSERT_EQ(parsed.error, QString());
    EXPECT_FALSE(parsed.helpRequested);
    EXPECT_EQ(parsed.request.outputPath, u"out.mdb"_s);
    EXPECT_EQ(parsed.request.version, u"2.10"_s);
    const QList<DictionarySource> expected = {
        {-1, u"/a/eng-srp"_s},
        {0, u"words.tsv"_s},
        {-1, u"c:odd.tsv"_s}, // only the first colon ends the prefix
    };
    EXPECT_EQ(parsed.request.sources, expected);
}

TEST(BuildArgumentsTest, VersionDefaultsTo25AndOutputMayBeJoined)
{
    const ParsedArguments parsed =
        parseBuildArguments({u"build"_s, u"-oout.mdb"_s, u"english:x"_s});
    ASSERT_EQ(parsed.error, QString());
    EXPECT_EQ(parsed.request.outputPath, u"out.mdb"_s);
    EXPECT_EQ(parsed.request.version, u"2.5"_s);
}

TEST(BuildArgumentsTest, HelpNeedsNothingElse)
{
    for (const QString& option : {u"-h"_s, u"--help"_s}) {
        const ParsedArguments parsed = parseBuildArguments({option});
        EXPECT_TRUE(parsed.helpRequested);
        EXPECT_EQ(parsed.error, QString());
    }
}

TEST(BuildArgumentsTest, RejectsWrongUse)
{
    struct Case
    {
        QStringList arguments;
        QString error;
    };
    const Case cases[] = {
        {{}, u"missing command \"build\""_s},
        {{u"make"_s, u"-o"_s, u"x"_s, u"english:a"_s}, u"unknown command \"make\""_s},
        {{u"build"_s, u"english:a"_s}, u"missing -o FILE"_s},
        {{u"build"_s, u"english:a"_s, u"-o"_s}, u"Missing value after '-o'."_s},
        {{u"build"_s, u"-o"_s, u""_s, u"english:a"_s}, u"missing -o FILE"_s},
        {{u"build"_s, u"-o"_s, u"a"_s, u"-o"_s, u"b"_s, u"english:a"_s},
         u"-o given more than once"_s},
        {{u"build"_s, u"-o"_s, u"x"_s}, u"no SOURCE given"_s},
        {{u"build"_s, u"-o"_s, u"x"_s, u"french:a"_s},
         u"unknown SOURCE \"french:a\" (expected english:PATH, serbian:PATH or access:PATH)"_s},
        {{u"build"_s, u"-o"_s, u"x"_s, u"English:a"_s},
         u"unknown SOURCE \"English:a\" (expected english:PATH, serbian:PATH or access:PATH)"_s},
        {{u"build"_s, u"-o"_s, u"x"_s, u"english:"_s},
         u"unknown SOURCE \"english:\" (expected english:PATH, serbian:PATH or access:PATH)"_s},
        {{u"build"_s, u"-o"_s, u"x"_s, u"words.tsv"_s},
         u"unknown SOURCE \"words.tsv\" (expected english:PATH, serbian:PATH or access:PATH)"_s},
        {{u"build"_s, u"-o"_s, u"x"_s, u"--version"_s, u"2,5"_s, u"english:a"_s},
         u"--version \"2,5\" is not a number such as 2.5"_s},
        {{u"build"_s, u"-o"_s, u"x"_s, u"--version"_s, u"v2"_s, u"english:a"_s},
         u"--version \"v2\" is not a number such as 2.5"_s},
        {{u"build"_s, u"-o"_s, u"x"_s, u"--force"_s, u"english:a"_s}, u"Unknown option 'force'."_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        EXPECT_EQ(parseBuildArguments(c.arguments).error, c.error);
    }
}
