// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/IndexFileFormat.h"

#include <algorithm>
#include <bit>
#include <cstddef>
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
    BytesHash hash(seed);
    hash.add(bytes);
    return hash.result();
}

std::uint64_t tableHashOf(const Header& header, std::span<const SectionEntry> table)
{
    const auto headerBytes =
        std::span(reinterpret_cast<const std::uint8_t*>(&header), offsetof(Header, tableHash));
    const auto tableBytes =
        std::span(reinterpret_cast<const std::uint8_t*>(table.data()), table.size_bytes());
    return hashBytes(tableBytes, hashBytes(headerBytes));
}

// Four lanes, so that the multiplications of one word do not wait for the last.
BytesHash::BytesHash(std::uint64_t seed)
    : m_lanes{seed + kPrime1, seed + kPrime2, seed, seed - kPrime1}
{}

void BytesHash::addBlock(const std::uint8_t* block)
{
    for (std::size_t lane = 0; lane < 4; ++lane) {
        std::uint64_t word;
        std::memcpy(&word, block + 8 * lane, 8);
        m_lanes[lane] = mix(m_lanes[lane], word);
    }
}

void BytesHash::add(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return;
    m_size += bytes.size();
    if (m_pendingSize > 0) {
        const std::size_t taken = std::min(kBlock - m_pendingSize, bytes.size());
        std::memcpy(m_pending.data() + m_pendingSize, bytes.data(), taken);
        m_pendingSize += taken;
        bytes = bytes.subspan(taken);
        if (m_pendingSize < kBlock)
            return;
        addBlock(m_pending.data());
        m_pendingSize = 0;
    }
    std::size_t at = 0;
    for (; at + kBlock <= bytes.size(); at += kBlock)
        addBlock(bytes.data() + at);
    m_pendingSize = bytes.size() - at;
    if (m_pendingSize > 0)
        std::memcpy(m_pending.data(), bytes.data() + at, m_pendingSize);
}

std::uint64_t BytesHash::result() const
{
    std::uint64_t hash = m_size;
    for (const std::uint64_t lane : m_lanes)
        hash = mix(hash, lane);
    for (std::size_t at = 0; at < m_pendingSize; ++at)
        hash = mix(hash, m_pending[at]);
    hash ^= hash >> 33;
    hash *= kPrime2;
    return hash ^ (hash >> 29);
}

} // namespace kvel::indexfile
