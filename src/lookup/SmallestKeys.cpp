#include "SmallestKeys.h"

#include <algorithm>

namespace kvel {

namespace {

template <class Keys> std::vector<std::uint32_t> smallestOf(const Keys& keys, int limit)
{
    if (limit <= 0)
        return {};
    const std::size_t kept = std::min(keys.size(), std::size_t(limit));
    std::vector<std::uint32_t> smallest;
    smallest.reserve(kept);
    for (std::size_t i = 0; i < kept; ++i)
        smallest.push_back(keys[i]);
    std::sort(smallest.begin(), smallest.end());
    // Most keys lose against the largest kept one: one comparison each.
    for (std::size_t i = kept; i < keys.size(); ++i) {
        const std::uint32_t key = keys[i];
        if (key >= smallest.back())
            continue;
        smallest.pop_back();
        smallest.insert(std::upper_bound(smallest.begin(), smallest.end(), key), key);
    }
    return smallest;
}

} // namespace

std::vector<std::uint32_t> smallestKeys(std::span<const std::uint32_t> keys, int limit)
{
    return smallestOf(keys, limit);
}

std::vector<std::uint32_t> smallestKeys(PackedNumbers::View keys, int limit)
{
    return smallestOf(keys, limit);
}

} // namespace kvel
