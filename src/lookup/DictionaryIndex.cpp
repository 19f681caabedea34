#include "DictionaryIndex.h"

#include "SqliteStatement.h"
#include "TextFolding.h"

#include <algorithm>
#include <future>
#include <sqlite3.h>

namespace kvel {

namespace {

struct GroupRows
{
    FoldedKeys keys;
    std::vector<qint64> rowIds;
};

} // namespace

DictionaryIndex::DictionaryIndex(std::array<std::unique_ptr<HeadwordIndex>, 3> groups)
    : m_groups(std::move(groups))
{}

std::unique_ptr<DictionaryIndex> DictionaryIndex::read(sqlite3* db)
{
    // The comparisons run in SQL so that a Selected stored as text or as a
    // real number falls in the same group as the lookup's own filter puts it.
    SqliteStatement statement(db, "select rowid, Word, Selected = -1, Selected = 0 "
                                  "from TblKvel not indexed");
    if (!statement)
        return nullptr;
    std::array<GroupRows, 3> rows;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        sqlite3_stmt* row = statement.get();
        const auto* word = static_cast<const char16_t*>(sqlite3_column_text16(row, 1));
        if (!word)
            continue;
        const Group group = sqlite3_column_int(row, 2)   ? Group::English
                            : sqlite3_column_int(row, 3) ? Group::Serbian
                                                         : Group::Other;
        GroupRows& target = rows[std::size_t(group)];
        target.keys.append(
            foldForMatching(QString::fromUtf16(word, sqlite3_column_bytes16(row, 1) / 2)));
        target.rowIds.push_back(sqlite3_column_int64(row, 0));
    }
    if (step != SQLITE_DONE)
        return nullptr;

    // The groups are independent: each builds on its own core.
    std::array<std::future<std::unique_ptr<HeadwordIndex>>, 3> building;
    for (std::size_t group = 0; group < rows.size(); ++group) {
        building[group] = std::async(std::launch::async, [&rows, group] {
            GroupRows& source = rows[group];
            source.keys.shrink();
            return std::make_unique<HeadwordIndex>(std::move(source.keys),
                                                   std::move(source.rowIds));
        });
    }
    std::array<std::unique_ptr<HeadwordIndex>, 3> groups;
    for (std::size_t group = 0; group < groups.size(); ++group)
        groups[group] = building[group].get();
    return std::unique_ptr<DictionaryIndex>(new DictionaryIndex(std::move(groups)));
}

std::vector<qint64> DictionaryIndex::find(Group group, FindMethod method, QStringView foldedPhrase,
                                          int limit) const
{
    return m_groups[std::size_t(group)]->find(method, foldedPhrase, limit);
}

std::vector<qint64> DictionaryIndex::find(SearchLanguage language, FindMethod method,
                                          QStringView foldedPhrase, int limit) const
{
    switch (language) {
    case SearchLanguage::English:
        return find(Group::English, method, foldedPhrase, limit);
    case SearchLanguage::Serbian:
        return find(Group::Serbian, method, foldedPhrase, limit);
    case SearchLanguage::Both:
        break;
    }
    // Each group gives its first rows; the first of all three are among them.
    std::vector<qint64> merged;
    for (const auto& group : m_groups) {
        const std::vector<qint64> first = group->find(method, foldedPhrase, limit);
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
    return bytes;
}

} // namespace kvel
