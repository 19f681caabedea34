// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/MeaningCleaner.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel::dictbuild;
using namespace Qt::StringLiterals;

TEST(MeaningCleanerTest, SplitsALineIntoMeanings)
{
    struct Case
    {
        QString line;
        QStringList meanings;
    };
    const Case cases[] = {
        {u"кућа"_s, {u"кућа"_s}},
        {u"когод, неко"_s, {u"когод"_s, u"неко"_s}},
        {u"1. когод, неко"_s, {u"когод"_s, u"неко"_s}},
        {u"  12) far away "_s, {u"far away"_s}},
        {u"sati; časova,dom"_s, {u"sati"_s, u"časova"_s, u"dom"_s}},
        {u"house /haus/, home /həʊm/"_s, {u"house"_s, u"home"_s}},
        {u"/haus/"_s, {}},
        {u"and/or, 1/2, a / b"_s, {u"and/or"_s, u"1/2"_s, u"a / b"_s}},
        {u"voda (pitka, hladna), led"_s, {u"voda (pitka, hladna)"_s, u"led"_s}},
        {u"1,5 kg, litar"_s, {u"1,5 kg"_s, u"litar"_s}},
        {u"1984 godina"_s, {u"1984 godina"_s}}, // a number that is not a sense number
        {u"a,, ;b ,"_s, {u"a"_s, u"b"_s}},
        {u"house  of\tworship"_s, {u"house of worship"_s}},
        {u""_s, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(splitMeanings(c.line), c.meanings);
    }
}

TEST(MeaningCleanerTest, ReadsDictdArticles)
{
    struct Case
    {
        const char* what;
        QString indexHeadword;
        QString text;
        DictdArticle article;
    };
    const Case cases[] = {
        {"header and one sense", u"house"_s, u"house /haus/\nкућа\n"_s, {u"house"_s, {u"кућа"_s}}},
        {"numbered senses",
         u"a"_s,
         u"a /ə/\n1. у\n2. когод, неко\n"_s,
         {u"a"_s, {u"у"_s, u"когод"_s, u"неко"_s}}},
        {"header gives the written case",
         u"april"_s,
         u"April /eiprəl/\nаприл, травањ\n"_s,
         {u"April"_s, {u"април"_s, u"травањ"_s}}},
        {"header naming another word keeps the index headword",
         u"house"_s,
         u"house of worship /x/\nцрква\n"_s,
         {u"house"_s, {u"црква"_s}}},
        {"header without pronunciation",
         u"hotel"_s,
         u"Hotel\nхотел\n"_s,
         {u"Hotel"_s, {u"хотел"_s}}},
        {"the headword alone is a meaning", u"hotel"_s, u"hotel\n"_s, {u"hotel"_s, {u"hotel"_s}}},
        {"no header", u"kuća"_s, u"house, home\n"_s, {u"kuća"_s, {u"house"_s, u"home"_s}}},
        {"grammar tag and meaning on the header line",
         u"cat"_s,
         u"cat /kæt/ <n> mačka\n"_s,
         {u"cat"_s, {u"mačka"_s}}},
        {"CRLF and blank lines",
         u"cat"_s,
         u"\r\ncat /kæt/\r\n\r\nmačka\r\n\r\n"_s,
         {u"cat"_s, {u"mačka"_s}}},
        {"continuation line",
         u"church"_s,
         u"church /tʃəːtʃ/\n1. crkva, kuća\n   molitve\n2. hram\n"_s,
         {u"church"_s, {u"crkva"_s, u"kuća molitve"_s, u"hram"_s}}},
        {"indented senses are not continuations",
         u"church"_s,
         u"church /tʃəːtʃ/\n 1. crkva\n 2. hram\n"_s,
         {u"church"_s, {u"crkva"_s, u"hram"_s}}},
        {"notes and their continuation dropped",
         u"cat"_s,
         u"cat /kæt/\nmačka\nNote: also a\n   whip\nmačak\n"_s,
         {u"cat"_s, {u"mačka"_s, u"mačak"_s}}},
        {"empty article", u"cat"_s, u""_s, {u"cat"_s, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DictdArticle article = parseDictdArticle(c.indexHeadword, c.text);
        EXPECT_EQ(article.headword, c.article.headword);
        EXPECT_EQ(article.meanings, c.article.meanings);
    }
}
