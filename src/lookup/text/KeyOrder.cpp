// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/text/KeyOrder.h"

#include <algorithm>

namespace kvel {

namespace {

// The first (or last) four code units as one number that orders like them,
// so that most comparisons while sorting need not read the keys.
std::uint64_t leadingUnits(QStringView key, KeyOrder::Direction direction)
{
    std::uint64_t packed = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        const qsizetype at = direction == KeyOrder::Direction::Forward ? i : key.size() - 1 - i;
        const std::uint64_t unit = i < key.size() ? key[at].unicode() : 0;
        packed = (packed << 16) | unit;
    }
    return packed;
}

} // namespace

KeyOrder::KeyOrder(const FoldedKeys& keys, Direction direction) : m_direction(direction)
{
    struct Entry
    {
        std::uint64_t leading;
        std::uint32_t key;
    };
    std::vector<Entry> entries(keys.size());
    for (std::uint32_t key = 0; key < keys.size(); ++key)
        entries[key] = {leadingUnits(keys[key], direction), key};
    const auto before = [&](const Entry& a, const Entry& b) {
        if (a.leading != b.leading)
            return a.leading < b.leading;
        const QStringView x = keys[a.key];
        const QStringView y = keys[b.key];
        // Equal leading units of two long keys are equal text: compare the rest.
        if (x.size() >= 4 && y.size() >= 4) {
            return direction == Direction::Forward ? less(x.sliced(4), y.sliced(4))
                                                   : less(x.chopped(4), y.chopped(4));
        }
        return less(x, y);
    };
    // kvel-dict writes each language sorted, which leaves nothing to do here.
    if (!std::is_sorted(entries.begin(), entries.end(), before))
        std::sort(entries.begin(), entries.end(), before);
    m_sorted = PackedNumbers(keys.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        m_sorted.set(i, entries[i].key);
}

bool KeyOrder::less(QStringView a, QStringView b) const
{
    if (m_direction == Direction::Forward) {
        return std::u16string_view(a.utf16(), a.size()) < std::u16string_view(b.utf16(), b.size());
    }
    return std::lexicographical_compare(a.crbegin(), a.crend(), b.crbegin(), b.crend(),
                                        [](QChar x, QChar y) { return x.unicode() < y.unicode(); });
}

QStringView KeyOrder::affixOf(QStringView key, qsizetype length) const
{
    length = std::min(length, key.size());
    return m_direction == Direction::Forward ? key.first(length) : key.last(length);
}

template <class Below, class NotAbove>
PackedNumbers::View KeyOrder::run(const Below& below, const NotAbove& notAbove) const
{
    const PackedNumbers::View sorted = m_sorted.view();
    const auto partitionPoint = [&sorted](std::size_t first, std::size_t last, const auto& in) {
        while (first < last) {
            const std::size_t middle = first + (last - first) / 2;
            if (in(sorted[middle]))
                first = middle + 1;
            else
                last = middle;
        }
        return first;
    };
    const std::size_t first = partitionPoint(0, sorted.size(), below);
    const std::size_t last = partitionPoint(first, sorted.size(), notAbove);
    return sorted.subview(first, last - first);
}

PackedNumbers::View KeyOrder::withAffix(const FoldedKeys& keys, QStringView affix) const
{
    const auto below = [&](std::uint32_t key) {
        return less(affixOf(keys[key], affix.size()), affix);
    };
    const auto notAbove = [&](std::uint32_t key) {
        return !less(affix, affixOf(keys[key], affix.size()));
    };
    return run(below, notAbove);
}

PackedNumbers::View KeyOrder::equalTo(const FoldedKeys& keys, QStringView text) const
{
    const auto below = [&](std::uint32_t key) {
        return less(keys[key], text);
    };
    const auto notAbove = [&](std::uint32_t key) {
        return !less(text, keys[key]);
    };
    return run(below, notAbove);
}

} // namespace kvel
