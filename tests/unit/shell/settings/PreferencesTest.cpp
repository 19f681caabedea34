// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/Preferences.h"

#include "shell/settings/IniDocument.h"
#include "support/QtPrinters.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

const QRect kScreen(0, 0, 1024, 768);

std::unique_ptr<Preferences> loaded(const QString& file)
{
    auto preferences = std::make_unique<Preferences>();
    preferences->load(readSettings(IniDocument(file), kScreen));
    return preferences;
}

QString written(const KvelSettings& settings, QPoint barPos)
{
    IniDocument ini;
    KvelSettings copy = settings;
    writeSettings(ini, copy, barPos);
    return ini.toText();
}

} // namespace

TEST(Preferences, AFreshObjectHoldsTheDefaultsOfAFreshInstallation)
{
    const Preferences preferences;
    const KvelSettings defaults;
    EXPECT_EQ(written(preferences.stored(), {}), written(defaults, {}));
    EXPECT_EQ(preferences.hotKey(), HotKey::F12);
    EXPECT_EQ(preferences.fadeSpeed(), FadeSpeed::Medium);
    EXPECT_TRUE(preferences.flag(Preference::ToTray));
    EXPECT_FALSE(preferences.flag(Preference::Fade));
    EXPECT_FALSE(preferences.flag(Preference::Tolerant));
}

// Whatever the file holds, the values are in range, and each is written back
// as the file's reader would have kept it.
TEST(Preferences, LoadsClampedAndWritesTheFileAsTheSettingsDo)
{
    const QString files[] = {
        u""_s,
        u"[Interface]\nLanguage=1\nKeyboard=0\n[Selected]\nLanguage=2\n[Find]\nMask=3\n"_s,
        u"[Interface]\nLanguage=7\n[Selected]\nLanguage=-1\n[Find]\nMask=x\n"_s,
        u"[Preferences]\nKey=0\nABSpeed=2\nAlphaBlend=1\nTolerant=1\nForms=1\nTray=0\n"_s,
        u"[Preferences]\nKey=9\nABSpeed=5\nHook= 1\nSpeech=2\n"_s,
        u"[Window]\nLeft=100\nTop=200\n[Recent]\nBthCount=2\nBth1=kuća\nBth2=HOUSE\n"
        u"EngCount=1\nEng1=cat\nSerCount=11\nSer1=dom\n"_s,
    };
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const KvelSettings read = readSettings(IniDocument(file), kScreen);
        const std::unique_ptr<Preferences> preferences = loaded(file);
        EXPECT_EQ(written(preferences->stored(), QPoint(100, 200)),
                  written(read, QPoint(100, 200)));
        EXPECT_EQ(preferences->position(), QPoint(read.FBarLeft, read.FBarTop));
    }
}

TEST(Preferences, TypedValuesFromTheFile)
{
    const std::unique_ptr<Preferences> loadedPreferences =
        loaded(u"[Interface]\nLanguage=1\n[Selected]\nLanguage=2\n[Find]\nMask=3\n"
               u"[Preferences]\nKey=0\nABSpeed=2\nWrap=0\nTolerant=1\n"
               u"[Recent]\nEngCount=1\nEng1=cat\n"_s);
    const Preferences& preferences = *loadedPreferences;
    EXPECT_EQ(preferences.interfaceLanguage(), InterfaceLanguage::English);
    EXPECT_EQ(preferences.searchLanguage(), SearchLanguage::Serbian);
    EXPECT_EQ(preferences.findMethod(), FindMethod::Whole);
    EXPECT_EQ(preferences.hotKey(), HotKey::F9);
    EXPECT_EQ(preferences.fadeSpeed(), FadeSpeed::Fast);
    EXPECT_FALSE(preferences.flag(Preference::WrapTranslation));
    EXPECT_TRUE(preferences.flag(Preference::Tolerant));
    EXPECT_EQ(preferences.recentList(SearchLanguage::English), QStringList{u"cat"_s});
    EXPECT_TRUE(preferences.recentList(SearchLanguage::Both).isEmpty());
}

TEST(Preferences, ChangedTellsWhichFlagChangedAndOnlyWhenItDid)
{
    Preferences preferences;
    QSignalSpy changed(&preferences, &Preferences::changed);
    QSignalSpy hotKey(&preferences, &Preferences::hotKeyChanged);
    preferences.setFlag(Preference::WrapTranslation, true); // already on
    EXPECT_EQ(changed.count(), 0);
    preferences.setFlag(Preference::WrapTranslation, false);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<Preference>(), Preference::WrapTranslation);
    EXPECT_EQ(preferences.stored().FWrap, 0);

    preferences.setHotKey(HotKey::F12); // the default
    EXPECT_EQ(hotKey.count(), 0);
    preferences.setHotKey(HotKey::F10);
    EXPECT_EQ(hotKey.count(), 1);
    EXPECT_EQ(preferences.stored().FHotKey, 1);

    preferences.load(KvelSettings());
    EXPECT_EQ(changed.count(), 1) << "loading is no change of the user's";
}

TEST(Preferences, NumbersOutOfRangeAreTakenAsTheFirstValue)
{
    KvelSettings stored;
    stored.FInterfaceLang = 2;
    stored.FSearchLang = 7;
    stored.FFindMethod = -1;
    stored.FHotKey = 4;
    stored.FABSpeed = 3;
    stored.FWrap = 2;
    Preferences preferences;
    preferences.load(stored);
    EXPECT_EQ(preferences.interfaceLanguage(), InterfaceLanguage::Serbian);
    EXPECT_EQ(preferences.searchLanguage(), SearchLanguage::Both);
    EXPECT_EQ(preferences.findMethod(), FindMethod::Begins);
    EXPECT_EQ(preferences.hotKey(), HotKey::F9);
    EXPECT_EQ(preferences.fadeSpeed(), FadeSpeed::Slow);
    EXPECT_FALSE(preferences.flag(Preference::WrapTranslation));
    const KvelSettings back = preferences.stored();
    EXPECT_EQ(back.FSearchLang, 0);
    EXPECT_EQ(back.FHotKey, 0);
    EXPECT_EQ(back.FWrap, 0);
}
