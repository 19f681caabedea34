// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/KvelSettings.h"

#include "SettingsFiles.h"
#include "shell/settings/IniFile.h"
#include "support/QtPrinters.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

const QRect kScreen(0, 0, 1024, 768);

KvelSettings read(const QString& text, const QRect& screen = kScreen)
{
    return readSettings(IniDocument(text), screen);
}

QString saved(KvelSettings settings, QPoint barPos = {}, const QString& before = {})
{
    IniDocument ini(before);
    writeSettings(ini, settings, barPos);
    return ini.toText();
}

} // namespace

TEST(KvelSettings, EmptyFileGivesAFreshInstallation)
{
    struct Case
    {
        const char* name;
        int KvelSettings::*member;
        int value;
    };
    const Case cases[] = {
        {"FInterfaceLang", &KvelSettings::FInterfaceLang, 0},
        {"FAdjustKeyboard", &KvelSettings::FAdjustKeyboard, 1},
        {"FSearchLang", &KvelSettings::FSearchLang, 0},
        {"FFindMethod", &KvelSettings::FFindMethod, 0},
        {"FSmartClipboard", &KvelSettings::FSmartClipboard, 1},
        {"FFastClipboardOff", &KvelSettings::FFastClipboardOff, 1},
        {"FIEMenu", &KvelSettings::FIEMenu, 1},
        {"FSensitive", &KvelSettings::FSensitive, 1},
        {"FLocked", &KvelSettings::FLocked, 1},
        {"FShowTips", &KvelSettings::FShowTips, 1},
        {"FSaveRecent", &KvelSettings::FSaveRecent, 1},
        {"FWrap", &KvelSettings::FWrap, 1},
        {"FToTray", &KvelSettings::FToTray, 1},
        {"FAutoStart", &KvelSettings::FAutoStart, 1},
        {"FSavePosition", &KvelSettings::FSavePosition, 1},
        {"FHotKey", &KvelSettings::FHotKey, 3},
        {"FHookOn", &KvelSettings::FHookOn, 1},
        {"FSpeech", &KvelSettings::FSpeech, 1},
        {"FABSpeed", &KvelSettings::FABSpeed, 1},
        {"FAlphaBlendOn", &KvelSettings::FAlphaBlendOn, 0},
        {"FTolerant", &KvelSettings::FTolerant, 0},
        {"FForms", &KvelSettings::FForms, 0},
        {"FBarLeft", &KvelSettings::FBarLeft, 0},
        {"FBarTop", &KvelSettings::FBarTop, 0},
        {"FBthCount", &KvelSettings::FBthCount, 0},
        {"FEngCount", &KvelSettings::FEngCount, 0},
        {"FSerCount", &KvelSettings::FSerCount, 0},
    };
    const KvelSettings s = read(QString());
    for (const Case& c : cases)
        EXPECT_EQ(s.*c.member, c.value) << c.name;
    EXPECT_TRUE(s.FRecentBoth.isEmpty() && s.FRecentEng.isEmpty() && s.FRecentSer.isEmpty());
}

TEST(KvelSettings, FlagIsOnOnlyForTheExactTextOne)
{
    struct Case
    {
        QString stored;
        int flag;
    };
    const Case cases[] = {
        {u"1"_s, 1},   {u"0"_s, 0},    {u"01"_s, 0}, {u" 1"_s, 0}, {u"1 "_s, 0},
        {u"yes"_s, 0}, {u"true"_s, 0}, {u""_s, 0},   {u"2"_s, 0},  {u"-1"_s, 0},
    };
    for (const Case& c : cases) {
        const KvelSettings s =
            read(u"[Preferences]\nTray="_s + c.stored + u"\nAlphaBlend="_s + c.stored +
                 u"\nTolerant="_s + c.stored + u"\nForms="_s + c.stored + u"\n"_s);
        EXPECT_EQ(s.FToTray, c.flag) << c.stored.toStdString();
        EXPECT_EQ(s.FAlphaBlendOn, c.flag) << c.stored.toStdString();
        EXPECT_EQ(s.FTolerant, c.flag) << c.stored.toStdString();
        EXPECT_EQ(s.FForms, c.flag) << c.stored.toStdString();
    }
}

