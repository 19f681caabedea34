// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/SubstringIndex.h"

#include "lookup/index/FibonacciHash.h"
#include "lookup/text/TextFolding.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <numeric>

namespace kvel {

namespace {

// Buckets for three-unit grams: about one per key, within these bounds.
constexpr int kMinBucketBits = 10;
constexpr int kMaxBucketBits = 20;

// Advances `at` to the first element of `list` not below `key`: galloping,
// because the keys asked for only grow.
std::size_t gallop(PackedNumbers::View list, std::size_t at, std::uint32_t key)
{
    std::size_t step = 1;
    while (at + step < list.size() && list[at + step] < key)
        step *= 2;
    std::size_t end = std::min(at + step + 1, list.size());
    while (at < end) {
        const std::size_t middle = at + (end - at) / 2;
        if (list[middle] < key)
            at = middle + 1;
        else
            end = middle;
    }
    return at;
}

} // namespace

SubstringIndex::SubstringIndex(const FoldedKeys& keys, int shortListLength)
    : m_shortListLength(shortListLength)
{
    buildShortGrams(keys);
    buildBuckets(keys);
}

void SubstringIndex::buildShortGrams(const FoldedKeys& keys)
{
    ShortLists::Builder builder(m_shortListLength);
    for (std::uint32_t key = 0; key < keys.size(); ++key) {
        const QStringView text = keys[key];
        for (qsizetype i = 0; i < text.size(); ++i) {
            builder.note(ShortLists::gramOf(text.sliced(i, 1)), key);
            if (i + 1 < text.size())
                builder.note(ShortLists::gramOf(text.sliced(i, 2)), key);
        }
    }
    m_short = builder.finish();
}

std::uint32_t SubstringIndex::bucketOf(const char16_t* gram) const
{
    const std::uint64_t code =
        (std::uint64_t(gram[0]) << 32) | (std::uint64_t(gram[1]) << 16) | gram[2];
    return std::uint32_t(fibonacciHash(code, m_bucketBits));
}

void SubstringIndex::buildBuckets(const FoldedKeys& keys)
{
    m_bucketBits = std::clamp(int(std::bit_width(keys.size())), kMinBucketBits, kMaxBucketBits);
    const std::size_t buckets = std::size_t(1) << m_bucketBits;

    // Counting sort in two passes over the keys; a key counts once per bucket.
    std::vector<std::uint32_t> lastKey(buckets, 0);
    std::vector<std::uint32_t> begins(buckets + 1, 0);
    for (std::uint32_t key = 0; key < keys.size(); ++key) {
        const QStringView text = keys[key];
        for (qsizetype i = 0; i + 3 <= text.size(); ++i) {
            const std::uint32_t b = bucketOf(text.utf16() + i);
            if (lastKey[b] != key + 1) {
                lastKey[b] = key + 1;
                ++begins[b + 1];
            }
        }
    }
    std::partial_sum(begins.begin(), begins.end(), begins.begin());

    std::vector<std::uint32_t>& fill = lastKey; // reused: the next free place per bucket
    std::copy(begins.begin(), begins.end() - 1, fill.begin());
    m_bucketKeys = PackedNumbers(keys.size(), begins.back());
    for (std::uint32_t key = 0; key < keys.size(); ++key) {
        const QStringView text = keys[key];
        for (qsizetype i = 0; i + 3 <= text.size(); ++i) {
            const std::uint32_t b = bucketOf(text.utf16() + i);
            if (fill[b] == begins[b] || m_bucketKeys[fill[b] - 1] != key)
                m_bucketKeys.set(fill[b]++, key);
        }
    }
    m_bucketBegins = OwnedOrMapped(std::move(begins));
}

SubstringIndex::SubstringIndex(indexfile::SectionReader& sections)
{
    const std::vector<qint64> scalars = sections.scalars(2);
    m_shortListLength = int(std::clamp<qint64>(scalars[0], 0, INT_MAX));
    m_bucketBits = int(std::clamp<qint64>(scalars[1], 0, kMaxBucketBits + 1));
    m_short = ShortLists(sections);
    m_bucketBegins = OwnedOrMapped(sections.numbers32());
    m_bucketKeys = PackedNumbers(sections.packed());
    // What the lookups index by their own numbers must have the size they expect.
    if (m_bucketBits < kMinBucketBits || m_bucketBits > kMaxBucketBits ||
        m_bucketBegins.size() != (std::size_t(1) << m_bucketBits) + 1)
        sections.refuse();
}

void SubstringIndex::write(indexfile::SectionWriter& sections) const
{
    sections.scalars({m_shortListLength, m_bucketBits});
    m_short.write(sections);
    sections.numbers(m_bucketBegins.view());
    sections.packed(m_bucketKeys.view());
}

PackedNumbers::View SubstringIndex::bucket(std::uint32_t index) const
{
    const std::size_t end = std::min<std::size_t>(m_bucketBegins[index + 1], m_bucketKeys.size());
    const std::size_t begin = std::min<std::size_t>(m_bucketBegins[index], end);
    return m_bucketKeys.view(begin, end - begin);
}

std::vector<std::uint32_t> SubstringIndex::find(const FoldedKeys& keys, QStringView phrase,
                                                int limit) const
{
    if (limit <= 0)
        return {};
    if (phrase.isEmpty()) {
        // Every key contains the empty text.
        std::vector<std::uint32_t> all(std::min<std::size_t>(std::size_t(limit), keys.size()));
        std::iota(all.begin(), all.end(), 0u);
        return all;
    }
    return phrase.size() <= 2 ? findShort(keys, phrase, limit) : findLong(keys, phrase, limit);
}

std::vector<std::uint32_t> SubstringIndex::findShort(const FoldedKeys& keys, QStringView phrase,
                                                     int limit) const
{
    const std::span<const std::uint32_t> list = m_short.list(ShortLists::gramOf(phrase));
    std::vector<std::uint32_t> hits(list.begin(),
                                    list.begin() + std::min<std::ptrdiff_t>(limit, list.size()));
    // A full list may have been cut short: more than it holds were asked for,
    // so the rest is found by reading on in stored order.
    if (hits.size() < std::size_t(limit) && list.size() == std::size_t(m_shortListLength)) {
        const std::uint32_t from = list.empty() ? 0 : list.back() + 1;
        for (std::uint32_t key = from; key < keys.size() && hits.size() < std::size_t(limit);
             ++key) {
            if (matchesFolded(keys[key], phrase, FindMethod::Contains))
                hits.push_back(key);
        }
    }
    return hits;
}

std::vector<std::uint32_t> SubstringIndex::findLong(const FoldedKeys& keys, QStringView phrase,
                                                    int limit) const
{
    std::vector<std::uint32_t> bucketIndexes;
    for (qsizetype i = 0; i + 3 <= phrase.size(); ++i)
        bucketIndexes.push_back(bucketOf(phrase.utf16() + i));
    std::sort(bucketIndexes.begin(), bucketIndexes.end());
    bucketIndexes.erase(std::unique(bucketIndexes.begin(), bucketIndexes.end()),
                        bucketIndexes.end());
    std::vector<PackedNumbers::View> lists;
    for (const std::uint32_t b : bucketIndexes)
        lists.push_back(bucket(b));
    // The shortest list proposes, the others veto, the key's text decides.
    std::sort(lists.begin(), lists.end(),
              [](const auto& a, const auto& b) { return a.size() < b.size(); });
    std::vector<std::size_t> cursors(lists.size(), 0);

    std::vector<std::uint32_t> hits;
    for (const std::uint32_t key : lists.front()) {
        bool inAll = true;
        for (std::size_t i = 1; i < lists.size() && inAll; ++i) {
            cursors[i] = gallop(lists[i], cursors[i], key);
            inAll = cursors[i] < lists[i].size() && lists[i][cursors[i]] == key;
        }
        if (inAll && matchesFolded(keys[key], phrase, FindMethod::Contains)) {
            hits.push_back(key);
            if (hits.size() == std::size_t(limit))
                break;
        }
    }
    return hits;
}

std::size_t SubstringIndex::memoryBytes() const
{
    return m_short.memoryBytes() + m_bucketBegins.memoryBytes() + m_bucketKeys.memoryBytes();
}

} // namespace kvel
