// SPDX-License-Identifier: GPL-2.0-or-later
#include "BarTestFixture.h"
#include "shell/settings/IniFile.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

TEST_F(BarTest, TypingLooksUpAndKeepsLowerCase)
{
    type(u"HoUse"_s);
    EXPECT_EQ(bar->entry()->text(), u"house"_s);
    ASSERT_TRUE(balloon().isVisible());
    EXPECT_EQ(balloon().contentKind(), ContentKind::Results);
    EXPECT_EQ(balloon().sourceLines(),
              (QStringList{u"house~0kuća; dom"_s, u"housewife~0domaćica"_s}));
}

TEST_F(BarTest, TypingStopsAtNinetyTwoCharacters)
{
    type(QString(100, u'x'));
    EXPECT_EQ(bar->entry()->text().size(), 92);
}

TEST_F(BarTest, EscapeClosesTheTranslationThenClearsThenClosesTheBar)
{
    QSignalSpy quit(bar, &TKvelMainForm::quitRequested);
    type(u"house"_s);
    ASSERT_TRUE(balloon().isVisible());

    key(Qt::Key_Escape);
    EXPECT_FALSE(balloon().isVisible());
    EXPECT_EQ(bar->entry()->text(), u""_s);
    EXPECT_TRUE(bar->isVisible());

    type(u"zzz"_s); // no match: the notice shows
    ASSERT_TRUE(balloon().isVisible());
    bar->balloon()->hide();
    key(Qt::Key_Escape); // window hidden, text left: clear it
    EXPECT_EQ(bar->entry()->text(), u""_s);
    EXPECT_TRUE(bar->isVisible());

    key(Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(quit.count(), 1) << "without a tray, closing the bar quits";
}

TEST_F(BarTest, FindMethodKeysRerunTheLookup)
{
    type(u"house"_s);
    key(Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(bar->preferences().findMethod(), FindMethod::Ends);
    EXPECT_EQ(balloon().sourceLines(),
              (QStringList{u"house~0kuća; dom"_s, u"boathouse~0kućica za čamce"_s}));
    key(Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(balloon().sourceLines().size(), 3);
    key(Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(balloon().sourceLines(), QStringList{u"house~0kuća; dom"_s});
    key(Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(bar->preferences().findMethod(), FindMethod::Begins);
    EXPECT_EQ(bar->entry()->text(), u"house"_s) << "command keys type nothing";
}

TEST_F(BarTest, AltLCyclesTheSearchLanguageAndItsLabel)
{
    type(u"ku"_s);
    EXPECT_EQ(bar->languageLabel()->text(), u"Oba"_s);
    key(Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(bar->preferences().searchLanguage(), SearchLanguage::English);
    EXPECT_EQ(bar->languageLabel()->text(), u"Eng"_s);
    EXPECT_EQ(balloon().contentKind(), ContentKind::NoMatches) << "no English word starts with ku";
    key(Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(bar->languageLabel()->text(), u"Srp"_s);
    EXPECT_EQ(balloon().sourceLines(), QStringList{u"kuća~1house; home"_s});
    key(Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(bar->preferences().searchLanguage(), SearchLanguage::Both);
}

TEST_F(BarTest, InterfaceLanguageSwitchRecaptionsAtOnce)
{
    type(u"zzz"_s);
    EXPECT_EQ(balloon().sourceLines(),
              QStringList{u"Žao nam je, fraza nije pronađena ovoga puta"_s});
    key(Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(bar->preferences().interfaceLanguage(), InterfaceLanguage::English);
    EXPECT_EQ(bar->languageLabel()->text(), u"Both"_s);
    EXPECT_EQ(bar->windowTitle(), u"Kvel dictionary"_s);
    EXPECT_EQ(bar->menus().action(u"CopyWord"_s)->text(), u"Copy phrase\tAlt+1"_s);
    EXPECT_EQ(bar->menus().action(u"RecentWordsBoth1"_s)->text(), u"--- none ---"_s);
    EXPECT_EQ(balloon().sourceLines(), QStringList{u"Sorry, the phrase was not found this time"_s})
        << "the shown notice follows the language";
    key(Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(bar->menus().action(u"CopyWord"_s)->text(), u"Kopiraj frazu\tAlt+1"_s);
    EXPECT_EQ(bar->languageLabel()->text(), u"Oba"_s);
}

TEST_F(BarTest, EnterFilesTheFirstEntryInTheRecentListOfTheSearchLanguage)
{
    type(u"hou"_s);
    key(Qt::Key_Return);
    EXPECT_EQ(bar->preferences().recentList(SearchLanguage::Both), QStringList{u"HOUSE"_s});
    EXPECT_EQ(bar->menus().action(u"RecentWordsBoth1"_s)->text(), u"HOUSE"_s);

    // English selected while the first entry is Serbian: nothing is filed.
    bar->entry()->clear();
    key(Qt::Key_L, Qt::AltModifier);
    key(Qt::Key_L, Qt::AltModifier);
    type(u"kuć"_s);
    key(Qt::Key_L, Qt::AltModifier); // Both
    key(Qt::Key_L, Qt::AltModifier); // English: no match shown now
    key(Qt::Key_Return);
    EXPECT_TRUE(bar->preferences().recentList(SearchLanguage::English).isEmpty());
}

TEST_F(BarTest, ChoosingARecentPhraseFillsTheEntryInItsListsLanguage)
{
    type(u"cat"_s);
    key(Qt::Key_L, Qt::AltModifier); // English
    key(Qt::Key_Return);
    ASSERT_EQ(bar->preferences().recentList(SearchLanguage::English), QStringList{u"CAT"_s});
    bar->entry()->clear();
    key(Qt::Key_L, Qt::AltModifier); // Serbian

    bar->menus().action(u"RecentWordsEng1"_s)->trigger();
    EXPECT_EQ(bar->entry()->text(), u"cat"_s);
    EXPECT_EQ(bar->preferences().searchLanguage(), SearchLanguage::English);
    EXPECT_EQ(balloon().sourceLines(), QStringList{u"cat~0mačka"_s});

    bar->menus().action(u"RecentWordsEng2"_s)->trigger(); // the placeholder does nothing
    EXPECT_EQ(bar->entry()->text(), u"cat"_s);

    key(Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(bar->preferences().recentList(SearchLanguage::English).isEmpty());
    EXPECT_EQ(bar->menus().action(u"RecentWordsEng1"_s)->text(), u"--- nema ---"_s);
}

TEST_F(BarTest, CopyKeysPutTheFirstEntryOnTheClipboard)
{
    type(u"house"_s);
    key(Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"house\tkuća; dom"_s);
    key(Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"house"_s);
    key(Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"kuća; dom"_s);

    QGuiApplication::clipboard()->setText(u"untouched"_s);
    bar->entry()->clear();
    type(u"zzz"_s);
    key(Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"untouched"_s) << "a notice has no entry";
}

TEST_F(BarTest, MenuStatesAreDerivedWhenItOpens)
{
    type(u"zzz"_s);
    bar->LngPopupMenuPopup();
    EXPECT_FALSE(bar->menus().action(u"CopyWord"_s)->isEnabled());
    EXPECT_FALSE(bar->menus().action(u"Pronunce"_s)->isEnabled());
    EXPECT_TRUE(bar->menus().action(u"GoToTranslation"_s)->isEnabled());
    EXPECT_TRUE(bar->menus().action(u"FindWordMethodBegins"_s)->isChecked());
    EXPECT_EQ(bar->menus().action(u"Exit"_s)->text(), u"Izlaz\tAlt+F4"_s);

    bar->entry()->clear();
    type(u"house"_s);
    bar->LngPopupMenuPopup();
    EXPECT_TRUE(bar->menus().action(u"CopyWord"_s)->isEnabled());
    EXPECT_TRUE(bar->menus().action(u"Pronunce"_s)->isEnabled());
}

TEST_F(BarTest, MenuChecksChangeSettingsAndRerunTheLookup)
{
    type(u"house"_s);
    bar->LngPopupMenuPopup();
    QAction* wrap = bar->menus().action(u"WrapTheTranslation"_s);
    ASSERT_TRUE(wrap->isChecked());
    wrap->trigger();
    EXPECT_FALSE(bar->preferences().flag(Preference::WrapTranslation));
    bar->menus().action(u"FindWordMethodEnds"_s)->trigger();
    EXPECT_EQ(bar->preferences().findMethod(), FindMethod::Ends);
    EXPECT_EQ(balloon().sourceLines().size(), 2);
    bar->menus().action(u"SelectedLanguageSerbian"_s)->trigger();
    EXPECT_EQ(bar->languageLabel()->text(), u"Srp"_s);
}

TEST_F(BarTest, ClosingSavesTheSettings)
{
    key(Qt::Key_E, Qt::AltModifier);
    key(Qt::Key_I, Qt::AltModifier);
    bar->move(200, 100);
    bar->close();
    const std::optional<IniDocument> ini = readIniFile(paths.settingsFile);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->value(u"Find"_s, u"Mask"_s), u"2"_s);
    EXPECT_EQ(ini->value(u"Interface"_s, u"Language"_s), u"1"_s);
    EXPECT_EQ(ini->value(u"Preferences"_s, u"Tray"_s), u"0"_s);
    EXPECT_FALSE(ini->value(u"Window"_s, u"Left"_s).isEmpty());
}

TEST_F(BarTest, PhraseFromOutsideIsNormalisedAndSearchedInBoth)
{
    key(Qt::Key_L, Qt::AltModifier);
    bar->EnterPhraseFromOutside(u"  [HOUSE]\r\n"_s);
    EXPECT_EQ(bar->entry()->text(), u"house"_s);
    EXPECT_EQ(bar->preferences().searchLanguage(), SearchLanguage::Both);
    EXPECT_EQ(bar->entry()->cursorPosition(), 5);
    bar->balloon()->hide();
    bar->EnterPhraseFromOutside(u"house"_s); // unchanged text still looks up
    EXPECT_TRUE(balloon().isVisible());
    bar->entry()->clear();
    bar->EnterPhraseFromOutside(u"KUĆA"_s);
    bar->balloon()->hide();
    bar->EnterPhraseFromOutside(u"KUĆA"_s); // "Kuća" is what the entry shows as "kuća"
    EXPECT_TRUE(balloon().isVisible());
    EXPECT_EQ(balloon().sourceLines(), QStringList{u"kuća~1house; home"_s});
}

TEST(BarDictionaryNotices, MissingDictionaryShowsKindEightOnEveryLookup)
{
    QTemporaryDir dir;
    const BarPaths paths{dir.filePath(u"kvel.ini"_s), dir.filePath(u"missing.mdb"_s)};
    QFile ini(paths.settingsFile);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Preferences]\nTray=0\nAutoStart=0\n");
    ini.close();
    FakeDesktop desktop;
    Program program(paths, desktop.services());
    program.start();
    TKvelMainForm& bar = program.bar();
    QTest::keyClicks(bar.entry(), u"h"_s);
    ASSERT_TRUE(bar.balloon()->isVisible());
    EXPECT_EQ(bar.balloon()->contentKind(), ContentKind::MissingDictionaryNotice);
}

TEST_F(BarTest, DraggedByItsLabelTheBarSnapsBackOntoTheScreen)
{
    const QRect screen = bar->screen()->availableGeometry();
    QLabel* label = bar->languageLabel();
    const QPoint grip(5, 5);
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, grip);
    // Far past the right and bottom edges, as a hurried drag would leave it.
    QMouseEvent move(QEvent::MouseMove, QPointF(grip),
                     QPointF(label->mapToGlobal(grip) + QPoint(5000, 5000)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &move);
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, grip);
    EXPECT_EQ(bar->geometry().right(), screen.right());
    EXPECT_EQ(bar->geometry().bottom(), screen.bottom());
}
