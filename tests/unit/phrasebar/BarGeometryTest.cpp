// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarGeometry.h"

#include <gtest/gtest.h>

using namespace kvel;

TEST(BarGeometry, MovesStayOnTheScreenThatHoldsTheBar)
{
    const QRect screen(0, 0, 1024, 768);
    struct Case
    {
        QPoint from;
        BarCommand move;
        QPoint to;
    };
    const Case cases[] = {
        {{100, 25}, BarCommand::StepUp, {100, 0}},
        {{100, 100}, BarCommand::StepUp, {100, 60}},
        {{100, 740}, BarCommand::StepDown, {100, 748}},
        {{20, 100}, BarCommand::StepLeft, {0, 100}},
        {{850, 100}, BarCommand::StepRight, {871, 100}}, // right edge on the screen's edge
        {{100, 100}, BarCommand::StepRight, {140, 100}},
        {{300, 300}, BarCommand::EdgeTop, {300, 0}},
        {{300, 300}, BarCommand::EdgeBottom, {300, 748}},
        {{300, 300}, BarCommand::EdgeLeft, {0, 300}},
        {{300, 300}, BarCommand::EdgeRight, {871, 300}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(movedBar(c.from, kBarSize, screen, c.move), c.to);

    // A second monitor to the right: its own edges count.
    const QRect second(1024, 0, 1280, 1024);
    EXPECT_EQ(movedBar({1500, 500}, kBarSize, second, BarCommand::EdgeLeft), QPoint(1024, 500));
    EXPECT_EQ(movedBar({1500, 500}, kBarSize, second, BarCommand::EdgeRight),
              QPoint(2304 - 153, 500));
}

TEST(BarGeometry, DraggedBarSnapsBackOntoTheScreen)
{
    const QRect screen(0, 0, 1024, 768);
    EXPECT_EQ(clampedToScreen({1000, 100}, kBarSize, screen), QPoint(871, 100));
    EXPECT_EQ(clampedToScreen({-30, -5}, kBarSize, screen), QPoint(0, 0));
    EXPECT_EQ(clampedToScreen({500, 900}, kBarSize, screen), QPoint(500, 748));
    EXPECT_EQ(clampedToScreen({10, 10}, kBarSize, QRect(0, 0, 100, 10)), QPoint(0, 0));
}
