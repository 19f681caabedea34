// SPDX-License-Identifier: GPL-2.0-or-later
#include "BalloonTestSupport.h"
#include "balloon/logic/PhrasePicking.h"
#include "balloon/widgets/TBalloonForm.h"
#include "balloon/widgets/TMyHint.h"
#include "support/LanguageGuard.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

const QStringList kResults = {u"house~0kuća; dom; zgrada"_s, u"kuća~1house; home"_s};

class TBalloonFormPicking : public testing::Test
{
protected:
    void SetUp() override
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        rendering.anchor = QRect(screen.x() + 40, screen.y() + 200, 153, 20);
        host.meanings = u"house; home"_s;
    }

    void render(const QStringList& lines = kResults)
    {
        rendering.show(form, lines);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    QWidget* viewport() const { return form.richEdit()->viewport(); }

    // The middle of a character of a displayed line, in the view's coordinates.
    QPoint characterCentre(int line, int column) const
    {
        const QTextBlock block = form.richEdit()->document()->findBlockByNumber(line);
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + column);
        const QRect left = form.richEdit()->cursorRect(cursor);
        cursor.setPosition(block.position() + column + 1);
        const QRect right = form.richEdit()->cursorRect(cursor);
        return QPoint((left.left() + right.left()) / 2, left.center().y());
    }

    void hover(int line, int column)
    {
        QTest::mouseMove(viewport(), characterCentre(line, column));
    }
    void press(Qt::MouseButton button, int line, int column)
    {
        QTest::mousePress(viewport(), button, {}, characterCentre(line, column));
    }
    void release(Qt::MouseButton button, int line, int column)
    {
        QTest::mouseRelease(viewport(), button, {}, characterCentre(line, column));
    }

    TMyHint* hint() const { return form.hintWindow(); }

    test::LanguageGuard language{InterfaceLanguage::English};
    test::FakeBalloonHost host;
    TBalloonForm form{host};
    test::Rendering rendering;
};

} // namespace

TEST_F(TBalloonFormPicking, TheFirstMoveArmsAndTheSecondShowsThePhraseBelowThePointer)
{
    render();
    hover(0, 8);
    EXPECT_FALSE(hint()->isVisible());

    hover(0, 9);
    ASSERT_TRUE(hint()->isVisible());
    EXPECT_EQ(hint()->text(), u"kuća"_s);

    const QPoint pointer = viewport()->mapToGlobal(characterCentre(0, 9));
    const int drop = form.placement() <= 2 ? 24 : 56;
    const QPoint panel = form.findChild<QWidget*>(u"CentralPanel"_s)->pos();
    EXPECT_EQ(hint()->pos(), pointer - panel + QPoint(0, drop));

    hover(0, 14);
    EXPECT_EQ(hint()->text(), u" dom"_s);
}

TEST_F(TBalloonFormPicking, TheHeadAndTheSemicolonsPickNothing)
{
    render();
    for (int column : {0, 3, 11}) {
        hover(0, 8); // a failed pick disarms: this move arms again
        hover(0, 9);
        ASSERT_TRUE(hint()->isVisible());
        hover(0, column);
        EXPECT_FALSE(hint()->isVisible()) << "column " << column;
    }
}

TEST_F(TBalloonFormPicking, ALeftPressLooksThePhraseUpInTheOtherLanguage)
{
    struct Case
    {
        int line;
        int column;
        QString phrase;
        int selected;
    };
    // A meaning under a red (English) head is Serbian: it is looked up among
    // entries whose Selected is 0, and the reverse under a blue head.
    const Case cases[] = {
        {0, 8, u"kuća"_s, 0},
        {1, 8, u"house"_s, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phrase.toStdString());
        host.queries.clear();
        render();
        hover(c.line, c.column);
        hover(c.line, c.column + 1);
        press(Qt::LeftButton, c.line, c.column + 1);

        ASSERT_EQ(host.queries.size(), 1);
        EXPECT_EQ(host.queries[0].first, c.phrase);
        EXPECT_EQ(host.queries[0].second, c.selected);
        EXPECT_TRUE(hint()->isVisible());
        EXPECT_EQ(hint()->text(), u"house; home"_s);
        release(Qt::LeftButton, c.line, c.column + 1);
    }
}

