// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

namespace kvel {

// The top `bits` bits of the value times 2^64 divided by the golden ratio:
// grams of neighbouring letters, which differ in their low bits, spread over
// the whole table.
constexpr std::uint64_t fibonacciHash(std::uint64_t value, int bits)
{
    return (value * 0x9E3779B97F4A7C15ull) >> (64 - bits);
}

} // namespace kvel
