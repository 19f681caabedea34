// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/content/ContentMarkup.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

TEST(ContentMarkup, EntriesAndHelpLinesInTextForm)
{
    BalloonContent content{ContentKind::Results, ImageId::SeveralHits, u"Last 2"_s};
    content.entries = {{u"house"_s, HeadLanguage::English, u"kuća…"_s, u"kuća; dom"_s},
                       {u"kuća"_s, HeadLanguage::Serbian, u"house"_s, u"house"_s}};
    content.helpLines = {{u"Alt+L"_s, u" language"_s}, {u""_s, u"x"_s}, {std::nullopt, u"y"_s}};
    EXPECT_EQ(markupLines(content), (QStringList{u"house~0kuća…"_s, u"kuća~1house"_s,
                                                 u"Alt+L~2 language"_s, u"~2x"_s, u"y"_s}));
    EXPECT_EQ(markupLines({}), QStringList());
}

TEST(ContentMarkup, HelpLinesFromTextSplitAtLineBreaksAndTheFirstLabelCode)
{
    struct Case
    {
        QString text;
        QList<HelpLine> lines;
    };
    const Case cases[] = {
        {u"Alt+L~2 Changing"_s, {{u"Alt+L"_s, u" Changing"_s}}},
        {u"Program:~2"_s, {{u"Program:"_s, u""_s}}},
        {u"a~2b~2c"_s, {{u"a"_s, u"b~2c"_s}}},
        {u"~2x"_s, {{u""_s, u"x"_s}}},
        {u"no label; ~0 ~1"_s, {{std::nullopt, u"no label; ~0 ~1"_s}}},
        {u""_s, {{std::nullopt, u""_s}}},
        {u"a\r\nb~2c\n"_s, {{std::nullopt, u"a"_s}, {u"b"_s, u"c"_s}, {std::nullopt, u""_s}}},
        {u"a\rb\u2028c\u2029d"_s,
         {{std::nullopt, u"a"_s},
          {std::nullopt, u"b"_s},
          {std::nullopt, u"c"_s},
          {std::nullopt, u"d"_s}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QList<HelpLine> lines = helpLinesFromText(c.text);
        EXPECT_EQ(lines, c.lines);
        // Read back as text, every line is what it was.
        QStringList back;
        for (const HelpLine& line : lines)
            back << helpLineMarkup(line);
        EXPECT_EQ(back, splitAtLineBreaks(c.text));
    }
}

TEST(ContentMarkup, TextContentTakesEachTextsLinesInOrder)
{
    const BalloonContent content = textContent(ContentKind::Tip, ImageId::Tip, u"Tip"_s,
                                               {u"a\r\nb"_s, u"K~2 key"_s}, Qt::AlignHCenter);
    EXPECT_EQ(content.kind, ContentKind::Tip);
    EXPECT_EQ(content.image, ImageId::Tip);
    EXPECT_EQ(content.caption, u"Tip"_s);
    EXPECT_EQ(content.alignment, Qt::AlignHCenter);
    EXPECT_TRUE(content.entries.isEmpty());
    EXPECT_EQ(markupLines(content), (QStringList{u"a"_s, u"b"_s, u"K~2 key"_s}));
}

TEST(ContentMarkup, OnlyResultsWithAHeadwordHaveAFirstEntry)
{
    BalloonContent content{ContentKind::Results, ImageId::OneHit, {}};
    EXPECT_EQ(content.firstEntry(), nullptr);
    content.entries = {{QString(), HeadLanguage::English, u"m"_s, u"m"_s}};
    EXPECT_EQ(content.firstEntry(), nullptr);
    content.entries[0].headword = u" "_s;
    EXPECT_EQ(content.firstEntry(), &content.entries[0]);
    content.kind = ContentKind::NoMatches;
    EXPECT_EQ(content.firstEntry(), nullptr);
}
