// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/HeadwordIndex.h"

#include "lookup/index/SmallestKeys.h"

#include <algorithm>

namespace kvel {

HeadwordIndex::HeadwordIndex(FoldedKeys keys, std::vector<qint64> rowIds, int shortListLength)
    : m_keys(std::move(keys)), m_rowIds(std::move(rowIds)),
      m_forward(m_keys, KeyOrder::Direction::Forward),
      m_backward(m_keys, KeyOrder::Direction::Backward), m_substrings(m_keys, shortListLength)
{}

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
        m_wide = std::move(rowIds);
        return;
    }
    m_offsets = PackedNumbers(spread + 1, rowIds.size());
    for (std::size_t key = 0; key < rowIds.size(); ++key)
        m_offsets.set(key, std::uint32_t(quint64(rowIds[key]) - quint64(m_first)));
}

std::size_t HeadwordIndex::RowIds::memoryBytes() const
{
    return m_offsets.memoryBytes() + m_wide.capacity() * sizeof(qint64);
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
        keys = smallestKeys(m_forward.withAffix(m_keys, foldedPhrase), limit);
        break;
    case FindMethod::Contains:
        keys = m_substrings.find(m_keys, foldedPhrase, limit);
        break;
    case FindMethod::Ends:
        keys = smallestKeys(m_backward.withAffix(m_keys, foldedPhrase), limit);
        break;
    case FindMethod::Whole:
        keys = smallestKeys(m_forward.equalTo(m_keys, foldedPhrase), limit);
        break;
    }
    return keys;
}

std::size_t HeadwordIndex::memoryBytes() const
{
    return m_keys.memoryBytes() + m_rowIds.memoryBytes() + m_forward.memoryBytes() +
           m_backward.memoryBytes() + m_substrings.memoryBytes();
}

} // namespace kvel
