// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"
#include "lookup/index/HeadwordIndex.h"
#include "lookup/index/TolerantIndex.h"

#include <QByteArray>
#include <QStringView>
#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

struct sqlite3;

namespace kvel {

// The headwords of TblKvel in memory, split by the language filter they pass:
// English rows (Selected = -1), Serbian rows (Selected = 0) and the rest, which
// only a search in both languages finds. Rows whose Word is NULL never match
// and are left out.
class DictionaryIndex
{
public:
    enum class Group
    {
        English,
        Serbian,
        Other
    };

    // What reading the headwords gave.
    struct Read
    {
        std::unique_ptr<DictionaryIndex> index; // null when it could not be built
        // The row ids did not ascend in stored order, as only a damaged file
        // gives them: ordered by id, the index would not keep the table's order.
        bool rowIdsOutOfOrder = false;
    };

    // Reads every headword through `db`, each with its row id read as
    // `rowIdName` (see rowIdNameOfTblKvel).
    static Read read(sqlite3* db, const QByteArray& rowIdName);
    // The index as write() left it in a mapped file, which `mapping` keeps
    // mapped while the index lives; null if the sections are not those of an index.
    static std::unique_ptr<DictionaryIndex> read(indexfile::SectionReader& sections,
                                                 std::shared_ptr<const void> mapping);
    // Adds its sections, the tolerant index's too, which is built first if
    // no tolerant search has built it yet.
    void write(indexfile::SectionWriter& sections) const;

    // Row ids of the first `limit` matching rows in stored order.
    std::vector<qint64> find(SearchLanguage language, FindMethod method, QStringView foldedPhrase,
                             int limit) const;
    std::vector<qint64> find(Group group, FindMethod method, QStringView foldedPhrase,
                             int limit) const;

    // Row ids of the first `limit` rows in stored order that match the phrase
    // only tolerantly, given folded and in its tolerant form.
    std::vector<qint64> findOnlyTolerant(SearchLanguage language, FindMethod method,
                                         QStringView foldedPhrase, QStringView phraseForm,
                                         int limit) const;

    // The group whose rows all have this Selected value, if any such rows exist.
    static Group groupOf(int selected);

    std::size_t memoryBytes() const;

private:
    using FindInGroup = std::function<std::vector<qint64>(std::size_t group)>;

    explicit DictionaryIndex(std::array<std::unique_ptr<HeadwordIndex>, 3> groups);
    DictionaryIndex(std::array<std::unique_ptr<HeadwordIndex>, 3> groups,
                    std::array<std::unique_ptr<TolerantIndex>, 3> tolerant,
                    std::shared_ptr<const void> mapping);

    std::vector<qint64> findInLanguage(SearchLanguage language, int limit,
                                       const FindInGroup& findInGroup) const;
    // Built at the first tolerant search, so that it costs nothing to those
    // who never turn it on.
    const std::array<std::unique_ptr<TolerantIndex>, 3>& tolerantIndexes() const;

    // First, so that the file stays mapped until the indexes over it are gone.
    std::shared_ptr<const void> m_mapping;
    std::array<std::unique_ptr<HeadwordIndex>, 3> m_groups;
    mutable std::once_flag m_tolerantBuilt;
    mutable std::array<std::unique_ptr<TolerantIndex>, 3> m_tolerant;
};

} // namespace kvel
