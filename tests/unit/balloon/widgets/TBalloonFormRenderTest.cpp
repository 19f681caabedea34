// SPDX-License-Identifier: GPL-2.0-or-later
#include "BalloonTestSupport.h"
#include "balloon/widgets/TBalloonForm.h"
#include "support/LanguageGuard.h"
#include "support/QtPrinters.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// Generous: a hint shows after the style's wake-up delay, under a second.
constexpr int kHintWaitMs = 10000;

QRect screenRect()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The bar, 153 x 20, with its centre in the given quarter of the screen.
QRect barInQuarter(bool right, bool lower)
{
    const QRect screen = screenRect();
    const int x = screen.x() + (right ? screen.width() * 3 / 4 : screen.width() / 4) - 76;
    const int y = screen.y() + (lower ? screen.height() * 3 / 4 : screen.height() / 4) - 10;
    return QRect(x, y, 153, 20);
}

QTextCharFormat formatAt(const TBalloonForm& form, int line, int column)
{
    const QTextBlock block = form.richEdit()->document()->findBlockByNumber(line);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + column + 1);
    return cursor.charFormat();
}

class TBalloonFormRender : public testing::Test
{
protected:
    test::LanguageGuard language{InterfaceLanguage::English};
    test::FakeBalloonHost host;
    TBalloonForm form{host};
    test::Rendering rendering{.anchor = barInQuarter(false, false)};
};

} // namespace

TEST_F(TBalloonFormRender, HeadsAreBoldRedForEnglishAndBlueForSerbianAndMeaningsPlainBlack)
{
    rendering.show(form, {u"house~0kuća; dom"_s, u"kuća~1house; home"_s, u"a~2b~2c"_s});

    const QTextDocument* document = form.richEdit()->document();
    ASSERT_EQ(document->blockCount(), 3);
    EXPECT_EQ(document->findBlockByNumber(0).text(), u"house  kuća; dom"_s);
    EXPECT_EQ(document->findBlockByNumber(2).text(), u"a  b  c"_s);

    struct Case
    {
        int line;
        int column;
        QColor colour;
        bool bold;
    };
    const Case cases[] = {
        {0, 0, Qt::red, true},    {0, 4, Qt::red, true},    {0, 5, Qt::black, false},
        {0, 7, Qt::black, false}, {1, 0, Qt::blue, true},   {1, 3, Qt::blue, true},
        {1, 4, Qt::black, false}, {1, 6, Qt::black, false}, {2, 0, Qt::black, true},
        {2, 1, Qt::black, false}, {2, 3, Qt::black, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.line << " column " << c.column);
        const QTextCharFormat format = formatAt(form, c.line, c.column);
        EXPECT_EQ(format.foreground().color(), c.colour);
        EXPECT_EQ(format.fontWeight() == QFont::Bold, c.bold);
    }
}

TEST_F(TBalloonFormRender, TheTitleStripShowsCaptionImageAndHints)
{
    rendering.caption = u"Last 2: HOUSE*"_s;
    rendering.show(form, {u"house~0kuća"_s});

    const auto* label = form.findChild<QLabel*>(u"Label"_s);
    EXPECT_EQ(label->text(), u"Last 2: HOUSE*"_s);
    EXPECT_EQ(label->toolTip(), u"Last 2: HOUSE*"_s);
    EXPECT_FALSE(form.findChild<QLabel*>(u"Image"_s)->pixmap().isNull());
    EXPECT_EQ(form.findChild<QToolButton*>(u"SpeedButton"_s)->toolTip(), u"Close"_s);
    EXPECT_EQ(form.findChild<QLabel*>(u"LockImage"_s)->toolTip(), u"Unlock"_s);

    // The right-hand controls keep their distance to the body's right edge.
    const int body = form.findChild<QWidget*>(u"CentralPanel"_s)->width();
    EXPECT_EQ(form.findChild<QToolButton*>(u"SpeedButton"_s)->geometry().right() + 1, body - 1);
    EXPECT_EQ(form.findChild<QLabel*>(u"LockImage"_s)->geometry().right() + 1, body - 21);
    EXPECT_EQ(label->geometry().right() + 1, body - 42);
}

