// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kvel::indexfile {

// The layout of an index file; docs/INDEX-FORMAT.md describes it. Every
// number is little-endian, every section starts on a multiple of 8 bytes.

constexpr std::array<char, 8> kMagic = {'K', 'V', 'E', 'L', 'I', 'D', 'X', '\0'};
constexpr std::uint32_t kFormatVersion = 2;
constexpr std::uint32_t kByteOrderMark = 0x01020304;
constexpr std::size_t kSectionAlignment = 8;
// More than any index has: a larger count is a damaged header.
constexpr std::uint32_t kMaxSections = 1024;

using ContentDigest = std::array<std::uint8_t, 32>;

// What a section holds; its elements are `width` bytes each.
enum class SectionKind : std::uint32_t
{
    Units16 = 1,   // UTF-16 code units
    Numbers32 = 2, // unsigned 32-bit numbers
    Numbers64 = 3, // unsigned 64-bit numbers
    Signed64 = 4,  // signed 64-bit numbers
    Packed = 5,    // PackedNumbers of 1 to 4 bytes, then 3 spare bytes
    Bytes = 6,
};

struct Header
{
    std::array<char, 8> magic;
    std::uint32_t formatVersion;
    std::uint32_t byteOrderMark;
    std::uint64_t fileSize;
    std::uint32_t sectionCount;
    std::uint32_t reserved;
    ContentDigest contentDigest;
    // Of the header before this field and of the section table.
    std::uint64_t tableHash;
};
static_assert(sizeof(Header) == 72);

struct SectionEntry
{
    SectionKind kind;
    std::uint32_t width; // bytes per element
    std::uint64_t count; // elements
    std::uint64_t offset;
    std::uint64_t bytes;
    std::uint64_t hash; // of the section's bytes
};
static_assert(sizeof(SectionEntry) == 40);

// A 64-bit hash of bytes, fast enough to check a file of tens of megabytes
// once; it finds damage, it is no defence against a forger.
std::uint64_t hashBytes(std::span<const std::uint8_t> bytes, std::uint64_t seed = 0);

// The hash that seals the header (up to tableHash) and the section table.
std::uint64_t tableHashOf(const Header& header, std::span<const SectionEntry> table);

// hashBytes of bytes given in parts of any sizes, so that a file can be
// hashed through a small buffer instead of being read whole.
class BytesHash
{
public:
    explicit BytesHash(std::uint64_t seed = 0);
    void add(std::span<const std::uint8_t> bytes);
    // hashBytes of everything added, as one span.
    std::uint64_t result() const;

private:
    static constexpr std::size_t kBlock = 32;
    void addBlock(const std::uint8_t* block);

    std::array<std::uint64_t, 4> m_lanes;
    std::array<std::uint8_t, kBlock> m_pending = {}; // the start of an unfinished block
    std::size_t m_pendingSize = 0;
    std::uint64_t m_size = 0;
};

} // namespace kvel::indexfile
