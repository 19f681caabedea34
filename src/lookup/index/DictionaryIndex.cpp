// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/DictionaryIndex.h"

#include "lookup/sqlite/SelectedColumn.h"
#include "lookup/sqlite/SqliteStatement.h"
#include "lookup/text/TextFolding.h"

#include <algorithm>
#include <future>
#include <malloc.h>
#include <mutex>
#include <sqlite3.h>

namespace kvel {

namespace {

struct GroupRows
{
    FoldedKeys keys;
    std::vector<qint64> rowIds;
};

// Buffers of a megabyte and more, which is what the indexes and their build
// are made of, get pages of their own that go back to the system when freed.
// Left to itself, glibc raises this threshold to the size of the first such
// buffer freed and keeps the later ones in the heap once freed: at a million
// entries that kept about 16 MB of the build's temporaries resident.
void giveBigBuffersTheirOwnPages()
{
    static std::once_flag set;
    std::call_once(set, [] { mallopt(M_MMAP_THRESHOLD, 1 << 20); });
}

template <class Build> void forEachGroupInParallel(const Build& build)
{
    std::array<std::future<void>, 3> running;
    for (std::size_t group = 0; group < running.size(); ++group)
        running[group] = std::async(std::launch::async, [&build, group] { build(group); });
    for (std::future<void>& done : running)
        done.get();
}

} // namespace

DictionaryIndex::DictionaryIndex(std::array<std::unique_ptr<HeadwordIndex>, 3> groups)
    : m_groups(std::move(groups))
{}

DictionaryIndex::DictionaryIndex(std::array<std::unique_ptr<HeadwordIndex>, 3> groups,
                                 std::array<std::unique_ptr<TolerantIndex>, 3> tolerant,
                                 std::shared_ptr<const void> mapping)
    : m_mapping(std::move(mapping)), m_groups(std::move(groups)), m_tolerant(std::move(tolerant))
{}

std::unique_ptr<DictionaryIndex> DictionaryIndex::read(indexfile::SectionReader& sections,
                                                       std::shared_ptr<const void> mapping)
{
    std::array<std::unique_ptr<HeadwordIndex>, 3> groups;
    std::array<std::unique_ptr<TolerantIndex>, 3> tolerant;
    for (std::size_t group = 0; group < groups.size(); ++group) {
        groups[group] = std::make_unique<HeadwordIndex>(sections);
        tolerant[group] = std::make_unique<TolerantIndex>(sections);
    }
    if (sections.failed() || !sections.atEnd())
        return nullptr;
    return std::unique_ptr<DictionaryIndex>(
        new DictionaryIndex(std::move(groups), std::move(tolerant), std::move(mapping)));
}

void DictionaryIndex::write(indexfile::SectionWriter& sections) const
{
    const auto& tolerant = tolerantIndexes();
    for (std::size_t group = 0; group < m_groups.size(); ++group) {
        m_groups[group]->write(sections);
        tolerant[group]->write(sections);
    }
}

DictionaryIndex::Read DictionaryIndex::read(sqlite3* db, const QByteArray& rowIdName)
{
    giveBigBuffersTheirOwnPages();
    // The comparisons run in SQL so that a Selected stored as text or as a
    // real number falls in the same group as the lookup's own filter puts it.
    const QByteArray sql = "select " + rowIdName + ", Word, " + selectedIs(kEnglishHeadword) +
                           ", " + selectedIs(kSerbianHeadword) + " from TblKvel not indexed";
    SqliteStatement statement(db, sql.constData());
    if (!statement)
        return {};
    std::array<GroupRows, 3> rows;
    qint64 lastRowId = 0;
    bool first = true;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        sqlite3_stmt* row = statement.get();
        const qint64 rowId = sqlite3_column_int64(row, 0);
        if (!first && rowId <= lastRowId)
            return {nullptr, true};
        first = false;
        lastRowId = rowId;
        const auto* word = static_cast<const char16_t*>(sqlite3_column_text16(row, 1));
        if (!word)
            continue;
        const Group group = sqlite3_column_int(row, 2)   ? Group::English
                            : sqlite3_column_int(row, 3) ? Group::Serbian
                                                         : Group::Other;
        GroupRows& target = rows[std::size_t(group)];
        target.keys.append(
            foldForMatching(QString::fromUtf16(word, sqlite3_column_bytes16(row, 1) / 2)));
        target.rowIds.push_back(rowId);
    }
    if (step != SQLITE_DONE)
        return {};

