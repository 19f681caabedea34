// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/PackedNumbers.h"
#include "lookup/text/FoldedKeys.h"

#include <QStringView>
#include <cstdint>
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
    // An order already made, as an index file keeps it.
    KeyOrder(Direction direction, PackedNumbers sorted)
        : m_direction(direction), m_sorted(std::move(sorted))
    {}

    // Keys that start (Forward) or end (Backward) with `affix`, in no useful order.
    PackedNumbers::View withAffix(const FoldedKeys& keys, QStringView affix) const;
    // Keys equal to `text`; Forward only.
    PackedNumbers::View equalTo(const FoldedKeys& keys, QStringView text) const;

    PackedNumbers::View sorted() const { return m_sorted.view(); }
    std::size_t memoryBytes() const { return m_sorted.memoryBytes(); }

private:
    // Code-unit order, so that a start or an end forms one contiguous run.
    bool less(QStringView a, QStringView b) const;
    QStringView affixOf(QStringView key, qsizetype length) const;
    // The sorted keys from the first for which `below` is false to the first
    // for which `notAbove` is false.
    template <class Below, class NotAbove>
    PackedNumbers::View run(const Below& below, const NotAbove& notAbove) const;

    Direction m_direction;
    PackedNumbers m_sorted;
};

} // namespace kvel
