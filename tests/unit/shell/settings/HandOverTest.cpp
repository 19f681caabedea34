// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/HandOver.h"

#include "SettingsFiles.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/KvelSettings.h"
#include "support/QtPrinters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

TEST(HandOverText, JoinsTheWordsByBlanksWithinTheLimit)
{
    const QString a254(254, u'a');
    struct Case
    {
        QStringList words;
        QString text;
    };
    const Case cases[] = {
        {{}, u""_s},
        {{u"house"_s}, u"house"_s},
        {{u"house"_s, u"cat"_s}, u"house cat"_s},
        {{u""_s, u"cat"_s}, u" cat"_s},
        {{a254}, a254},
        {{QString(255, u'a')}, QString(255, u'a')},
        {{QString(300, u'a')}, QString(255, u'a')},
        // The cut lands right after a blank, which then stays.
        {{a254, u"x"_s}, a254 + u" "_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(handOverText(c.words), c.text) << c.words.join(u'|').toStdString();
}

TEST(HandOverText, WordsOf300CharactersKeepTheFirst255)
{
    QStringList words(29, u"abcdefghi"_s);
    words << u"abcdefghij"_s;
    const QString joined = words.join(u' ');
    ASSERT_EQ(joined.size(), 300);
    EXPECT_EQ(handOverText(words), joined.left(255));
}

TEST(HandOverText, LimitCountsCharactersNotUtf16Units)
{
    const QString clef = u"\U0001D11E"_s;
    const QString text = handOverText({clef.repeated(300)});
    EXPECT_EQ(text, clef.repeated(255));
}

namespace {

class HandOverTest : public testing::Test
{
public:
    QString path() const { return dir.filePath(u"kvel.ini"_s); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(HandOverTest, WordsTravelThroughSectionIE)
{
    ASSERT_TRUE(writeHandOver(path(), {u"house"_s, u"cat"_s}));
    EXPECT_EQ(readBytes(path()), "[IE]\nParamCount=2\nParamStr=house cat\n");

    const HandOver handOver = readHandOver(path());
    EXPECT_EQ(handOver.paramCount, 2);
    EXPECT_EQ(handOver.paramStr, u"house cat"_s);
}

TEST_F(HandOverTest, StartWithoutWordsHandsOverNothing)
{
    ASSERT_TRUE(writeHandOver(path(), {u"house"_s}));
    ASSERT_TRUE(writeHandOver(path(), {}));
    const HandOver handOver = readHandOver(path());
    EXPECT_EQ(handOver.paramCount, 0);
    EXPECT_EQ(handOver.paramStr, QString());
}

TEST_F(HandOverTest, MissingFileOrBadCountReadsAsNothing)
{
    EXPECT_EQ(readHandOver(path()).paramCount, 0);
    EXPECT_EQ(readHandOver(path()).paramStr, QString());

    writeBytes(path(), "[IE]\nParamCount=two\nParamStr=house cat\n");
    EXPECT_EQ(readHandOver(path()).paramCount, 0);
    EXPECT_EQ(readHandOver(path()).paramStr, u"house cat"_s);
}

TEST_F(HandOverTest, WordsCannotWriteKeysOfTheirOwn)
{
    ASSERT_TRUE(writeHandOver(path(), {u"a\n[IE]\nParamCount=9"_s}));
    const HandOver handOver = readHandOver(path());
    EXPECT_EQ(handOver.paramCount, 1);
    EXPECT_EQ(handOver.paramStr, u"a[IE]ParamCount=9"_s);
}

TEST_F(HandOverTest, HandOverAndSettingsLeaveEachOtherAlone)
{
    KvelSettings settings;
    settings.FRecentBoth = {u"dog"_s};
    ASSERT_EQ(SaveSettings(path(), settings, {1, 2}), IniUpdate::Written);
    ASSERT_TRUE(writeHandOver(path(), {u"house"_s, u"cat"_s}));
    ASSERT_EQ(SaveSettings(path(), settings, {3, 4}), IniUpdate::Written);

    EXPECT_EQ(readHandOver(path()).paramStr, u"house cat"_s);
    const KvelSettings loaded = LoadSettings(path(), QRect(0, 0, 1024, 768)).value();
    EXPECT_EQ(loaded.FRecentBoth, QStringList{u"dog"_s});
    EXPECT_EQ(QPoint(loaded.FBarLeft, loaded.FBarTop), QPoint(3, 4));
}
