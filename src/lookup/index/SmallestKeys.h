// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/PackedNumbers.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kvel {

// The `limit` smallest key numbers of an unordered set, ascending: the first
// matches in stored order without sorting every match.
std::vector<std::uint32_t> smallestKeys(std::span<const std::uint32_t> keys, int limit);
std::vector<std::uint32_t> smallestKeys(PackedNumbers::View keys, int limit);

} // namespace kvel
