// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/IndexFileFormat.h"

#include <bit>
#include <cstring>

namespace kvel::indexfile {

namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;

std::uint64_t mix(std::uint64_t hash, std::uint64_t word)
{
    return std::rotl(hash ^ (word * kPrime2), 31) * kPrime1;
}

} // namespace

std::uint64_t hashBytes(std::span<const std::uint8_t> bytes, std::uint64_t seed)
{
    // Four lanes, so that the multiplications of one word do not wait for the last.
    std::array<std::uint64_t, 4> lanes = {seed + kPrime1, seed + kPrime2, seed, seed - kPrime1};
    std::size_t at = 0;
    for (; at + 32 <= bytes.size(); at += 32) {
        for (std::size_t lane = 0; lane < 4; ++lane) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + at + 8 * lane, 8);
            lanes[lane] = mix(lanes[lane], word);
        }
    }
    std::uint64_t hash = bytes.size();
    for (const std::uint64_t lane : lanes)
        hash = mix(hash, lane);
    for (; at < bytes.size(); ++at)
        hash = mix(hash, bytes[at]);
    hash ^= hash >> 33;
    hash *= kPrime2;
    return hash ^ (hash >> 29);
}

} // namespace kvel::indexfile
