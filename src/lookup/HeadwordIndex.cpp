#include "HeadwordIndex.h"

#include "SmallestKeys.h"

namespace kvel {

HeadwordIndex::HeadwordIndex(FoldedKeys keys, std::vector<qint64> rowIds, int shortListLength)
    : m_keys(std::move(keys)), m_rowIds(std::move(rowIds)),
      m_forward(m_keys, KeyOrder::Direction::Forward),
      m_backward(m_keys, KeyOrder::Direction::Backward), m_substrings(m_keys, shortListLength)
{}

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
    return m_keys.memoryBytes() + m_rowIds.capacity() * sizeof(qint64) + m_forward.memoryBytes() +
           m_backward.memoryBytes() + m_substrings.memoryBytes();
}

} // namespace kvel