    // The groups are independent: each builds on its own core.
    std::array<std::unique_ptr<HeadwordIndex>, 3> groups;
    forEachGroupInParallel([&rows, &groups](std::size_t group) {
        GroupRows& source = rows[group];
        source.keys.shrink();
        groups[group] =
            std::make_unique<HeadwordIndex>(std::move(source.keys), std::move(source.rowIds));
    });
    return {std::unique_ptr<DictionaryIndex>(new DictionaryIndex(std::move(groups)))};
}

std::vector<qint64> DictionaryIndex::find(Group group, FindMethod method, QStringView foldedPhrase,
                                          int limit) const
{
    return m_groups[std::size_t(group)]->find(method, foldedPhrase, limit);
}

std::vector<qint64> DictionaryIndex::find(SearchLanguage language, FindMethod method,
                                          QStringView foldedPhrase, int limit) const
{
    return findInLanguage(language, limit, [&](std::size_t group) {
        return m_groups[group]->find(method, foldedPhrase, limit);
    });
}

std::vector<qint64> DictionaryIndex::findOnlyTolerant(SearchLanguage language, FindMethod method,
                                                      QStringView foldedPhrase,
                                                      QStringView phraseForm, int limit) const
{
    const auto& tolerant = tolerantIndexes();
    return findInLanguage(language, limit, [&](std::size_t group) {
        const HeadwordIndex& headwords = *m_groups[group];
        std::vector<qint64> rowIds;
        for (const std::uint32_t key :
             tolerant[group]->findOnlyTolerant(headwords, method, foldedPhrase, phraseForm, limit))
            rowIds.push_back(headwords.rowIdOf(key));
        return rowIds;
    });
}

const std::array<std::unique_ptr<TolerantIndex>, 3>& DictionaryIndex::tolerantIndexes() const
{
    std::call_once(m_tolerantBuilt, [this] {
        if (m_tolerant[0])
            return; // read from a file with the rest
        // What building the headword indexes freed goes back to the system
        // first, so that this index does not raise the peak of memory by as much.
        malloc_trim(0);
        forEachGroupInParallel([this](std::size_t group) {
            m_tolerant[group] = std::make_unique<TolerantIndex>(
                *m_groups[group], group == std::size_t(Group::Serbian)
                                      ? Pronunciations::EkavianOrIjekavian
                                      : Pronunciations::AsWritten);
        });
    });
    return m_tolerant;
}

std::vector<qint64> DictionaryIndex::findInLanguage(SearchLanguage language, int limit,
                                                    const FindInGroup& findInGroup) const
{
    switch (language) {
    case SearchLanguage::English:
        return findInGroup(std::size_t(Group::English));
    case SearchLanguage::Serbian:
        return findInGroup(std::size_t(Group::Serbian));
    case SearchLanguage::Both:
        break;
    }
    // Each group gives its first rows; the first of all three are among them.
    std::vector<qint64> merged;
    for (std::size_t group = 0; group < m_groups.size(); ++group) {
        const std::vector<qint64> first = findInGroup(group);
        std::vector<qint64> next;
        next.reserve(merged.size() + first.size());
        std::merge(merged.begin(), merged.end(), first.begin(), first.end(),
                   std::back_inserter(next));
        merged = std::move(next);
    }
    if (merged.size() > std::size_t(std::max(limit, 0)))
        merged.resize(std::size_t(std::max(limit, 0)));
    return merged;
}

DictionaryIndex::Group DictionaryIndex::groupOf(int selected)
{
    switch (selected) {
    case kEnglishHeadword:
        return Group::English;
    case kSerbianHeadword:
        return Group::Serbian;
    default:
        return Group::Other;
    }
}

std::size_t DictionaryIndex::memoryBytes() const
{
    std::size_t bytes = 0;
    for (const auto& group : m_groups)
        bytes += group->memoryBytes();
    for (const auto& tolerant : m_tolerant)
        bytes += tolerant ? tolerant->memoryBytes() : 0;
    return bytes;
}

} // namespace kvel
