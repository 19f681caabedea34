// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/ContentLayout.h"

#include "core/content/ContentMarkup.h"
#include "core/strings/StringTableParser.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

DictionaryEntry entry(const QString& headword, HeadLanguage language, const QString& meanings)
{
    return {headword, language, meanings, meanings};
}

BalloonContent results(const QList<DictionaryEntry>& entries)
{
    return {ContentKind::Results, ImageId::SeveralHits, u"Last"_s, entries};
}

BalloonContent helpText(const QStringList& texts)
{
    BalloonContent content{ContentKind::About, ImageId::About, u"About"_s};
    for (const QString& text : texts)
        content.helpLines.append({std::nullopt, text});
    return content;
}

QStringList texts(const QList<ShownLine>& lines)
{
    QStringList shown;
    for (const ShownLine& line : lines)
        shown << line.look.text;
    return shown;
}

QList<std::optional<qsizetype>> entries(const QList<ShownLine>& lines)
{
    QList<std::optional<qsizetype>> shown;
    for (const ShownLine& line : lines)
        shown << line.entry;
    return shown;
}

// Cut after "...a;" by wrapping: two lines.
const QString kLongMeanings = QString(60, u'a') + u"; "_s + QString(40, u'b') + u"; end"_s;

} // namespace

TEST(ContentLayout, LineBreaksSplitLinesAndAnEmptyLastLineBecomesABlank)
{
    struct Case
    {
        QStringList lines;
        QStringList shown;
    };
    const Case cases[] = {
        {{}, {u" "_s}},
        {{u"a\r\nb"_s, u"c"_s}, {u"a"_s, u"b"_s, u"c"_s}},
        {{u"a"_s, u""_s}, {u"a"_s, u" "_s}},
        {{u""_s, u"b"_s}, {u""_s, u"b"_s}},
        {{u"a\nb\rc"_s}, {u"a"_s, u"b"_s, u"c"_s}},
        {{u"a\r\n\r\nb"_s}, {u"a"_s, u""_s, u"b"_s}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(texts(layOutContent(helpText(c.lines), false)), c.shown);
}

TEST(ContentLayout, SplitsThenFormatsEachLineAndKeepsItsEntry)
{
    const QList<ShownLine> shown =
        layOutContent(results({entry(u"house"_s, HeadLanguage::English, u"kuća\n; dom"_s),
                               entry(u"cat"_s, HeadLanguage::English, u"mačka"_s)}),
                      false);
    EXPECT_EQ(shown, (QList<ShownLine>{{{u"house  kuća"_s, 5, HeadColour::Red}, 0},
                                       {{u"; dom"_s, 0, HeadColour::Black}, 0},
                                       {{u"cat  mačka"_s, 3, HeadColour::Red}, 1}}));
}

TEST(ContentLayout, WrappedLinesBelongToTheirEntryAndHelpLinesToNone)
{
    BalloonContent content = results({entry(u"a"_s, HeadLanguage::English, kLongMeanings),
                                      entry(u"d"_s, HeadLanguage::Serbian, u"e"_s)});
    content.helpLines.append({u"f"_s, u"g"_s});
    const QList<ShownLine> wrapped = layOutContent(content, true);
    EXPECT_EQ(texts(wrapped),
              (QStringList{u"a  "_s + QString(60, u'a') + u";"_s,
                           u" "_s + QString(40, u'b') + u"; end"_s, u"d  e"_s, u"f  g"_s}));
    EXPECT_EQ(entries(wrapped), (QList<std::optional<qsizetype>>{0, 0, 1, std::nullopt}));
    EXPECT_EQ(wrapped[3].look.headColour, HeadColour::Black);
    EXPECT_EQ(layOutContent(content, false).size(), 3) << "unwrapped, one line each";
}

TEST(ContentLayout, PickingTakesTheLanguageOfTheLinesEntry)
{
    BalloonContent content = results({entry(u"a"_s, HeadLanguage::English, kLongMeanings),
                                      entry(u"k"_s, HeadLanguage::Serbian, u"x\ny"_s)});
    const QList<ShownLine> shown = layOutContent(content, true);
    ASSERT_EQ(shown.size(), 4);
    // The meanings of an English entry are Serbian (0), those of a Serbian one English (-1).
    const int picked[] = {0, 0, -1, -1};
    for (int line = 0; line < 4; ++line)
        EXPECT_EQ(pickedLanguage(content, shown, line), picked[line]) << "line " << line;
    EXPECT_EQ(pickedLanguage(content, shown, 4), 1) << "below the text";

    const BalloonContent help = helpText({u"Alt+L~2 language"_s});
    EXPECT_EQ(pickedLanguage(help, layOutContent(help, false), 0), 1);
}

TEST(ContentLayout, PicksPastTheFirstLinesHaveNoLanguage)
{
    QList<DictionaryEntry> many;
    for (int i = 0; i < kPickableLines + 2; ++i)
        many.append(entry(u"w%1"_s.arg(i), HeadLanguage::English, u"m"_s));
    const BalloonContent content = results(many);
    const QList<ShownLine> shown = layOutContent(content, false);
    EXPECT_EQ(pickedLanguage(content, shown, kPickableLines - 1), 0);
    EXPECT_EQ(pickedLanguage(content, shown, kPickableLines), 1);
    EXPECT_EQ(pickedLanguage(content, shown, 5000), 1);
    EXPECT_EQ(pickedLanguage(content, shown, -1), 1);
}

TEST(ContentLayout, TildesInTheDictionarysTextAreDrawnAsTheyAlwaysWere)
{
    // Codes inside the data become blanks and the last one moves the bold head;
    // the line still belongs to its entry and picks in its language.
    const BalloonContent content = results({entry(u"A~0B~1C"_s, HeadLanguage::English, u"x"_s)});
    const QList<ShownLine> shown = layOutContent(content, false);
    EXPECT_EQ(shown, (QList<ShownLine>{{{u"A  B  C  x"_s, 4, HeadColour::Blue}, 0}}));
    EXPECT_EQ(pickedLanguage(content, shown, 0), 0);
}

TEST(ContentLayout, EveryTextOfTheStringTableLooksTheSameCutIntoItsLines)
{
    // Help texts are cut into help lines where the window used to draw each
    // text whole; wrapping before or after the cut must not tell them apart.
    QFile file(u":/kvel/strings/kvel-strings.txt"_s);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QHash<int, QString> table = parseStringTable(file.readAll()).texts;
    ASSERT_GT(table.size(), 400);
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        BalloonContent whole{ContentKind::About, ImageId::About, {}};
        whole.helpLines.append({std::nullopt, it.value()});
        const BalloonContent cut =
            textContent(ContentKind::About, ImageId::About, {}, {it.value()});
        for (const bool wrap : {false, true})
            EXPECT_EQ(layOutContent(cut, wrap), layOutContent(whole, wrap)) << it.key();
    }
}
