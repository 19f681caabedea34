// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/SmallestKeys.h"

#include <gtest/gtest.h>

using namespace kvel;

TEST(SmallestKeysTest, KeepsTheSmallestInAscendingOrder)
{
    struct Case
    {
        std::vector<std::uint32_t> keys;
        int limit;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {
        {{}, 15, {}},
        {{5, 3, 9}, 15, {3, 5, 9}},
        {{5, 3, 9}, 3, {3, 5, 9}},
        {{5, 3, 9, 1}, 2, {1, 3}},
        {{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, 3, {0, 1, 2}},
        {{0, 1, 2, 3, 4, 5}, 3, {0, 1, 2}},
        {{7, 1, 7, 0}, 1, {0}},
        {{4, 2}, 0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(smallestKeys(c.keys, c.limit), c.expected) << "limit " << c.limit;
        // The same keys packed in each width, shifted up to that width's range.
        for (const std::uint32_t shift : {0u, 250u, 65000u, 16777200u, 4294967000u}) {
            PackedNumbers packed(std::uint64_t(shift) + 10, c.keys.size());
            for (std::size_t i = 0; i < c.keys.size(); ++i)
                packed.set(i, c.keys[i] + shift);
            std::vector<std::uint32_t> expected = c.expected;
            for (std::uint32_t& key : expected)
                key += shift;
            EXPECT_EQ(smallestKeys(packed.view(), c.limit), expected)
                << "limit " << c.limit << " width " << packed.width();
        }
    }
}
