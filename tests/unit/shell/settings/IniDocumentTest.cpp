// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/IniDocument.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

TEST(IniDocument, ValueIsTheRawTextAfterTheFirstEquals)
{
    struct Case
    {
        QString line;
        QString value;
    };
    const Case cases[] = {
        {u"Tray=1"_s, u"1"_s},         {u"Tray= 1"_s, u" 1"_s},
        {u"Tray=1 "_s, u"1 "_s},       {u"Tray=\"1\""_s, u"\"1\""_s},
        {u"Tray=a=b"_s, u"a=b"_s},     {u"Tray="_s, u""_s},
        {u"Tray =1"_s, u"1"_s},        {u"  Tray\t= x ;y"_s, u" x ;y"_s},
        {u"Tray=čćđšž"_s, u"čćđšž"_s},
    };
    for (const Case& c : cases) {
        const IniDocument ini(u"[Preferences]\n"_s + c.line + u"\n"_s);
        EXPECT_EQ(ini.value(u"Preferences", u"Tray", u"default"_s), c.value)
            << c.line.toStdString();
    }
}

TEST(IniDocument, NamesCompareWithoutRegardToAsciiCaseOnly)
{
    const IniDocument ini(u"[pREFERENCES]\ntRAY=1\n[ŠKOLA]\nKey=2\n"_s);
    EXPECT_EQ(ini.value(u"Preferences", u"Tray"), u"1"_s);
    EXPECT_EQ(ini.value(u"PREFERENCES", u"TRAY"), u"1"_s);
    EXPECT_EQ(ini.value(u"škola", u"Key", u"none"_s), u"none"_s);
    EXPECT_EQ(ini.value(u"ŠKOLA", u"key"), u"2"_s);
}

TEST(IniDocument, MissingSectionOrKeyGivesTheDefault)
{
    const IniDocument ini(u"Left=5\n[Window]\nTop=7\n[Recent]\nLeft=9\n"_s);
    EXPECT_EQ(ini.value(u"Window", u"Left", u"0"_s), u"0"_s)
        << "neither a key before the first section nor one of another section";
    EXPECT_EQ(ini.value(u"Find", u"Mask", u"3"_s), u"3"_s);
    EXPECT_EQ(ini.value(u"Window", u"Top", u"0"_s), u"7"_s);
    EXPECT_EQ(IniDocument().value(u"Window", u"Top"), QString());
}

TEST(IniDocument, CommentsAndLinesWithoutEqualsAreNoKeys)
{
    const IniDocument ini(u"[Window]\n;Left=1\n#Top=2\nLeft\n  [Recent] ; note\nBth1=x\n"_s);
    EXPECT_EQ(ini.value(u"Window", u"Left", u"d"_s), u"d"_s);
    EXPECT_EQ(ini.value(u"Window", u"Top", u"d"_s), u"d"_s);
    EXPECT_EQ(ini.value(u"Recent", u"Bth1"), u"x"_s) << "a header may carry text after ]";
}

TEST(IniDocument, FirstSectionAndFirstKeyOfANameWin)
{
    IniDocument ini(u"[IE]\nParamCount=1\nParamCount=2\n[ie]\nParamCount=3\nParamStr=x\n"_s);
    EXPECT_EQ(ini.value(u"IE", u"ParamCount"), u"1"_s);
    EXPECT_EQ(ini.value(u"IE", u"ParamStr", u"d"_s), u"d"_s);

    ini.setValue(u"IE", u"ParamCount", u"5"_s);
    EXPECT_EQ(ini.toText(),
              u"[IE]\nParamCount=5\nParamCount=2\n[ie]\nParamCount=3\nParamStr=x\n"_s);
}

TEST(IniDocument, ReplacingAValueKeepsEverythingElseInPlace)
{
    IniDocument ini(u"; written by hand\n\n[Preferences]\n  tray = 0\nOther=x\n\n[Mine]\nk=v\n"_s);
    ini.setValue(u"Preferences", u"Tray", u"1"_s);
    EXPECT_EQ(ini.toText(),
              u"; written by hand\n\n[Preferences]\n  tray =1\nOther=x\n\n[Mine]\nk=v\n"_s);
}

