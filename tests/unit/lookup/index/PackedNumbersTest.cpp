// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/PackedNumbers.h"

#include <gtest/gtest.h>
#include <vector>

using namespace kvel;

TEST(PackedNumbersTest, TakesTheFewestBytesTheBoundNeeds)
{
    struct Case
    {
        std::uint64_t bound;
        int width;
    };
    const Case cases[] = {
        {0, 1},
        {1, 1},
        {256, 1},
        {257, 2},
        {65536, 2},
        {65537, 3},
        {std::uint64_t(1) << 24, 3},
        {(std::uint64_t(1) << 24) + 1, 4},
        {std::uint64_t(1) << 32, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackedNumbers::widthFor(c.bound), c.width) << "bound " << c.bound;
        EXPECT_EQ(PackedNumbers(c.bound, 3).width(), c.width) << "bound " << c.bound;
    }
}

TEST(PackedNumbersTest, KeepsEveryNumberBelowTheBoundBesideItsNeighbours)
{
    for (const std::uint64_t bound :
         {std::uint64_t(256), std::uint64_t(257), std::uint64_t(65536), std::uint64_t(65537),
          std::uint64_t(1) << 24, (std::uint64_t(1) << 24) + 1, std::uint64_t(1) << 32}) {
        const auto largest = std::uint32_t(bound - 1);
        // The largest number between others, so that a byte spilt into a
        // neighbour or read from one shows; the last one sits at the buffer's end.
        const std::vector<std::uint32_t> numbers = {0,           largest, 1,      largest,
                                                    largest - 1, 0x5A,    largest};
        PackedNumbers packed(bound, numbers.size());
        ASSERT_EQ(packed.size(), numbers.size());
        for (std::size_t i = 0; i < numbers.size(); ++i)
            EXPECT_EQ(packed[i], 0u) << "bound " << bound;
        for (std::size_t i = 0; i < numbers.size(); ++i)
            packed.set(i, numbers[i]);
        std::vector<std::uint32_t> read;
        for (const std::uint32_t number : packed.view())
            read.push_back(number);
        EXPECT_EQ(read, numbers) << "bound " << bound;
        EXPECT_EQ(packed.view().back(), largest) << "bound " << bound;

        const PackedNumbers::View middle = packed.view(2, 3);
        ASSERT_EQ(middle.size(), 3u);
        EXPECT_EQ(middle.front(), 1u);
        EXPECT_EQ(middle[1], largest);
        EXPECT_EQ(middle.back(), largest - 1);
        EXPECT_TRUE(packed.view(7, 0).empty());
    }
}

TEST(PackedNumbersTest, OverwritesANumberWithoutTouchingTheOthers)
{
    PackedNumbers packed(1u << 20, 3);
    packed.set(0, 0xFFFFF);
    packed.set(1, 0xFFFFF);
    packed.set(2, 0xFFFFF);
    packed.set(1, 0x10001);
    EXPECT_EQ(packed[0], 0xFFFFFu);
    EXPECT_EQ(packed[1], 0x10001u);
    EXPECT_EQ(packed[2], 0xFFFFFu);
}

TEST(PackedNumbersTest, HoldsNothingWhenEmpty)
{
    const PackedNumbers empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_TRUE(empty.view().empty());
    EXPECT_EQ(empty.view().begin(), empty.view().end());
}