TEST_F(TBalloonFormPicking, NoMeaningsCloseTheHint)
{
    host.meanings.clear();
    render();
    hover(0, 8);
    hover(0, 9);
    press(Qt::LeftButton, 0, 9);
    EXPECT_EQ(host.queries.size(), 1);
    EXPECT_FALSE(hint()->isVisible());
}

TEST_F(TBalloonFormPicking, ALineWithoutAColouredHeadAboveIsShownButNotLookedUp)
{
    render({u"plain line; another phrase"_s});
    hover(0, 2);
    hover(0, 3);
    ASSERT_TRUE(hint()->isVisible());
    EXPECT_EQ(hint()->text(), u"plain line"_s);

    press(Qt::LeftButton, 0, 3);
    EXPECT_TRUE(host.queries.isEmpty());
    EXPECT_FALSE(hint()->isVisible());
}

TEST_F(TBalloonFormPicking, AWrappedContinuationLineInheritsItsEntrysLanguage)
{
    rendering.wrap = true;
    render({u"house~0"_s + QString(60, u'a') + u"; "_s + QString(40, u'b') + u"; end"_s});
    ASSERT_EQ(form.richEdit()->document()->blockCount(), 2);
    hover(1, 3);
    hover(1, 4);
    press(Qt::LeftButton, 1, 4);
    ASSERT_EQ(host.queries.size(), 1);
    EXPECT_EQ(host.queries[0].second, 0);
}

TEST_F(TBalloonFormPicking, APhraseOnAWrappedRowIsPickedFromItsWholeLine)
{
    QString meanings;
    for (int i = 0; i < 200; ++i)
        meanings += u"phrase %1; "_s.arg(i);
    render({u"house~0"_s + meanings});
    const QTextLayout* rows = form.richEdit()->document()->firstBlock().layout();
    ASSERT_GT(rows->lineCount(), 2);
    const int column = rows->lineAt(2).textStart() + 3;
    const QString expected = *kvel::PhraseAt(form.shownLines()[0].look.text, column + 1);
    ASSERT_FALSE(expected.isEmpty());

    hover(0, column - 1);
    hover(0, column);
    ASSERT_TRUE(hint()->isVisible());
    EXPECT_EQ(hint()->text(), expected);
    press(Qt::LeftButton, 0, column);
    ASSERT_EQ(host.queries.size(), 1);
    EXPECT_EQ(host.queries[0], qMakePair(expected, 0));
}

TEST_F(TBalloonFormPicking, AHintAtTheScreensRightAndBottomEdgesStaysWhollyOnIt)
{
    // A bar in the screen's lower right corner; the balloon opens above it.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    rendering.anchor = QRect(screen.right() - 152, screen.bottom() - 19, 153, 20);
    host.meanings = u"a long reverse meaning, "_s.repeated(200) + QString(500, u'x');
    render();
    hover(0, 18);
    hover(0, 19);
    ASSERT_TRUE(hint()->isVisible());
    EXPECT_TRUE(screen.contains(hint()->geometry()));

    press(Qt::LeftButton, 0, 19);
    ASSERT_EQ(hint()->text(), host.meanings);
    EXPECT_TRUE(screen.contains(hint()->geometry()));
    EXPECT_GT(hint()->height(), 3 * hint()->fontMetrics().height()) << "wrapped to the screen";
}

TEST_F(TBalloonFormPicking, ARightPressMakesThePickedPhraseTheNextLookup)
{
    render();
    press(Qt::RightButton, 0, 9);
    EXPECT_TRUE(host.entryTexts.isEmpty());
    EXPECT_EQ(host.caretMoves, 1);

    hover(0, 8);
    hover(0, 9);
    press(Qt::RightButton, 0, 9);
    EXPECT_EQ(host.entryTexts, QStringList{u"kuća"_s});
    EXPECT_EQ(host.caretMoves, 2);
}

TEST_F(TBalloonFormPicking, NothingIsPickedWhenInsensitiveUnlockedOrForANotice)
{
    struct Case
    {
        const char* name;
        bool sensitive;
        bool locked;
        ContentKind kind;
    };
    const Case cases[] = {
        {"not sensitive", false, true, ContentKind::Results},
        {"unlocked", true, false, ContentKind::Results},
        {"no matches", true, true, ContentKind::NoMatches},
        {"tip of the day", true, true, ContentKind::Tip},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rendering.sensitive = c.sensitive;
        rendering.locked = c.locked;
        rendering.kind = c.kind;
        render();
        hover(0, 8);
        hover(0, 9);
        hover(0, 10);
        EXPECT_FALSE(hint()->isVisible());
        press(Qt::LeftButton, 0, 9);
        press(Qt::RightButton, 0, 9);
        EXPECT_TRUE(host.queries.isEmpty());
        EXPECT_TRUE(host.entryTexts.isEmpty());
        EXPECT_EQ(host.caretMoves, 0);
    }
}

