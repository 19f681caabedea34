// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/HeadwordIndex.h"

#include "lookup/index/SmallestKeys.h"

#include <algorithm>
#include <climits>

namespace kvel {

namespace {

FoldedKeys readKeys(indexfile::SectionReader& sections)
{
    const std::span<const char16_t> text = sections.units();
    const std::span<const std::uint32_t> ends = sections.numbers32();
    // Key numbers are 32 bits wide.
    if (ends.size() > UINT32_MAX)
        sections.refuse();
    return sections.failed() ? FoldedKeys() : FoldedKeys(text, ends);
}

// Each key under its start (or end) of one and of two units.
ShortLists affixLists(const FoldedKeys& keys, KeyOrder::Direction direction, int listLength)
{
    ShortLists::Builder builder(listLength);
    for (std::uint32_t key = 0; key < keys.size(); ++key) {
        const QStringView text = keys[key];
        for (qsizetype length = 1; length <= std::min<qsizetype>(2, text.size()); ++length) {
            builder.note(ShortLists::gramOf(direction == KeyOrder::Direction::Forward
                                                ? text.first(length)
                                                : text.last(length)),
                         key);
        }
    }
    return builder.finish();
}

} // namespace

HeadwordIndex::HeadwordIndex(FoldedKeys keys, std::vector<qint64> rowIds, int shortListLength)
    : m_keys(std::move(keys)), m_rowIds(std::move(rowIds)),
      m_forward(m_keys, KeyOrder::Direction::Forward),
      m_backward(m_keys, KeyOrder::Direction::Backward), m_substrings(m_keys, shortListLength),
      m_starts(affixLists(m_keys, KeyOrder::Direction::Forward, shortListLength)),
      m_ends(affixLists(m_keys, KeyOrder::Direction::Backward, shortListLength))
{}

HeadwordIndex::HeadwordIndex(indexfile::SectionReader& sections)
    : m_keys(readKeys(sections)), m_rowIds(sections),
      m_forward(KeyOrder::Direction::Forward, PackedNumbers(sections.packed())),
      m_backward(KeyOrder::Direction::Backward, PackedNumbers(sections.packed())),
      m_substrings(sections), m_starts(sections), m_ends(sections)
{}

void HeadwordIndex::write(indexfile::SectionWriter& sections) const
{
    sections.units(m_keys.text());
    sections.numbers(m_keys.ends());
    m_rowIds.write(sections);
    sections.packed(m_forward.sorted());
    sections.packed(m_backward.sorted());
    m_substrings.write(sections);
    m_starts.write(sections);
    m_ends.write(sections);
}

HeadwordIndex::RowIds::RowIds(indexfile::SectionReader& sections)
    : m_first(sections.scalars(1)[0]), m_offsets(sections.packed()), m_wide(sections.signed64())
{}

void HeadwordIndex::RowIds::write(indexfile::SectionWriter& sections) const
{
    sections.scalars({m_first});
    sections.packed(m_offsets.view());
    sections.numbers(m_wide.view());
}

HeadwordIndex::RowIds::RowIds(std::vector<qint64> rowIds)
{
    if (rowIds.empty())
        return;
    // Measured from the smallest, not the first: every offset is then a
    // number below the spread, whatever order the ids come in.
    const auto [smallest, largest] = std::minmax_element(rowIds.begin(), rowIds.end());
    m_first = *smallest;
    const auto spread = quint64(*largest) - quint64(m_first);
    if (spread > UINT32_MAX) {
        m_wide = OwnedOrMapped(std::move(rowIds));
        return;
    }
    m_offsets = PackedNumbers(spread + 1, rowIds.size());
    for (std::size_t key = 0; key < rowIds.size(); ++key)
        m_offsets.set(key, std::uint32_t(quint64(rowIds[key]) - quint64(m_first)));
}

std::size_t HeadwordIndex::RowIds::memoryBytes() const
{
    return m_offsets.memoryBytes() + m_wide.memoryBytes();
}

std::vector<qint64> HeadwordIndex::find(FindMethod method, QStringView foldedPhrase,
                                        int limit) const
{
    const std::vector<std::uint32_t> keys = findKeys(method, foldedPhrase, limit);
    std::vector<qint64> rowIds;
    rowIds.reserve(keys.size());
    for (const std::uint32_t key : keys)
        rowIds.push_back(m_rowIds[key]);
    return rowIds;
}

std::vector<std::uint32_t> HeadwordIndex::findKeys(FindMethod method, QStringView foldedPhrase,
                                                   int limit) const
{
    std::vector<std::uint32_t> keys;
    switch (method) {
    case FindMethod::Begins:
        if (auto listedKeys = listed(m_starts, foldedPhrase, limit))
            return *std::move(listedKeys);
        keys = smallestKeys(m_forward.withAffix(m_keys, foldedPhrase), limit);
        break;
    case FindMethod::Contains:
        keys = m_substrings.find(m_keys, foldedPhrase, limit);
        break;
    case FindMethod::Ends:
        if (auto listedKeys = listed(m_ends, foldedPhrase, limit))
            return *std::move(listedKeys);
        keys = smallestKeys(m_backward.withAffix(m_keys, foldedPhrase), limit);
        break;
    case FindMethod::Whole:
        keys = smallestKeys(m_forward.equalTo(m_keys, foldedPhrase), limit);
        break;
    }
    return keys;
}

std::optional<std::vector<std::uint32_t>> HeadwordIndex::listed(const ShortLists& lists,
                                                                QStringView affix, int limit) const
{
    if (affix.isEmpty() || affix.size() > 2)
        return std::nullopt;
    if (limit <= 0)
        return std::vector<std::uint32_t>();
    const std::span<const std::uint32_t> list = lists.list(ShortLists::gramOf(affix));
    // A full list may have been cut short of what was asked for.
    if (list.size() == std::size_t(m_substrings.shortListLength()) &&
        std::size_t(limit) > list.size())
        return std::nullopt;
    return std::vector<std::uint32_t>(list.begin(),
                                      list.begin() + std::min<std::ptrdiff_t>(limit, list.size()));
}

std::size_t HeadwordIndex::memoryBytes() const
{
    return m_keys.memoryBytes() + m_rowIds.memoryBytes() + m_forward.memoryBytes() +
           m_backward.memoryBytes() + m_substrings.memoryBytes() + m_starts.memoryBytes() +
           m_ends.memoryBytes();
}

} // namespace kvel
