// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/TipOfTheDay.h"

#include <gtest/gtest.h>
#include <vector>

using kvel::TipOfTheDay;

namespace {

TEST(TipIds, ThirtyFiveSerbianIdsTwoApart)
{
    EXPECT_EQ(kvel::TipCount, 35);
    EXPECT_EQ(kvel::tipStringId(0), kvel::StringId::TipRightClickMenu);
    EXPECT_EQ(kvel::tipStringId(2), kvel::StringId::TipAltIInterface);
    EXPECT_EQ(kvel::tipStringId(34), kvel::StringId::TipShading);
}

struct SequenceCase
{
    const char* name;
    QDate today;
    std::vector<int> tips; // shown by successive calls of next()
};

class TipSequence : public testing::TestWithParam<SequenceCase>
{
};

TEST_P(TipSequence, StartsAfterTheDayOfTheYearAndWraps)
{
    const SequenceCase& c = GetParam();
    TipOfTheDay tips;
    std::vector<int> shown;
    for (std::size_t i = 0; i < c.tips.size(); ++i)
        shown.push_back(tips.next(c.today));
    EXPECT_EQ(shown, c.tips);
    EXPECT_EQ(kvel::firstTipIndex(c.today), c.tips.front());
}

INSTANTIATE_TEST_SUITE_P(
    Days, TipSequence,
    testing::Values(SequenceCase{"FirstOfJanuary", QDate(2023, 1, 1), {2, 3, 4}},
                    SequenceCase{"DayThirtyFour", QDate(2023, 2, 3), {0, 1}},
                    SequenceCase{"DayThirtyThree", QDate(2023, 2, 2), {34, 0, 1}},
                    SequenceCase{"LastDayOfALeapYear", QDate(2024, 12, 31), {17, 18}},
                    SequenceCase{"LastDayOfACommonYear", QDate(2023, 12, 31), {16, 17}}),
    [](const testing::TestParamInfo<SequenceCase>& info) { return info.param.name; });

TEST(TipOfTheDay, DayIsFixedAtTheFirstTipEvenAcrossMidnight)
{
    TipOfTheDay tips;
    EXPECT_EQ(tips.next(QDate(2023, 1, 1)), 2);
    EXPECT_EQ(tips.next(QDate(2023, 1, 2)), 3);
    EXPECT_EQ(tips.next(QDate(2023, 3, 1)), 4);
}

TEST(TipOfTheDay, AfterAllThirtyFiveTipsTheFirstComesBack)
{
    TipOfTheDay tips;
    const QDate today(2023, 6, 15);
    const int first = tips.next(today);
    for (int i = 1; i < kvel::TipCount; ++i)
        EXPECT_NE(tips.next(today), first);
    EXPECT_EQ(tips.next(today), first);
}

TEST(TipOfTheDay, RepeatShowsTheSameTipAgain)
{
    TipOfTheDay tips;
    const QDate today(2023, 1, 1);
    tips.next(today);
    EXPECT_EQ(tips.next(today), 3);
    EXPECT_EQ(tips.repeat(today), 3);
    EXPECT_EQ(tips.repeat(QDate(2023, 1, 2)), 3);
    EXPECT_EQ(tips.next(today), 4);
}

TEST(TipOfTheDay, RepeatAfterAWrapKeepsTipZero)
{
    TipOfTheDay tips;
    const QDate dayThirtyThree(2023, 2, 2);
    EXPECT_EQ(tips.next(dayThirtyThree), 34);
    EXPECT_EQ(tips.next(dayThirtyThree), 0);
    EXPECT_EQ(tips.repeat(dayThirtyThree), 0);
}

TEST(TipOfTheDay, RepeatBeforeAnyTipShowsAndCountsTheFirst)
{
    TipOfTheDay tips;
    const QDate today(2023, 1, 1);
    EXPECT_EQ(tips.repeat(today), 2);
    EXPECT_EQ(tips.next(today), 3);
}

} // namespace