TEST(IniDocument, NewKeyFollowsTheLastKeyOfItsSection)
{
    IniDocument ini(u"[Window]\nLeft=1\n; comment\n\n[Recent]\nBthCount=0\n"_s);
    ini.setValue(u"Window", u"Top", u"2"_s);
    ini.setValue(u"Recent", u"EngCount", u"0"_s);
    EXPECT_EQ(ini.toText(),
              u"[Window]\nLeft=1\nTop=2\n; comment\n\n[Recent]\nBthCount=0\nEngCount=0\n"_s);
}

TEST(IniDocument, NewKeyOfAnEmptySectionFollowsItsHeader)
{
    IniDocument ini(u"[Window]\n\n[Recent]\n"_s);
    ini.setValue(u"Window", u"Left", u"1"_s);
    EXPECT_EQ(ini.toText(), u"[Window]\nLeft=1\n\n[Recent]\n"_s);
}

TEST(IniDocument, NewSectionGoesToTheEnd)
{
    IniDocument ini(u"[Window]\nLeft=1"_s);
    ini.setValue(u"IE", u"ParamCount", u"2"_s);
    ini.setValue(u"IE", u"ParamStr", u"house cat"_s);
    EXPECT_EQ(ini.toText(), u"[Window]\nLeft=1\n[IE]\nParamCount=2\nParamStr=house cat\n"_s);

    IniDocument empty;
    empty.setValue(u"Find", u"Mask", u"0"_s);
    EXPECT_EQ(empty.toText(), u"[Find]\nMask=0\n"_s);
}

TEST(IniDocument, ValueCannotStartAKeyOrSectionOfItsOwn)
{
    IniDocument ini;
    ini.setValue(u"IE", u"ParamStr", u"a\r\n[IE]\nParamCount=9\rb"_s);
    ini.setValue(u"IE", u"ParamCount", u"1"_s);
    EXPECT_EQ(ini.value(u"IE", u"ParamStr"), u"a[IE]ParamCount=9b"_s);
    EXPECT_EQ(ini.value(u"IE", u"ParamCount"), u"1"_s);
    EXPECT_EQ(ini.toText().count(u'\n'), 3);
}

TEST(IniDocument, TextSurvivesUnchanged)
{
    const QString texts[] = {
        u""_s,
        u"[A]\r\nk=v\r\n\r\n; c\r\n"_s,
        u"\n\n[A]\n  k = v  \nstray line\n[B]\n"_s,
    };
    for (const QString& text : texts)
        EXPECT_EQ(IniDocument(text).toText(), text);
}

TEST(IniDocument, WindowsLineBreaksStayAndAFinalOneIsAdded)
{
    IniDocument ini(u"[A]\r\nk=v"_s);
    ini.setValue(u"A", u"n", u"w"_s);
    EXPECT_EQ(ini.toText(), u"[A]\r\nk=v\r\nn=w\r\n"_s);
}

TEST(ParseDecimal, AcceptsOnlyASignAndDigitsWithin32Bits)
{
    struct Case
    {
        QString text;
        std::optional<int> number;
    };
    const Case cases[] = {
        {u"0"_s, 0},
        {u"871"_s, 871},
        {u"-40"_s, -40},
        {u"+5"_s, 5},
        {u"007"_s, 7},
        {u"2147483647"_s, 2147483647},
        {u"-2147483648"_s, -2147483647 - 1},
        {u"2147483648"_s, std::nullopt},
        {u"99999999999999999999"_s, std::nullopt},
        {u""_s, std::nullopt},
        {u"-"_s, std::nullopt},
        {u" 1"_s, std::nullopt},
        {u"1 "_s, std::nullopt},
        {u"abc"_s, std::nullopt},
        {u"0x1F"_s, std::nullopt},
        {u"1.5"_s, std::nullopt},
        {u"１２"_s, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseDecimal(c.text), c.number) << c.text.toStdString();
}

TEST(IniDocument, LineBreaksOfAnyWindowsEditorReadBackTheSame)
{
    // CR LF, and the CR CR LF some editors leave: values never keep a CR, and
    // a saved file reads back the values it was read with.
    const IniDocument ini(u"[Window]\r\nLeft=40\r\r\nTop=7\r\n"_s);
    EXPECT_EQ(ini.value(u"Window", u"Left"), u"40"_s);
    EXPECT_EQ(ini.value(u"Window", u"Top"), u"7"_s);
    const IniDocument again(ini.toText());
    EXPECT_EQ(again.value(u"Window", u"Left"), u"40"_s);
    EXPECT_EQ(again.toText(), ini.toText());
}
