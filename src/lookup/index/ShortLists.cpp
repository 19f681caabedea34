// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/ShortLists.h"

#include "lookup/index/FibonacciHash.h"

#include <algorithm>
#include <bit>

namespace kvel {

namespace {

// Where a gram's search starts in an open-addressed table of `size` slots, a power of two.
std::size_t homeSlot(std::uint64_t gram, std::size_t size)
{
    return std::size_t(fibonacciHash(gram, std::countr_zero(size)));
}

} // namespace

std::uint64_t ShortLists::gramOf(QStringView units)
{
    if (units.size() == 1)
        return (std::uint64_t(1) << 32) | units[0].unicode();
    return (std::uint64_t(2) << 32) | (std::uint32_t(units[0].unicode()) << 16) |
           units[1].unicode();
}

std::uint32_t ShortLists::Builder::entryOf(std::uint64_t gram)
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = homeSlot(gram, m_slots.size());; slot = (slot + 1) & mask) {
        if (m_slots[slot].gram == gram)
            return m_slots[slot].entry;
        if (m_slots[slot].gram == 0) {
            const auto entry = std::uint32_t(m_counts.size());
            m_slots[slot] = {gram, entry};
            m_lastKey.push_back(0);
            m_counts.push_back(0);
            m_staged.resize(m_staged.size() + m_length);
            if (m_counts.size() * 2 > m_slots.size())
                grow();
            return entry;
        }
    }
}

void ShortLists::Builder::grow()
{
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.gram == 0)
            continue;
        std::size_t at = homeSlot(slot.gram, m_slots.size());
        while (m_slots[at].gram != 0)
            at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}

void ShortLists::Builder::note(std::uint64_t gram, std::uint32_t key)
{
    const std::uint32_t entry = entryOf(gram);
    if (m_lastKey[entry] == key + 1 || m_counts[entry] == m_length)
        return;
    m_lastKey[entry] = key + 1;
    m_staged[entry * m_length + m_counts[entry]++] = key;
}

ShortLists ShortLists::Builder::finish() const
{
    std::vector<std::pair<std::uint64_t, std::uint32_t>> entries;
    entries.reserve(m_counts.size());
    for (const Slot& slot : m_slots) {
        if (slot.gram != 0)
            entries.emplace_back(slot.gram, slot.entry);
    }
    std::sort(entries.begin(), entries.end());

    std::vector<std::uint64_t> grams;
    std::vector<std::uint32_t> begins;
    std::vector<std::uint32_t> keys;
    grams.reserve(entries.size());
    begins.reserve(entries.size() + 1);
    begins.push_back(0);
    for (const auto& [gram, entry] : entries) {
        grams.push_back(gram);
        const auto first = m_staged.begin() + std::ptrdiff_t(entry * m_length);
        keys.insert(keys.end(), first, first + m_counts[entry]);
        begins.push_back(std::uint32_t(keys.size()));
    }
    keys.shrink_to_fit();
    ShortLists lists;
    lists.m_grams = OwnedOrMapped(std::move(grams));
    lists.m_begins = OwnedOrMapped(std::move(begins));
    lists.m_keys = OwnedOrMapped(std::move(keys));
    return lists;
}

ShortLists::ShortLists(indexfile::SectionReader& sections)
    : m_grams(sections.numbers64()), m_begins(sections.numbers32()), m_keys(sections.numbers32())
{
    // A gram's list is found by its number: there must be a begin for each.
    if (m_begins.size() != m_grams.size() + 1)
        sections.refuse();
}

void ShortLists::write(indexfile::SectionWriter& sections) const
{
    sections.numbers(m_grams.view());
    sections.numbers(m_begins.view());
    sections.numbers(m_keys.view());
}

std::span<const std::uint32_t> ShortLists::list(std::uint64_t gram) const
{
    const auto found = std::lower_bound(m_grams.begin(), m_grams.end(), gram);
    if (found == m_grams.end() || *found != gram)
        return {};
    const auto at = std::size_t(found - m_grams.begin());
    if (at + 1 >= m_begins.size())
        return {};
    const std::size_t end = std::min<std::size_t>(m_begins[at + 1], m_keys.size());
    const std::size_t begin = std::min<std::size_t>(m_begins[at], end);
    return m_keys.view().subspan(begin, end - begin);
}

std::size_t ShortLists::memoryBytes() const
{
    return m_grams.memoryBytes() + m_begins.memoryBytes() + m_keys.memoryBytes();
}

} // namespace kvel