TEST_F(TBalloonFormRender, TheTitleStripsHintsShowWhileTheBarKeepsTheFocus)
{
    rendering.show(form, {u"house~0kuća"_s});
    QWidget bar;
    bar.show();
    bar.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&bar));
    ASSERT_FALSE(form.isActiveWindow());
    // A hint shows only while no button is held; other tests may leave one down.
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        QTest::mouseRelease(&bar, button);

    for (const char* name : {"Label", "LockImage", "SpeedButton"}) {
        SCOPED_TRACE(name);
        QWidget* control = form.findChild<QWidget*>(QString::fromLatin1(name));
        QTest::mouseMove(control, control->rect().center());
        const auto shown = [control] {
            return QToolTip::isVisible() && QToolTip::text() == control->toolTip();
        };
        EXPECT_TRUE(QTest::qWaitFor(shown, kHintWaitMs));
        QToolTip::hideText();
    }
}

TEST_F(TBalloonFormRender, ANarrowOneLineTextGivesTheSmallestBalloon)
{
    rendering.show(form, {u"a~0b"_s, u""_s});

    EXPECT_EQ(form.width(), 228);
    EXPECT_EQ(form.findChild<QWidget*>(u"CentralPanel"_s)->geometry().left(), 4);
    EXPECT_EQ(form.findChild<QWidget*>(u"CentralPanel"_s)->width(), 222);
    // The empty last line is shown as one blank, and counts for the height.
    EXPECT_EQ(form.richEdit()->document()->lastBlock().text(), u" "_s);
    EXPECT_EQ(form.findChild<QWidget*>(u"CentralPanel"_s)->height(), form.height() - 32);
    EXPECT_FALSE(form.richEdit()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(form.richEdit()->horizontalScrollBar()->isVisible());
}

TEST_F(TBalloonFormRender, AWideTextWidensTheBalloonUpToTheScreen)
{
    rendering.show(form, {u"house~0"_s + QString(60, u'm')});
    const int wide = form.width();
    EXPECT_GT(wide, 228);
    EXPECT_LE(wide, screenRect().width());

    rendering.show(form, {u"house~0"_s + QString(1000, u'm')});
    EXPECT_EQ(form.width(), screenRect().width());
}

TEST_F(TBalloonFormRender, WrappingCutsTheShownLinesButKeepsTheContent)
{
    const QString line = u"house~0"_s + QString(60, u'a') + u"; "_s + QString(60, u'b');
    const BalloonContent content = test::contentFromText({line});
    form.ShowContent(content, rendering.anchor, {true, true, true});

    EXPECT_EQ(form.shownLines().size(), 2);
    EXPECT_EQ(form.shownLines()[1].entry, 0) << "the continuation belongs to the entry";
    EXPECT_EQ(form.content(), content);
    EXPECT_EQ(form.sourceLines(), QStringList{line});
    EXPECT_EQ(form.richEdit()->document()->blockCount(), 2);
}

TEST_F(TBalloonFormRender, ABalloonOpensOnTheSideOfTheBarThatTheQuarterPicks)
{
    struct Case
    {
        const char* quarter;
        bool right;
        bool lower;
        int placement;
    };
    const Case cases[] = {
        {"upper left", false, false, 1},
        {"upper right", true, false, 2},
        {"lower left", false, true, 3},
        {"lower right", true, true, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quarter);
        rendering.anchor = barInQuarter(c.right, c.lower);
        rendering.show(form, {u"house~0kuća"_s});
        const QRect bar = rendering.anchor;
        const QRect window = form.geometry();
        EXPECT_EQ(form.placement(), c.placement);
        EXPECT_TRUE(c.lower ? window.top() > bar.bottom() : window.bottom() < bar.top());
        EXPECT_EQ(c.right ? window.left() : window.right(), c.right ? bar.left() : bar.right());
    }
    EXPECT_TRUE(host.barMoves.isEmpty());
}

TEST_F(TBalloonFormRender, TheWindowIsCutToTheBalloonShape)
{
    rendering.anchor = barInQuarter(true, true);
    rendering.show(form, {u"house~0kuća"_s});
    ASSERT_EQ(form.placement(), 4);

    const QRegion shape = form.mask();
    const int w = form.width();
    const int h = form.height();
    EXPECT_TRUE(shape.contains(QPoint(1, 31)));
    EXPECT_TRUE(shape.contains(QPoint(w - 1, h - 1)));
    EXPECT_TRUE(shape.contains(QPoint(31, 2))); // inside the tail
    EXPECT_FALSE(shape.contains(QPoint(5, 5))); // left of the tail
    EXPECT_FALSE(shape.contains(QPoint(w - 5, 5)));
    EXPECT_FALSE(shape.contains(QPoint(58, 5))); // right of the tail's slope
}

TEST_F(TBalloonFormRender, TextTooTallForTheRoomBesideTheBarScrollsAndTheBarStaysWhereItIs)
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines += u"word%1~0meaning %1"_s.arg(i);
    const QRect screen = screenRect();
    struct Case
    {
        const char* where;
        QRect bar;
    };
    const Case cases[] = {
        {"lower right quarter", barInQuarter(true, true)},
        {"on the screen's bottom edge", QRect(screen.x() + 300, screen.bottom() - 19, 153, 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        rendering.anchor = c.bar;
        rendering.show(form, lines);
        EXPECT_LE(form.height(), screen.height() - 20);
        EXPECT_TRUE(host.barMoves.isEmpty());
        EXPECT_TRUE(screen.contains(form.geometry()));
        EXPECT_LT(form.geometry().bottom(), c.bar.top()) << "above the bar, the larger room";
        EXPECT_GT(form.richEdit()->verticalScrollBar()->maximum(), 0);
        // The vertical bar stands beside the text: no line is cut on the right.
        EXPECT_EQ(form.richEdit()->horizontalScrollBar()->maximum(), 0);
    }
}

// A line wider than the screen, whether or not lines are cut at ';', wraps at
// the view's edge as part of the same displayed line, and the height counts
// its rows: the view never scrolls sideways.
TEST_F(TBalloonFormRender, ALineWiderThanTheScreenWrapsAtTheViewsEdge)
{
    const QString wide = u"house~0"_s + u"kuća "_s.repeated(400);
    QStringList tall{wide};
    for (int i = 0; i < 200; ++i)
        tall += u"word%1~0meaning %1"_s.arg(i);
    struct Case
    {
        const char* name;
        bool wrap;
        QStringList lines;
        bool scrolls;
    };
    const Case cases[] = {
        {"not cut at ';'", false, {wide}, false},
        {"no ';' among the first 93 characters", true, {wide, u"cat~0mačka"_s}, false},
        {"tall text with a vertical scroll bar", false, tall, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rendering.wrap = c.wrap;
        rendering.show(form, c.lines);
        QCoreApplication::processEvents();
        const QTextEdit* view = form.richEdit();
        EXPECT_EQ(form.shownLines().size(), c.lines.size());
        EXPECT_GT(view->document()->firstBlock().layout()->lineCount(), 1);
        EXPECT_LE(view->document()->idealWidth(), view->viewport()->width());
        EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
        EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
        EXPECT_EQ(view->verticalScrollBar()->maximum() > 0, c.scrolls);
        if (!c.scrolls)
            EXPECT_LE(view->document()->size().height(), view->viewport()->height());
        EXPECT_LE(form.width(), screenRect().width());
    }
}

TEST_F(TBalloonFormRender, CentredAlignmentAppliesToEveryParagraph)
{
    rendering.kind = ContentKind::About;
    rendering.alignment = Qt::AlignHCenter;
    rendering.show(form, {u"Program:~2 Kvel"_s, u"short"_s});

    const QTextDocument* document = form.richEdit()->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(form.contentKind(), ContentKind::About);
}

// The window is sized to its text, so a text that fits shows no scroll bars,
// whether the balloon was hidden, open or showing something smaller before.
TEST_F(TBalloonFormRender, ATextThatFitsShowsNoScrollBarsAfterASmallerOne)
{
    QStringList tall;
    for (int i = 0; i < 30; ++i)
        tall += u"Alt+%1~0 a line of the keyboard list that is fairly wide %1"_s.arg(i);
    for (const bool hiddenBetween : {true, false}) {
        SCOPED_TRACE(hiddenBetween ? "hidden in between" : "open in between");
        rendering.show(form, {u"house~0kuća"_s});
        if (hiddenBetween)
            form.hide();
        rendering.show(form, tall);
        QCoreApplication::processEvents();
        EXPECT_FALSE(form.richEdit()->verticalScrollBar()->isVisible());
        EXPECT_FALSE(form.richEdit()->horizontalScrollBar()->isVisible());
        EXPECT_EQ(form.richEdit()->verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(form.richEdit()->horizontalScrollBar()->maximum(), 0);
        form.hide();
    }
}
