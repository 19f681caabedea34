#include "SmallestKeys.h"

#include <algorithm>

namespace kvel {

std::vector<std::uint32_t> smallestKeys(std::span<const std::uint32_t> keys, int limit)
{
    if (limit <= 0)
        return {};
    if (keys.size() <= std::size_t(limit)) {
        std::vector<std::uint32_t> all(keys.begin(), keys.end());
        std::sort(all.begin(), all.end());
        return all;
    }
    std::vector<std::uint32_t> smallest(keys.begin(), keys.begin() + limit);
    std::sort(smallest.begin(), smallest.end());
    // Most keys lose against the largest kept one: one comparison each.
    for (const std::uint32_t key : keys.subspan(std::size_t(limit))) {
        if (key >= smallest.back())
            continue;
        smallest.pop_back();
        smallest.insert(std::upper_bound(smallest.begin(), smallest.end(), key), key);
    }
    return smallest;
}

} // namespace kvel
