#pragma once

#include "HeadwordIndex.h"
#include "SearchSettings.h"

#include <QStringView>
#include <array>
#include <memory>
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

    // Reads every headword through `db`; nothing when TblKvel cannot be read.
    static std::unique_ptr<DictionaryIndex> read(sqlite3* db);

    // Row ids of the first `limit` matching rows in stored order.
    std::vector<qint64> find(SearchLanguage language, FindMethod method, QStringView foldedPhrase,
                             int limit) const;
    std::vector<qint64> find(Group group, FindMethod method, QStringView foldedPhrase,
                             int limit) const;

    // The group whose rows all have this Selected value, if any such rows exist.
    static Group groupOf(int selected);

    std::size_t memoryBytes() const;

private:
    explicit DictionaryIndex(std::array<std::unique_ptr<HeadwordIndex>, 3> groups);

    std::array<std::unique_ptr<HeadwordIndex>, 3> m_groups;
};

} // namespace kvel
