#pragma once

#include "FoldedKeys.h"
#include "KeyOrder.h"
#include "SearchSettings.h"
#include "SubstringIndex.h"

#include <QStringView>
#include <QtGlobal>
#include <vector>

namespace kvel {

// Every headword of one language group, folded, with what finds them by each
// method without reading them all.
class HeadwordIndex
{
public:
    // `rowIds` are ascending, one per key, as the table stores them;
    // `shortListLength` as in SubstringIndex.
    HeadwordIndex(FoldedKeys keys, std::vector<qint64> rowIds,
                  int shortListLength = kMaxResultLines);

    // Row ids of the first `limit` headwords in stored order that match.
    std::vector<qint64> find(FindMethod method, QStringView foldedPhrase, int limit) const;
    // The same as key numbers, ascending.
    std::vector<std::uint32_t> findKeys(FindMethod method, QStringView foldedPhrase,
                                        int limit) const;

    const FoldedKeys& keys() const { return m_keys; }
    qint64 rowIdOf(std::uint32_t key) const { return m_rowIds[key]; }

    std::size_t memoryBytes() const;

private:
    FoldedKeys m_keys;
    std::vector<qint64> m_rowIds;
    KeyOrder m_forward;
    KeyOrder m_backward;
    SubstringIndex m_substrings;
};

} // namespace kvel
