#pragma once

#include "FoldedKeys.h"

#include <QStringView>
#include <cstdint>
#include <span>
#include <vector>

namespace kvel {

// The key numbers sorted by their text read forwards (for "begins with" and
// "equals") or backwards (for "ends with"), so that every key with a given
// start or end is one contiguous run found by binary search.
class KeyOrder
{
public:
    enum class Direction
    {
        Forward,
        Backward
    };

    KeyOrder(const FoldedKeys& keys, Direction direction);

    // Keys that start (Forward) or end (Backward) with `affix`, in no useful order.
    std::span<const std::uint32_t> withAffix(const FoldedKeys& keys, QStringView affix) const;
    // Keys equal to `text`; Forward only.
    std::span<const std::uint32_t> equalTo(const FoldedKeys& keys, QStringView text) const;

    std::size_t memoryBytes() const { return m_sorted.capacity() * sizeof(std::uint32_t); }

private:
    // Code-unit order, so that a start or an end forms one contiguous run.
    bool less(QStringView a, QStringView b) const;
    QStringView affixOf(QStringView key, qsizetype length) const;

    Direction m_direction;
    std::vector<std::uint32_t> m_sorted;
};

} // namespace kvel
