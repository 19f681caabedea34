// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/HelpContent.h"

#include "core/content/ContentMarkup.h"
#include "support/LanguageGuard.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kvel::BalloonContent;
using kvel::ContentKind;
using kvel::HelpLine;
using kvel::HotKeyState;
using kvel::InterfaceLanguage;
using kvel::test::LanguageGuard;

namespace {

// The help lines in text form: "label~2text" or the text alone.
QStringList lines(const BalloonContent& content)
{
    return kvel::markupLines(content);
}

struct HotKeyCase
{
    InterfaceLanguage language;
    int hotKey;
    HotKeyState state;
    QString lastLine;
};

class KeyboardListHotKeyLine : public testing::TestWithParam<HotKeyCase>
{
};

TEST_P(KeyboardListHotKeyLine, NamesTheKeyAndItsState)
{
    const HotKeyCase& c = GetParam();
    LanguageGuard language(c.language);
    const BalloonContent content = kvel::keyboardListContent(c.hotKey, c.state);
    ASSERT_EQ(lines(content).size(), 32);
    EXPECT_EQ(lines(content).last(), c.lastLine);
}

INSTANTIATE_TEST_SUITE_P(
    HotKeys, KeyboardListHotKeyLine,
    testing::Values(
        HotKeyCase{InterfaceLanguage::English, 0, HotKeyState::On, u"Alt+F9~2[ Activated ]"_s},
        HotKeyCase{InterfaceLanguage::English, 1, HotKeyState::On, u"Alt+F10~2[ Activated ]"_s},
        HotKeyCase{InterfaceLanguage::English, 2, HotKeyState::Off, u"Alt+F11~2[ DEACTIVATED ]"_s},
        HotKeyCase{InterfaceLanguage::English, 3, HotKeyState::On, u"Alt+F12~2[ Activated ]"_s},
        HotKeyCase{InterfaceLanguage::English, 3, HotKeyState::Off, u"Alt+F12~2[ DEACTIVATED ]"_s},
        HotKeyCase{InterfaceLanguage::Serbian, 3, HotKeyState::On, u"Alt+F12~2[ Aktivirano ]"_s},
        HotKeyCase{InterfaceLanguage::Serbian, 0, HotKeyState::Off, u"Alt+F9~2[ DEAKTIVIRANO ]"_s},
        HotKeyCase{InterfaceLanguage::English, 3, HotKeyState::Taken,
                   u"Alt+F12~2[ taken by another program ]"_s},
        HotKeyCase{InterfaceLanguage::Serbian, 1, HotKeyState::Taken, u"Alt+F10~2[ zauzet ]"_s},
        // A key outside the four leaves the status alone.
        HotKeyCase{InterfaceLanguage::English, 4, HotKeyState::On, u"[ Activated ]"_s},
        HotKeyCase{InterfaceLanguage::English, -1, HotKeyState::Off, u"[ DEACTIVATED ]"_s}));

TEST(KeyboardList, ListsEveryOtherIdWithEmptyLinesForTheGaps)
{
    LanguageGuard language(InterfaceLanguage::English);
    const BalloonContent content = kvel::keyboardListContent(3, HotKeyState::On);
    EXPECT_EQ(content.kind, ContentKind::KeyboardList);
    EXPECT_EQ(int(content.image), 31010);
    EXPECT_EQ(content.caption, u"Keyboard shortcuts"_s);
    EXPECT_EQ(content.alignment, Qt::AlignLeft);
    EXPECT_EQ(lines(content)[0], u"Language:"_s);
    EXPECT_EQ(lines(content)[1], u"Alt+L~2 Changing the language (Both, English, Serbian)"_s);
    EXPECT_EQ(content.helpLines[1],
              (HelpLine{u"Alt+L"_s, u" Changing the language (Both, English, Serbian)"_s}));
    EXPECT_EQ(content.helpLines[0], (HelpLine{std::nullopt, u"Language:"_s}));
    EXPECT_EQ(lines(content)[27], u"Alt+D~2Voluntary donations"_s);
    EXPECT_EQ(lines(content)[30], u"Keyboard dictionary activating:"_s);
    for (int gap : {3, 6, 15, 18, 22, 29})
        EXPECT_EQ(lines(content)[gap], QString()) << "line " << gap + 1;
}

TEST(KeyboardList, FollowsTheInterfaceLanguage)
{
    LanguageGuard language(InterfaceLanguage::Serbian);
    const BalloonContent content = kvel::keyboardListContent(0, HotKeyState::On);
    EXPECT_EQ(content.caption, u"Prečice sa tastature"_s);
    EXPECT_EQ(lines(content)[5],
              u"Alt+B,C,E,W ~2 Upoređuje početak / sadržaj / kraj / celu frazu"_s);
}

struct TipCase
{
    InterfaceLanguage language;
    int index;
    QString text;
};

class TipText : public testing::TestWithParam<TipCase>
{
};

TEST_P(TipText, ShowsTheTipOfThatIndexCentred)
{
    const TipCase& c = GetParam();
    LanguageGuard language(c.language);
    const BalloonContent content = kvel::tipContent(c.index);
    EXPECT_EQ(content.kind, ContentKind::Tip);
    EXPECT_EQ(int(content.image), 31006);
    EXPECT_EQ(content.alignment, Qt::AlignHCenter);
    // One help line per line of the tip, none of them labelled.
    EXPECT_EQ(lines(content).join(u"\r\n"_s), c.text);
    for (const HelpLine& line : content.helpLines)
        EXPECT_FALSE(line.label.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Tips, TipText,
    testing::Values(
        TipCase{InterfaceLanguage::English, 0,
                u"Did you know that right mouse button click on the\r\nfree dictionary surface "
                u"calls the popup menu?"_s},
        TipCase{InterfaceLanguage::English, 2,
                u"Did you know that keyboard shortcut Alt+I\r\ndynamically changes the language "
                u"interface?"_s},
        TipCase{InterfaceLanguage::Serbian, 2,
                u"Da li ste znali da prečica sa tastature Alt+I\r\ndinamički menja jezik "
                u"interfejsa?"_s},
        TipCase{InterfaceLanguage::English, 34,
                u"Did you know that translation window can appear\r\nshaded, if you check the "
                u"item 'Shading translation window'?"_s}));

TEST(TipText, CaptionFollowsTheLanguage)
{
    {
        LanguageGuard language(InterfaceLanguage::English);
        EXPECT_EQ(kvel::tipContent(0).caption, u"Tip of the Day"_s);
    }
    EXPECT_EQ(kvel::tipContent(0).caption, u"Dnevni savetnik"_s);
}

TEST(Donations, SixTextsEndingWithTheNoPostNotice)
{
    LanguageGuard language(InterfaceLanguage::English);
    const BalloonContent content = kvel::donationsContent();
    EXPECT_EQ(content.kind, ContentKind::Donations);
    EXPECT_EQ(int(content.image), 31011);
    EXPECT_EQ(content.caption, u"Voluntary donations"_s);
    EXPECT_EQ(content.alignment, Qt::AlignHCenter);
    // The six texts one after the other, a help line for each of their lines.
    const QString text = lines(content).join(u"\r\n"_s);
    EXPECT_TRUE(text.startsWith(u"\r\nThis program is absolutely free"_s));
    EXPECT_EQ(text.count(u"***\r\n"_s), 4);
    EXPECT_TRUE(text.contains(
        u"\r\n***\r\nEquivalent value of 1 US$ (one US dollar) would be fine.\r\n***\r\n"_s));
    EXPECT_TRUE(text.contains(u"\r\nThe project has no postal address~2\r\n"_s));
    const qsizetype noPost = lines(content).indexOf(u"The project has no postal address~2"_s);
    ASSERT_GE(noPost, 0);
    EXPECT_EQ(content.helpLines[noPost],
              (HelpLine{u"The project has no postal address"_s, QString()}));
    EXPECT_EQ(content.helpLines.size() - noPost, 5) << "four labelled lines and an empty one";
}

struct AboutCase
{
    InterfaceLanguage language;
    QString storedVersion;
    QString programLine;
    QString dictionaryLine;
};

class AboutText : public testing::TestWithParam<AboutCase>
{
};

TEST_P(AboutText, NamesProgramAndDictionaryVersions)
{
    const AboutCase& c = GetParam();
    LanguageGuard language(c.language);
    const BalloonContent content = kvel::aboutContent(c.storedVersion);
    EXPECT_EQ(content.kind, ContentKind::About);
    EXPECT_EQ(int(content.image), 31007);
    EXPECT_EQ(content.alignment, Qt::AlignHCenter);
    ASSERT_EQ(lines(content).size(), 29);
    EXPECT_EQ(lines(content)[1], c.programLine);
    EXPECT_EQ(lines(content)[5], c.dictionaryLine);
    EXPECT_EQ(lines(content)[8], u"v2.0 - v2.5"_s);
}

INSTANTIATE_TEST_SUITE_P(Versions, AboutText,
                         testing::Values(AboutCase{InterfaceLanguage::English, u"2.5"_s,
                                                   u"Kvel dictionary (kvel), version 1.0.058"_s,
                                                   u"kvel.mdb, version 2.5"_s},
                                         AboutCase{InterfaceLanguage::English, QString(),
                                                   u"Kvel dictionary (kvel), version 1.0.058"_s,
                                                   u"kvel.mdb, version N/A"_s},
                                         AboutCase{InterfaceLanguage::Serbian, u"2.0"_s,
                                                   u"Kvel rečnik (kvel), verzija 1.0.058"_s,
                                                   u"kvel.mdb, verzija 2.0"_s},
                                         AboutCase{InterfaceLanguage::Serbian, QString(),
                                                   u"Kvel rečnik (kvel), verzija 1.0.058"_s,
                                                   u"kvel.mdb, verzija N/A"_s}));

TEST(AboutText, LabelsAndSeparatorsInOrder)
{
    LanguageGuard language(InterfaceLanguage::English);
    const QStringList about = lines(kvel::aboutContent(u"2.5"_s));
    EXPECT_EQ(kvel::aboutContent(u"2.5"_s).caption, u"About"_s);
    EXPECT_EQ(about[0], u"Program:~2"_s);
    EXPECT_EQ(about[2], u"Linux edition"_s);
    EXPECT_EQ(about[4], u"Dictionary:~2"_s);
    EXPECT_EQ(about[10], u"Author:~2"_s);
    EXPECT_EQ(about[13], u"Legal notices:~2"_s);
    EXPECT_EQ(about[24], u"Contact information:~2"_s);
    for (int separator : {3, 6, 9, 12, 16, 19, 23})
        EXPECT_EQ(about[separator], u"***"_s) << "line " << separator + 1;
    for (const QString& line : about)
        EXPECT_FALSE(line.isEmpty());
}

TEST(AboutText, TheDictionarysVersionIsOneLineTakenAsItIs)
{
    // The file's own text: its line breaks and codes are not read as the table's.
    LanguageGuard language(InterfaceLanguage::English);
    const BalloonContent content = kvel::aboutContent(u"2.5\r\nx~2y"_s);
    ASSERT_EQ(content.helpLines.size(), 29);
    EXPECT_EQ(content.helpLines[5], (HelpLine{std::nullopt, u"kvel.mdb, version 2.5\r\nx~2y"_s}));
}

struct HelpFileErrorCase
{
    InterfaceLanguage language;
    kvel::HelpFileProblem problem;
    QString caption;
    QString line;
};

class HelpFileError : public testing::TestWithParam<HelpFileErrorCase>
{
};

TEST_P(HelpFileError, ShowsOneLineUnderTheErrorCaption)
{
    const HelpFileErrorCase& c = GetParam();
    LanguageGuard language(c.language);
    const BalloonContent content = kvel::helpFileErrorContent(c.problem);
    EXPECT_EQ(content.kind, ContentKind::HelpFileError);
    EXPECT_EQ(int(content.image), 31005);
    EXPECT_EQ(content.alignment, Qt::AlignHCenter);
    EXPECT_EQ(content.caption, c.caption);
    EXPECT_EQ(lines(content), QStringList{c.line});
}

INSTANTIATE_TEST_SUITE_P(
    Problems, HelpFileError,
    testing::Values(HelpFileErrorCase{InterfaceLanguage::English, kvel::HelpFileProblem::Missing,
                                      u"Error while opening Help file"_s,
                                      u"Check if the file (kvel.chm) even exists"_s},
                    HelpFileErrorCase{InterfaceLanguage::Serbian, kvel::HelpFileProblem::Missing,
                                      u"Greška pri otvaranju Help datoteke"_s,
                                      u"Proverite da li datoteka (kvel.chm) uopšte postoji"_s},
                    HelpFileErrorCase{InterfaceLanguage::English, kvel::HelpFileProblem::NoViewer,
                                      u"Error while opening Help file"_s,
                                      u"There is no associated program for PDF files"_s},
                    HelpFileErrorCase{InterfaceLanguage::Serbian, kvel::HelpFileProblem::NoViewer,
                                      u"Greška pri otvaranju Help datoteke"_s,
                                      u"Ne postoji program za prikaz PDF datoteka"_s}));

} // namespace
