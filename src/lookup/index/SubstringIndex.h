// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/OwnedOrMapped.h"
#include "lookup/index/PackedNumbers.h"
#include "lookup/index/ShortLists.h"
#include "lookup/index/file/IndexSections.h"
#include "lookup/text/FoldedKeys.h"

#include <QStringView>
#include <cstdint>
#include <span>
#include <vector>

namespace kvel {

// Finds the keys that contain a phrase without reading every key.
//
// A phrase of one or two UTF-16 units is its own gram: the index keeps, for
// every such gram, the first keys in stored order that contain it, which is
// the whole answer whether the gram is rare or in half of the dictionary.
// Longer phrases go through three-unit grams hashed into buckets: each bucket
// lists every key containing one of its grams, so the keys in all of a
// phrase's buckets are the only candidates, checked in stored order.
class SubstringIndex
{
public:
    // `shortListLength` is how many keys a one- or two-unit gram keeps.
    SubstringIndex(const FoldedKeys& keys, int shortListLength);
    // As write() left it in a mapped file.
    explicit SubstringIndex(indexfile::SectionReader& sections);
    void write(indexfile::SectionWriter& sections) const;

    // The first `limit` keys in stored order whose text contains `phrase`.
    std::vector<std::uint32_t> find(const FoldedKeys& keys, QStringView phrase, int limit) const;

    // How many keys a one- or two-unit gram keeps.
    int shortListLength() const { return m_shortListLength; }

    std::size_t memoryBytes() const;

private:
    std::vector<std::uint32_t> findShort(const FoldedKeys& keys, QStringView phrase,
                                         int limit) const;
    std::vector<std::uint32_t> findLong(const FoldedKeys& keys, QStringView phrase,
                                        int limit) const;
    PackedNumbers::View bucket(std::uint32_t index) const;
    std::uint32_t bucketOf(const char16_t* gram) const;
    void buildShortGrams(const FoldedKeys& keys);
    void buildBuckets(const FoldedKeys& keys);

    // The bucket begins and keys may come from a file: each begin is
    // checked against the list it points into where it is used.
    int m_shortListLength;
    ShortLists m_short;
    int m_bucketBits = 0;
    OwnedOrMapped<std::uint32_t> m_bucketBegins; // one more than the buckets
    PackedNumbers m_bucketKeys;
};

} // namespace kvel