TEST_F(TBalloonFormPicking, TheLockImageTogglesBetweenPickingAndSelectableText)
{
    render();
    auto* lockImage = form.findChild<QLabel*>(u"LockImage"_s);
    auto* bottom = form.findChild<QWidget*>(u"CentralBottomPanel"_s);
    EXPECT_TRUE(form.locked());
    EXPECT_FALSE(bottom->isEnabled());

    QTest::mouseClick(lockImage, Qt::LeftButton);
    EXPECT_FALSE(form.locked());
    EXPECT_TRUE(bottom->isEnabled());
    EXPECT_EQ(lockImage->toolTip(), u"Lock"_s);
    hover(0, 8);
    hover(0, 9);
    EXPECT_FALSE(hint()->isVisible());

    QTest::mouseClick(lockImage, Qt::LeftButton);
    EXPECT_TRUE(form.locked());
    EXPECT_FALSE(bottom->isEnabled());
    EXPECT_EQ(lockImage->toolTip(), u"Unlock"_s);

    // The next rendering takes the lock state from the setting again.
    QTest::mouseClick(lockImage, Qt::LeftButton);
    render();
    EXPECT_TRUE(form.locked());
}

TEST_F(TBalloonFormPicking, KeysToggleTheLockSwallowEnterAndCloseOnEscape)
{
    render();
    QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
    EXPECT_FALSE(form.locked());
    // Unlocked, the text view has the focus and the window still sees the keys.
    QTest::keyClick(form.richEdit(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(form.locked());

    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TBalloonFormPicking, AnyKeyClosesTheHint)
{
    render();
    hover(0, 8);
    hover(0, 9);
    ASSERT_TRUE(hint()->isVisible());
    QTest::keyClick(&form, Qt::Key_A);
    EXPECT_FALSE(hint()->isVisible());
}

TEST_F(TBalloonFormPicking, TheCloseButtonClosesTheBalloonOrWithTheRightButtonTheBar)
{
    render();
    auto* closeButton = form.findChild<QToolButton*>(u"SpeedButton"_s);

    QTest::mousePress(closeButton, Qt::RightButton);
    EXPECT_EQ(host.barCloses, 1);
    EXPECT_TRUE(form.isVisible());
    QTest::mouseRelease(closeButton, Qt::RightButton);

    QTest::mousePress(closeButton, Qt::MiddleButton);
    QTest::mouseRelease(closeButton, Qt::MiddleButton);
    EXPECT_TRUE(form.isVisible());

    QTest::mousePress(closeButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(host.barCloses, 1);
}

TEST_F(TBalloonFormPicking, ANewRenderingDisarmsAndClosesTheHint)
{
    render();
    hover(0, 8);
    hover(0, 9);
    ASSERT_TRUE(hint()->isVisible());
    render();
    EXPECT_FALSE(hint()->isVisible());
    hover(0, 9);
    EXPECT_FALSE(hint()->isVisible());
}

TEST_F(TBalloonFormPicking, LeavingTheTextClosesTheHint)
{
    render();
    hover(0, 8);
    hover(0, 9);
    ASSERT_TRUE(hint()->isVisible());
    // The margin left of the body, outside CentralPanel.
    QTest::mouseMove(&form, QPoint(1, form.findChild<QWidget*>(u"CentralPanel"_s)->y() + 30));
    EXPECT_FALSE(hint()->isVisible());
}

TEST_F(TBalloonFormPicking, TheWheelScrollsTallTextWhileItIsLocked)
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines += u"word%1~0meaning %1"_s.arg(i);
    render(lines);
    QScrollBar* bar = form.richEdit()->verticalScrollBar();
    ASSERT_EQ(bar->value(), 0);

    const QPoint at = characterCentre(0, 3);
    QWheelEvent wheel(at, viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    // As from the window system: only such wheel events pass on to the parents.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::sendEvent(viewport(), &wheel);
    EXPECT_GT(bar->value(), 0);
}
