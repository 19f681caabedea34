// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/SmallestKeys.h"

#include <algorithm>

namespace kvel {

namespace {

// The first `limit` keys sorted; `forEachOfTheRest` then hands over the others.
template <class Keys, class ForEachOfTheRest>
std::vector<std::uint32_t> smallestOf(const Keys& keys, int limit,
                                      const ForEachOfTheRest& forEachOfTheRest)
{
    if (limit <= 0)
        return {};
    const std::size_t kept = std::min(keys.size(), std::size_t(limit));
    std::vector<std::uint32_t> smallest;
    smallest.reserve(kept);
    for (std::size_t i = 0; i < kept; ++i)
        smallest.push_back(keys[i]);
    std::sort(smallest.begin(), smallest.end());
    if (kept == keys.size())
        return smallest;
    // Most keys lose against the largest kept one: one comparison each.
    std::uint32_t largest = smallest.back();
    forEachOfTheRest(kept, [&smallest, &largest](std::uint32_t key) {
        if (key >= largest)
            return;
        smallest.pop_back();
        smallest.insert(std::upper_bound(smallest.begin(), smallest.end(), key), key);
        largest = smallest.back();
    });
    return smallest;
}

} // namespace

std::vector<std::uint32_t> smallestKeys(std::span<const std::uint32_t> keys, int limit)
{
    return smallestOf(keys, limit, [&keys](std::size_t from, const auto& visit) {
        for (const std::uint32_t key : keys.subspan(from))
            visit(key);
    });
}

std::vector<std::uint32_t> smallestKeys(PackedNumbers::View keys, int limit)
{
    return smallestOf(keys, limit, [&keys](std::size_t from, const auto& visit) {
        keys.subview(from, keys.size() - from).forEach(visit);
    });
}

} // namespace kvel
