// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/widgets/HintPlacement.h"

#include <gtest/gtest.h>

using namespace kvel;

void PrintTo(const QRect& rect, std::ostream* os)
{
    *os << '(' << rect.x() << ", " << rect.y() << ' ' << rect.width() << 'x' << rect.height()
        << ')';
}

TEST(HintPlacement, TheHintStaysWhollyOnTheScreen)
{
    // The pointer is 24 pixels above where the hint would open.
    const QRect screen(0, 0, 1024, 768);
    const QRect second(1024, 0, 1280, 1024);
    struct Case
    {
        const char* where;
        QPoint below;
        QSize size;
        QRect screen;
        QRect placed;
    };
    const Case cases[] = {
        {"room enough: below the pointer", {100, 124}, {200, 40}, screen, {100, 124, 200, 40}},
        {"at the right edge: moved left", {900, 124}, {200, 40}, screen, {824, 124, 200, 40}},
        {"at the bottom: above the pointer", {100, 750}, {200, 40}, screen, {100, 662, 200, 40}},
        {"in the corner: left and above", {1000, 750}, {200, 40}, screen, {824, 662, 200, 40}},
        {"no room above either: on the bottom", {100, 60}, {200, 740}, screen, {100, 28, 200, 740}},
        {"wider and taller than the screen: cut to it",
         {300, 300},
         {1500, 900},
         screen,
         {0, 0, 1024, 768}},
        {"left of a second screen", {1000, 124}, {200, 40}, second, {1024, 124, 200, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        EXPECT_EQ(hintGeometry(c.below, c.below.y() - 24, c.size, c.screen), c.placed);
    }
}