TEST(KvelSettings, EnumerationTakesOnlyItsExactValues)
{
    struct Case
    {
        QString line;
        int KvelSettings::*member;
        int value;
    };
    const Case cases[] = {
        {u"[Preferences]\nKey=7"_s, &KvelSettings::FHotKey, 0},
        {u"[Preferences]\nKey=2"_s, &KvelSettings::FHotKey, 2},
        {u"[Preferences]\nKey= 3"_s, &KvelSettings::FHotKey, 0},
        {u"[Find]\nMask=3"_s, &KvelSettings::FFindMethod, 3},
        {u"[Find]\nMask=1"_s, &KvelSettings::FFindMethod, 1},
        {u"[Find]\nMask=03"_s, &KvelSettings::FFindMethod, 0},
        {u"[Selected]\nLanguage=2"_s, &KvelSettings::FSearchLang, 2},
        {u"[Selected]\nLanguage=3"_s, &KvelSettings::FSearchLang, 0},
        {u"[Interface]\nLanguage=2"_s, &KvelSettings::FInterfaceLang, 0},
        {u"[Interface]\nLanguage=1"_s, &KvelSettings::FInterfaceLang, 1},
        {u"[Preferences]\nABSpeed=2"_s, &KvelSettings::FABSpeed, 2},
        {u"[Preferences]\nABSpeed=3"_s, &KvelSettings::FABSpeed, 0},
        {u"[Preferences]\nABSpeed=x"_s, &KvelSettings::FABSpeed, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read(c.line).*c.member, c.value) << c.line.toStdString();
}

TEST(KvelSettings, PositionStaysOnTheScreen)
{
    struct Case
    {
        QString left;
        QString top;
        QRect screen;
        QPoint position;
    };
    const Case cases[] = {
        {u"100"_s, u"50"_s, kScreen, {100, 50}},
        {u"-40"_s, u"-1"_s, kScreen, {0, 0}},
        {u"5000"_s, u"5000"_s, kScreen, {871, 748}},
        {u"abc"_s, u""_s, kScreen, {0, 0}},
        {u"99999999999"_s, u"1e3"_s, kScreen, {0, 0}},
        // Lower bound first: on a screen narrower than the bar the edge goes negative,
        // but unreadable text stays at 0.
        {u"0"_s, u"0"_s, QRect(0, 0, 100, 10), {-53, -10}},
        {u"abc"_s, u"abc"_s, QRect(0, 0, 100, 10), {0, 0}},
        // A screen that does not start at the origin, as on a second monitor.
        {u"0"_s, u"2000"_s, QRect(1024, 0, 1280, 1024), {1024, 1004}},
    };
    for (const Case& c : cases) {
        const KvelSettings s =
            read(u"[Window]\nLeft="_s + c.left + u"\nTop="_s + c.top + u"\n"_s, c.screen);
        EXPECT_EQ(QPoint(s.FBarLeft, s.FBarTop), c.position)
            << c.left.toStdString() << " / " << c.top.toStdString();
    }
}

TEST(KvelSettings, BadRecentCountEmptiesOnlyItsOwnList)
{
    for (const QString& count : {u"11"_s, u"x"_s, u"-1"_s, u" 1"_s, u""_s}) {
        const KvelSettings s =
            read(u"[Recent]\nBthCount="_s + count +
                 u"\nEngCount=1\nSerCount=2\nBth1=a\nEng1=b\nSer1=c\nSer2=d\n"_s);
        EXPECT_EQ(s.FBthCount, 0) << count.toStdString();
        EXPECT_EQ(s.FRecentBoth, QStringList()) << count.toStdString();
        EXPECT_EQ(s.FRecentEng, QStringList{u"b"_s});
        EXPECT_EQ(s.FRecentSer, (QStringList{u"c"_s, u"d"_s}));
    }
}

TEST(KvelSettings, RecentEntriesAreTrimmedAndEmptyOnesSkipped)
{
    const KvelSettings s =
        read(u"[Recent]\nBthCount=4\nBth1=house\nBth2=\nBth3= \tcat \x01\nBth5=dog\n"_s);
    EXPECT_EQ(s.FBthCount, 4);
    EXPECT_EQ(s.FRecentBoth, (QStringList{u"house"_s, u"cat"_s}))
        << "Bth4 is missing and Bth5 lies beyond the count";
}

TEST(KvelSettings, RecentEntriesAreTakenAsStored)
{
    const KvelSettings s =
        read(u"[Recent]\nSerCount=3\nSer1=KUĆA\nSer2=kuća\nSer3=KUĆA\nSer4=x\n"_s);
    EXPECT_EQ(s.FRecentSer, (QStringList{u"KUĆA"_s, u"kuća"_s, u"KUĆA"_s}));
    EXPECT_EQ(read(u"[Recent]\nEngCount=1\nEng1=\u00a0house\u00a0\n"_s).FRecentEng,
              QStringList{u"\u00a0house\u00a0"_s})
        << "only characters up to code 32 are trimmed";
}

TEST(KvelSettings, SaveWritesEveryKeyInTheTableOrder)
{
    KvelSettings settings;
    settings.FRecentBoth = {u"HOUSE"_s};
    settings.FRecentSer = {u"KUĆA"_s, u"MAČKA"_s};
    EXPECT_EQ(
        saved(settings, {10, 20}),
        u"[Interface]\nLanguage=0\nKeyboard=1\n"
        u"[Selected]\nLanguage=0\n"
        u"[Find]\nMask=0\n"
        u"[Preferences]\nClipboard=1\nFast=1\nIE=1\nSensitive=1\nLocked=1\nTips=1\n"
        u"SaveRecent=1\nWrap=1\nTray=1\nAutoStart=1\nSavePosition=1\nKey=3\nHook=1\n"
        u"Speech=1\nABSpeed=1\nAlphaBlend=0\nTolerant=0\nForms=0\nDesktopNotice=0\n"
        u"[Window]\nLeft=10\nTop=20\n"
        u"[Recent]\nBthCount=1\nEngCount=0\nSerCount=2\nBth1=house\nSer1=kuĆa\nSer2=maČka\n"_s);
}

TEST(KvelSettings, SaveStoresTheOriginWhenThePositionIsNotKept)
{
    KvelSettings settings;
    settings.FSavePosition = 0;
    const IniDocument ini(saved(settings, {300, 400}));
    EXPECT_EQ(ini.value(u"Window", u"Left"), u"0"_s);
    EXPECT_EQ(ini.value(u"Window", u"Top"), u"0"_s);
}

TEST(KvelSettings, SavedEntriesHaveOnlyAToZLoweredThenAreTrimmed)
{
    KvelSettings settings;
    settings.FRecentEng = {u"Škola House"_s, u" \tDOM ДОМ Ž \t"_s};
    const IniDocument ini(saved(settings));
    EXPECT_EQ(ini.value(u"Recent", u"Eng1"), u"Škola house"_s);
    EXPECT_EQ(ini.value(u"Recent", u"Eng2"), u"dom ДОМ Ž"_s);
}

TEST(KvelSettings, SaveSetsTheCountsToTheListSizes)
{
    KvelSettings settings;
    settings.FBthCount = 7;
    settings.FRecentEng = {u"a"_s, u"b"_s};
    IniDocument ini;
    writeSettings(ini, settings, {});
    EXPECT_EQ(settings.FBthCount, 0);
    EXPECT_EQ(settings.FEngCount, 2);
    EXPECT_EQ(ini.value(u"Recent", u"EngCount"), u"2"_s);
}

TEST(KvelSettings, EntriesOfALongerListStayButTheCountHidesThem)
{
    KvelSettings settings;
    settings.FRecentBoth = {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s};
    const QString five = saved(settings);
    settings.FRecentBoth = {u"x"_s, u"y"_s};
    const QString two = saved(settings, {}, five);

    const IniDocument ini(two);
    EXPECT_EQ(ini.value(u"Recent", u"Bth5"), u"e"_s);
    EXPECT_EQ(readSettings(ini, kScreen).FRecentBoth, (QStringList{u"x"_s, u"y"_s}));
}

TEST(KvelSettings, SaveLeavesOtherSectionsAndKeysAlone)
{
    const QString before =
        u"; my notes\n[IE]\nParamCount=2\nParamStr=house cat\n[Preferences]\nMine=yes\n"_s;
    const IniDocument ini(saved(KvelSettings(), {}, before));
    EXPECT_TRUE(ini.toText().startsWith(u"; my notes\n[IE]\nParamCount=2\nParamStr=house cat\n"
                                        u"[Preferences]\nMine=yes\nClipboard=1\n"_s));
}

TEST(KvelSettings, WhatIsSavedLoadsBack)
{
    KvelSettings settings;
    settings.FInterfaceLang = 1;
    settings.FSearchLang = 2;
    settings.FFindMethod = 3;
    settings.FHotKey = 0;
    settings.FABSpeed = 2;
    settings.FAlphaBlendOn = 1;
    settings.FTolerant = 1;
    settings.FForms = 1;
    settings.FToTray = 0;
    settings.FAutoStart = 0;
    settings.FRecentBoth = {u"house"_s};
    settings.FRecentSer = {u"kuća"_s, u"mačka"_s};

    const KvelSettings loaded = read(saved(settings, {200, 300}));
    EXPECT_EQ(loaded.FInterfaceLang, 1);
    EXPECT_EQ(loaded.FSearchLang, 2);
    EXPECT_EQ(loaded.FFindMethod, 3);
    EXPECT_EQ(loaded.FHotKey, 0);
    EXPECT_EQ(loaded.FABSpeed, 2);
    EXPECT_EQ(loaded.FAlphaBlendOn, 1);
    EXPECT_EQ(loaded.FTolerant, 1);
    EXPECT_EQ(loaded.FForms, 1);
    EXPECT_EQ(loaded.FToTray, 0);
    EXPECT_EQ(loaded.FAutoStart, 0);
    EXPECT_EQ(QPoint(loaded.FBarLeft, loaded.FBarTop), QPoint(200, 300));
    EXPECT_EQ(loaded.FRecentBoth, settings.FRecentBoth);
    EXPECT_EQ(loaded.FRecentSer, settings.FRecentSer);
    EXPECT_EQ(loaded.FSerCount, 2);
}

TEST(KvelSettings, EachSearchLanguageHasItsOwnRecentList)
{
    KvelSettings settings;
    settings.recentList(SearchLanguage::Both) << u"both"_s;
    settings.recentList(SearchLanguage::English) << u"eng"_s;
    settings.recentList(SearchLanguage::Serbian) << u"ser"_s;
    EXPECT_EQ(settings.FRecentBoth, QStringList{u"both"_s});
    EXPECT_EQ(settings.FRecentEng, QStringList{u"eng"_s});
    EXPECT_EQ(settings.FRecentSer, QStringList{u"ser"_s});
}

namespace {

class SettingsFileTest : public testing::Test
{
public:
    QString path() const { return dir.filePath(u"kvel.ini"_s); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(SettingsFileTest, MissingFileLoadsTheDefaultsAndIsAFirstRun)
{
    const KvelSettings s = LoadSettings(path(), kScreen).value();
    EXPECT_EQ(s.FHotKey, 3);
    EXPECT_EQ(s.FToTray, 1);
    EXPECT_TRUE(IsFirstRun(path()));
}

TEST_F(SettingsFileTest, FirstRunUntilAPositionIsStored)
{
    struct Case
    {
        QByteArray text;
        bool firstRun;
    };
    const Case cases[] = {
        {"[Window]\nTop=5\n", true},   {"[Window]\nLeft=\n", true},   {"[Recent]\nLeft=5\n", true},
        {"[Window]\nLeft=0\n", false}, {"[window]\nleft=x\n", false},
    };
    for (const Case& c : cases) {
        writeBytes(path(), c.text);
        EXPECT_EQ(IsFirstRun(path()), c.firstRun) << c.text.constData();
    }
}

TEST_F(SettingsFileTest, SaveWithoutAKeptPositionStillEndsTheFirstRun)
{
    KvelSettings settings;
    settings.FSavePosition = 0;
    ASSERT_EQ(SaveSettings(path(), settings, {500, 500}), IniUpdate::Written);
    EXPECT_FALSE(IsFirstRun(path()));
    const KvelSettings loaded = LoadSettings(path(), kScreen).value();
    EXPECT_EQ(QPoint(loaded.FBarLeft, loaded.FBarTop), QPoint(0, 0));
}

TEST_F(SettingsFileTest, FileThatCannotBeReadGivesNoSettings)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"kvel.ini"_s));
    EXPECT_FALSE(LoadSettings(path(), kScreen).has_value());
}

// Another instance keeping the lock must not hold up the end of a session:
// the save gives up after half a second and leaves the file whole.
TEST_F(SettingsFileTest, SaveGivesUpOnALockKeptByAnotherInstance)
{
    writeBytes(path(), "[Window]\nLeft=1\n");
    QLockFile otherInstance(path() + u".lock"_s);
    ASSERT_TRUE(otherInstance.lock());

    KvelSettings settings;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(SaveSettings(path(), settings, {5, 5}), IniUpdate::LockBusy);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(readBytes(path()), "[Window]\nLeft=1\n");
}
