#include "KeyOrder.h"

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
    m_sorted.reserve(entries.size());
    for (const Entry& entry : entries)
        m_sorted.push_back(entry.key);
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

std::span<const std::uint32_t> KeyOrder::withAffix(const FoldedKeys& keys, QStringView affix) const
{
    const auto below = [&](std::uint32_t key) {
        return less(affixOf(keys[key], affix.size()), affix);
    };
    const auto notAbove = [&](std::uint32_t key) {
        return !less(affix, affixOf(keys[key], affix.size()));
    };
    const auto first = std::partition_point(m_sorted.begin(), m_sorted.end(), below);
    const auto last = std::partition_point(first, m_sorted.end(), notAbove);
    return {first, last};
}

std::span<const std::uint32_t> KeyOrder::equalTo(const FoldedKeys& keys, QStringView text) const
{
    const auto below = [&](std::uint32_t key) {
        return less(keys[key], text);
    };
    const auto notAbove = [&](std::uint32_t key) {
        return !less(text, keys[key]);
    };
    const auto first = std::partition_point(m_sorted.begin(), m_sorted.end(), below);
    const auto last = std::partition_point(first, m_sorted.end(), notAbove);
    return {first, last};
}

} // namespace kvel
