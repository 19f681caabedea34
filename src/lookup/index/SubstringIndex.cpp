// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/SubstringIndex.h"

#include "lookup/text/TextFolding.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <numeric>

namespace kvel {

namespace {

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ull;
// Buckets for three-unit grams: about one per key, within these bounds.
constexpr int kMinBucketBits = 10;
constexpr int kMaxBucketBits = 20;

std::uint64_t unigram(char16_t a)
{
    return (std::uint64_t(1) << 32) | a;
}

std::uint64_t bigram(char16_t a, char16_t b)
{
    return (std::uint64_t(2) << 32) | (std::uint32_t(a) << 16) | b;
}

std::uint64_t shortGramOf(QStringView phrase)
{
    return phrase.size() == 1 ? unigram(phrase[0].unicode())
                              : bigram(phrase[0].unicode(), phrase[1].unicode());
}

// Open addressing from gram to a dense entry number, grown at half load.
class GramTable
{
public:
    std::uint32_t entryOf(std::uint64_t gram)
    {
        for (std::size_t slot = home(gram);; slot = (slot + 1) & mask()) {
            if (m_slots[slot].gram == gram)
                return m_slots[slot].entry;
            if (m_slots[slot].gram == 0) {
                const std::uint32_t entry = m_entries++;
                m_slots[slot] = {gram, entry};
                if (std::size_t(m_entries) * 2 > m_slots.size())
                    grow();
                return entry;
            }
        }
    }

    // (gram, entry) pairs sorted by gram.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> sorted() const
    {
        std::vector<std::pair<std::uint64_t, std::uint32_t>> pairs;
        pairs.reserve(m_entries);
        for (const Slot& slot : m_slots) {
            if (slot.gram != 0)
                pairs.emplace_back(slot.gram, slot.entry);
        }
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }

private:
    struct Slot
    {
        std::uint64_t gram = 0; // 0 is free: every gram carries its length
        std::uint32_t entry = 0;
    };

    std::size_t mask() const { return m_slots.size() - 1; }
    std::size_t home(std::uint64_t gram) const
    {
        return std::size_t((gram * kGolden) >> (64 - std::countr_zero(m_slots.size())));
    }
    void grow()
    {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.gram == 0)
                continue;
            std::size_t at = home(slot.gram);
            while (m_slots[at].gram != 0)
                at = (at + 1) & mask();
            m_slots[at] = slot;
        }
    }

    std::vector<Slot> m_slots = std::vector<Slot>(1024);
    std::uint32_t m_entries = 0;
};

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
    const auto length = std::size_t(m_shortListLength);
    GramTable table;
    std::vector<std::uint32_t> lastKey; // key + 1 that was last counted, per entry
    std::vector<std::uint32_t> counts;
    std::vector<std::uint32_t> staged; // `length` slots per entry
    const auto note = [&](std::uint64_t gram, std::uint32_t key) {
        const std::uint32_t entry = table.entryOf(gram);
        if (entry == counts.size()) {
            lastKey.push_back(0);
            counts.push_back(0);
            staged.resize(staged.size() + length);
        }
        if (lastKey[entry] == key + 1 || counts[entry] == length)
            return;
        lastKey[entry] = key + 1;
        staged[entry * length + counts[entry]++] = key;
    };
    for (std::uint32_t key = 0; key < keys.size(); ++key) {
        const QStringView text = keys[key];
        for (qsizetype i = 0; i < text.size(); ++i) {
            note(unigram(text[i].unicode()), key);
            if (i + 1 < text.size())
                note(bigram(text[i].unicode(), text[i + 1].unicode()), key);
        }
    }

    const auto grams = table.sorted();
    std::vector<std::uint64_t> shortGrams;
    std::vector<std::uint32_t> shortBegins;
    std::vector<std::uint32_t> shortKeys;
    shortGrams.reserve(grams.size());
    shortBegins.reserve(grams.size() + 1);
    shortBegins.push_back(0);
    for (const auto& [gram, entry] : grams) {
        shortGrams.push_back(gram);
        const auto first = staged.begin() + std::ptrdiff_t(entry * length);
        shortKeys.insert(shortKeys.end(), first, first + counts[entry]);
        shortBegins.push_back(std::uint32_t(shortKeys.size()));
    }
    shortKeys.shrink_to_fit();
    m_shortGrams = OwnedOrMapped(std::move(shortGrams));
    m_shortBegins = OwnedOrMapped(std::move(shortBegins));
    m_shortKeys = OwnedOrMapped(std::move(shortKeys));
}

std::uint32_t SubstringIndex::bucketOf(const char16_t* gram) const
{
    const std::uint64_t code =
        (std::uint64_t(gram[0]) << 32) | (std::uint64_t(gram[1]) << 16) | gram[2];
    return std::uint32_t((code * kGolden) >> (64 - m_bucketBits));
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
    m_shortGrams = OwnedOrMapped(sections.numbers64());
    m_shortBegins = OwnedOrMapped(sections.numbers32());
    m_shortKeys = OwnedOrMapped(sections.numbers32());
    m_bucketBegins = OwnedOrMapped(sections.numbers32());
    m_bucketKeys = PackedNumbers(sections.packed());
    // What the lookups index by their own numbers must have the size they expect.
    if (m_bucketBits < kMinBucketBits || m_bucketBits > kMaxBucketBits ||
        m_bucketBegins.size() != (std::size_t(1) << m_bucketBits) + 1 ||
        m_shortBegins.size() != m_shortGrams.size() + 1)
        sections.refuse();
}

void SubstringIndex::write(indexfile::SectionWriter& sections) const
{
    sections.scalars({m_shortListLength, m_bucketBits});
    sections.numbers(m_shortGrams.view());
    sections.numbers(m_shortBegins.view());
    sections.numbers(m_shortKeys.view());
    sections.numbers(m_bucketBegins.view());
    sections.packed(m_bucketKeys.view());
}

std::span<const std::uint32_t> SubstringIndex::shortList(std::uint64_t gram) const
{
    const auto found = std::lower_bound(m_shortGrams.begin(), m_shortGrams.end(), gram);
    if (found == m_shortGrams.end() || *found != gram)
        return {};
    const auto at = std::size_t(found - m_shortGrams.begin());
    const std::size_t end = std::min<std::size_t>(m_shortBegins[at + 1], m_shortKeys.size());
    const std::size_t begin = std::min<std::size_t>(m_shortBegins[at], end);
    return m_shortKeys.view().subspan(begin, end - begin);
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
    const std::span<const std::uint32_t> list = shortList(shortGramOf(phrase));
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
    return m_shortGrams.memoryBytes() + m_shortBegins.memoryBytes() + m_shortKeys.memoryBytes() +
           m_bucketBegins.memoryBytes() + m_bucketKeys.memoryBytes();
}

} // namespace kvel
