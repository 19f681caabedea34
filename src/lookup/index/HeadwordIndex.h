// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"
#include "lookup/index/OwnedOrMapped.h"
#include "lookup/index/PackedNumbers.h"
#include "lookup/index/ShortLists.h"
#include "lookup/index/SubstringIndex.h"
#include "lookup/index/file/IndexSections.h"
#include "lookup/text/FoldedKeys.h"
#include "lookup/text/KeyOrder.h"

#include <QStringView>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace kvel {

// Every headword of one language group, folded, with what finds them by each
// method without reading them all.
class HeadwordIndex
{
public:
    // `rowIds` are one per key, the keys in the order the table stores them;
    // `shortListLength` as in SubstringIndex.
    HeadwordIndex(FoldedKeys keys, std::vector<qint64> rowIds,
                  int shortListLength = kMaxResultLines);
    // As write() left it in a mapped file.
    explicit HeadwordIndex(indexfile::SectionReader& sections);
    void write(indexfile::SectionWriter& sections) const;

    // Row ids of the first `limit` headwords in stored order that match.
    std::vector<qint64> find(FindMethod method, QStringView foldedPhrase, int limit) const;
    // The same as key numbers, ascending.
    std::vector<std::uint32_t> findKeys(FindMethod method, QStringView foldedPhrase,
                                        int limit) const;

    const FoldedKeys& keys() const { return m_keys; }
    qint64 rowIdOf(std::uint32_t key) const { return m_rowIds[key]; }

    std::size_t memoryBytes() const;

private:
    // Row ids as their distance from the smallest, packed; kept as they are
    // only when they spread over more than 2^32 numbers.
    class RowIds
    {
    public:
        explicit RowIds(std::vector<qint64> rowIds);
        explicit RowIds(indexfile::SectionReader& sections);
        void write(indexfile::SectionWriter& sections) const;
        // Key numbers may come from a file: one beyond the last gives a
        // wrong row, never a read out of bounds.
        qint64 operator[](std::uint32_t key) const
        {
            if (m_wide.empty())
                return key < m_offsets.size() ? qint64(quint64(m_first) + m_offsets[key]) : m_first;
            return key < m_wide.size() ? m_wide[key] : m_first;
        }
        std::size_t memoryBytes() const;

    private:
        qint64 m_first = 0;
        PackedNumbers m_offsets;
        OwnedOrMapped<qint64> m_wide;
    };

    // The first keys that start (or end) with a phrase of one or two units,
    // when the lists hold them all; nothing when the runs must be read.
    std::optional<std::vector<std::uint32_t>> listed(const ShortLists& lists, QStringView affix,
                                                     int limit) const;

    FoldedKeys m_keys;
    // Before the orders, so that the row ids given are packed and freed
    // before the orders' own temporaries are made.
    RowIds m_rowIds;
    KeyOrder m_forward;
    KeyOrder m_backward;
    SubstringIndex m_substrings;
    // A start or end of one or two units has a run of up to a fifth of the
    // keys: these lists spare reading it.
    ShortLists m_starts;
    ShortLists m_ends;
};

} // namespace kvel
