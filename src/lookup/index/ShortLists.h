// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/OwnedOrMapped.h"
#include "lookup/index/file/IndexSections.h"

#include <QStringView>
#include <cstdint>
#include <span>
#include <vector>

namespace kvel {

// For every gram of one or two UTF-16 units, the first keys in stored order
// that have it, at most a given number: the whole answer for such a short
// phrase, however many keys have it.
class ShortLists
{
public:
    // Collects the lists from keys noted in stored order.
    class Builder
    {
    public:
        explicit Builder(int listLength) : m_length(std::size_t(listLength)) {}
        // A key counts once per gram, however often it is noted under it.
        void note(std::uint64_t gram, std::uint32_t key);
        ShortLists finish() const;

    private:
        struct Slot
        {
            std::uint64_t gram = 0; // 0 is free: every gram carries its length
            std::uint32_t entry = 0;
        };
        // Open addressing from gram to a dense entry number, grown at half load.
        std::uint32_t entryOf(std::uint64_t gram);
        void grow();

        std::size_t m_length;
        std::vector<Slot> m_slots = std::vector<Slot>(1024);
        std::vector<std::uint32_t> m_lastKey; // key + 1 that was last noted, per entry
        std::vector<std::uint32_t> m_counts;
        std::vector<std::uint32_t> m_staged; // m_length places per entry
    };

    ShortLists() = default;
    // As write() left it in a mapped file.
    explicit ShortLists(indexfile::SectionReader& sections);
    void write(indexfile::SectionWriter& sections) const;

    // The gram of a text of one or two units.
    static std::uint64_t gramOf(QStringView units);
    // The keys listed under `gram`, ascending; none for a gram no key has.
    std::span<const std::uint32_t> list(std::uint64_t gram) const;

    std::size_t memoryBytes() const;

private:
    // The begins and keys may come from a file: each begin is checked
    // against the list it points into where it is used.
    OwnedOrMapped<std::uint64_t> m_grams;  // sorted
    OwnedOrMapped<std::uint32_t> m_begins; // one more than m_grams
    OwnedOrMapped<std::uint32_t> m_keys;
};

} // namespace kvel
