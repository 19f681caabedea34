// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/widgets/BalloonPlacement.h"

#include <gtest/gtest.h>

using namespace kvel;

namespace {

const QRect kScreen(0, 0, 1024, 768);
const QSize kBar(153, 20);

QRect barAt(int left, int top)
{
    return QRect(QPoint(left, top), kBar);
}

} // namespace

void PrintTo(const QPoint& point, std::ostream* os)
{
    *os << '(' << point.x() << ", " << point.y() << ')';
}

TEST(BalloonSize, TextWidthIsClampedBetween220AndTheScreenAndMarginsAreAdded)
{
    struct Case
    {
        int textWidth;
        int textHeight;
        BalloonSize size;
    };
    const Case cases[] = {
        {40, 11, {228, 72, 222, 40}},     {220, 11, {228, 72, 222, 40}},
        {500, 100, {508, 161, 502, 129}}, {1016, 11, {1024, 72, 1018, 40}},
        {3000, 11, {1024, 72, 1018, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.textWidth);
        EXPECT_EQ(balloonSize(c.textWidth, c.textHeight, kScreen.width(), 10000), c.size);
    }
}

TEST(BalloonSize, TallTextIsLimitedSoTheBalloonFitsBelowABarInTheCorner)
{
    const int limit = maxWindowHeight(kScreen, kBar.height());
    EXPECT_EQ(limit, 748);

    const BalloonSize size = balloonSize(300, 5000, kScreen.width(), limit);
    EXPECT_EQ(size.windowHeight, 748);
    EXPECT_EQ(size.panelHeight, 716);

    const BalloonPlacement placed =
        choosePlacement(barAt(400, 300), QSize(size.windowWidth, size.windowHeight), kScreen);
    EXPECT_EQ(placed.placement, 4);
    EXPECT_EQ(placed.windowPos, QPoint(0, 20));
    EXPECT_EQ(placed.barMovedTo, QPoint(0, 0));
}

TEST(BalloonSize, OnlyTextCutByTheLargestBalloonScrolls)
{
    // A window 748 high holds 748 - 61 pixels of text; a screen 1024 wide
    // holds 1024 - 8, and wraps a wider line.
    const int limit = maxWindowHeight(kScreen, kBar.height());
    struct Case
    {
        int textHeight;
        bool scrolls;
    };
    for (const Case c : {Case{11, false}, Case{687, false}, Case{688, true}, Case{5000, true}})
        EXPECT_EQ(scrollsVertically(c.textHeight, limit), c.scrolls) << c.textHeight;
    for (const Case c : {Case{10, false}, Case{1016, false}, Case{1017, true}})
        EXPECT_EQ(c.textHeight > widestText(kScreen.width()), c.scrolls) << c.textHeight;
}

TEST(BalloonSize, TallTextIsLimitedToTheRoomBesideTheBarSoTheBarStays)
{
    // Window 300 wide, lines 11 pixels high: the smallest balloon is 72 high.
    struct Case
    {
        const char* where;
        QRect bar;
        QRect screen;
        int limit;
        bool barMoves;
    };
    const Case cases[] = {
        {"at the bottom edge: above, one pixel apart", barAt(400, 748), kScreen, 747, false},
        {"at the top edge: below", barAt(400, 0), kScreen, 748, false},
        {"in the middle: the larger room, below", barAt(400, 300), kScreen, 448, false},
        {"lower right: above", barAt(800, 600), kScreen, 599, false},
        {"hanging off the top: no more than the corner allows", barAt(400, -10), kScreen, 748,
         false},
        {"too wide for either alignment: the corner", barAt(20, 300), QRect(0, 0, 250, 768), 748,
         true},
        {"no room for one line: the corner", barAt(20, 10), QRect(0, 0, 200, 50), 61, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        const int limit = windowHeightLimit(c.bar, 300, c.screen, 11);
        EXPECT_EQ(limit, c.limit);
        const BalloonPlacement placed = choosePlacement(c.bar, QSize(300, limit), c.screen);
        EXPECT_EQ(placed.barMovedTo.has_value(), c.barMoves);
    }
}

TEST(BalloonPlacement, TheBarsQuarterOfTheScreenPicksTheOrder)
{
    struct Case
    {
        const char* quarter;
        QRect bar;
        std::array<int, 4> order;
    };
    // A bar at (436, 374) has its centre exactly on the screen's centre (512, 384).
    const Case cases[] = {
        {"upper left", barAt(100, 100), {1, 3, 2, 4}},
        {"upper right", barAt(800, 100), {2, 4, 1, 3}},
        {"lower left", barAt(100, 600), {3, 1, 4, 2}},
        {"lower right", barAt(800, 600), {4, 2, 3, 1}},
        {"on both centre lines", barAt(436, 374), {4, 2, 3, 1}},
        {"just left of and above the centre", barAt(435, 373), {1, 3, 2, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quarter);
        EXPECT_EQ(placementOrder(c.bar, kScreen), c.order);
    }
}

TEST(BalloonPlacement, EachPlacementAlignsOneEdgeWithTheBarAboveOrBelowIt)
{
    const QSize window(300, 100);
    const QRect bar = barAt(400, 300);
    EXPECT_EQ(placementPosition(1, bar, window, kScreen), QPoint(253, 199));
    EXPECT_EQ(placementPosition(2, bar, window, kScreen), QPoint(400, 199));
    EXPECT_EQ(placementPosition(3, bar, window, kScreen), QPoint(253, 320));
    EXPECT_EQ(placementPosition(4, bar, window, kScreen), QPoint(400, 320));
    EXPECT_EQ(panelTop(1), 1);
    EXPECT_EQ(panelTop(2), 1);
    EXPECT_EQ(panelTop(3), 31);
    EXPECT_EQ(panelTop(4), 31);
}

TEST(BalloonPlacement, APlacementIsRefusedOnlyAtTheSidesItCanCross)
{
    const QSize window(300, 100);
    struct Case
    {
        int placement;
        QRect bar;
        bool fits;
    };
    const Case cases[] = {
        {1, barAt(100, 101), false}, // left edge at -47
        {1, barAt(147, 101), true},  // exactly at the screen's left and top
        {1, barAt(147, 100), false}, // one pixel above the screen
        {2, barAt(724, 101), true},  // right edge exactly at 1024
        {2, barAt(725, 101), false},
        {2, barAt(-50, 101), true}, // hanging off the left does not
                                    // matter here
        {3, barAt(147, 648), true}, // bottom exactly at 768
        {3, barAt(147, 649), false},
        {4, barAt(724, 648), true},
        {4, barAt(724, 649), false},
        {4, barAt(725, 0), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "placement " << c.placement << " bar at " << c.bar.x() << "," << c.bar.y());
        EXPECT_EQ(placementPosition(c.placement, c.bar, window, kScreen).has_value(), c.fits);
    }
}

TEST(BalloonPlacement, TheFirstPlacementThatFitsIsTaken)
{
    const QSize window(300, 100);
    struct Case
    {
        QRect bar;
        int placement;
        QPoint pos;
    };
    const Case cases[] = {
        {barAt(400, 300), 1, {253, 199}},
        {barAt(100, 300), 2, {100, 199}}, // too close to the left edge for 1
        {barAt(400, 50), 3, {253, 70}},   // no room above
        {barAt(100, 50), 4, {100, 70}},   // no room above nor for right alignment
        {barAt(700, 700), 2, {700, 599}}, // lower right: 4 has no room below
        {barAt(800, 600), 3, {653, 620}}, // lower right: neither 4 nor 2 fits to the right
        {barAt(600, 400), 4, {600, 420}}, // lower right with room below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bar at " << c.bar.x() << "," << c.bar.y());
        const BalloonPlacement placed = choosePlacement(c.bar, window, kScreen);
        EXPECT_EQ(placed.placement, c.placement);
        EXPECT_EQ(placed.windowPos, c.pos);
        EXPECT_FALSE(placed.barMovedTo.has_value());
    }
}

TEST(BalloonPlacement, WhenNothingFitsTheBarMovesToTheScreensCorner)
{
    const BalloonPlacement placed = choosePlacement(barAt(400, 300), QSize(300, 700), kScreen);
    EXPECT_EQ(placed.placement, 4);
    EXPECT_EQ(placed.windowPos, QPoint(0, 20));
    EXPECT_EQ(placed.barMovedTo, QPoint(0, 0));

    const QRect secondScreen(1024, 0, 1280, 1024);
    const BalloonPlacement there =
        choosePlacement(QRect(QPoint(1500, 500), kBar), QSize(300, 900), secondScreen);
    EXPECT_EQ(there.windowPos, QPoint(1024, 20));
    EXPECT_EQ(there.barMovedTo, QPoint(1024, 0));
}

TEST(BalloonPlacement, AScreenTooSmallForAnyBalloonStillEndsTheChoice)
{
    const QRect tiny(0, 0, 200, 50);
    const int limit = maxWindowHeight(tiny, kBar.height());
    const BalloonSize size = balloonSize(10, 11, tiny.width(), limit);
    const BalloonPlacement placed =
        choosePlacement(barAt(20, 10), QSize(size.windowWidth, size.windowHeight), tiny);
    EXPECT_EQ(placed.placement, 4);
    EXPECT_EQ(placed.windowPos, QPoint(0, 20));
    EXPECT_EQ(placed.barMovedTo, QPoint(0, 0));
}

TEST(BalloonOutline, RegionAndBorderFollowTheTailOfEachPlacement)
{
    const QSize window(300, 100);
    struct Case
    {
        int placement;
        QPolygon region;
        QPolygon border;
    };
    const Case cases[] = {
        {1,
         QPolygon({{0, 0}, {300, 0}, {300, 70}, {270, 70}, {270, 100}, {240, 70}, {0, 70}, {0, 0}}),
         QPolygon({{0, 0}, {299, 0}, {299, 69}, {269, 69}, {269, 99}, {239, 69}, {0, 69}, {0, 0}})},
        {2, QPolygon({{0, 0}, {300, 0}, {300, 70}, {60, 70}, {30, 100}, {30, 70}, {0, 70}, {0, 0}}),
         QPolygon({{0, 0}, {299, 0}, {299, 69}, {60, 69}, {30, 99}, {30, 69}, {0, 69}, {0, 0}})},
        {3,
         QPolygon(
             {{0, 30}, {240, 30}, {270, 0}, {270, 30}, {300, 30}, {300, 100}, {0, 100}, {0, 30}}),
         QPolygon(
             {{0, 30}, {240, 30}, {269, 1}, {269, 30}, {299, 30}, {299, 99}, {0, 99}, {0, 30}})},
        {4,
         QPolygon({{0, 30}, {30, 30}, {30, 0}, {60, 30}, {300, 30}, {300, 100}, {0, 100}, {0, 30}}),
         QPolygon({{0, 30}, {30, 30}, {30, 1}, {59, 30}, {299, 30}, {299, 99}, {0, 99}, {0, 30}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.placement);
        EXPECT_EQ(regionPoints(c.placement, window), c.region);
        EXPECT_EQ(borderPoints(c.placement, window), c.border);
    }
}
