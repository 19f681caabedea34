// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/DictionaryIndex.h"
#include "lookup/index/file/IndexFileFormat.h"
#include "lookup/store/FileIdentity.h"

#include <QString>
#include <memory>
#include <vector>

namespace kvel {

// An index file mapped read-only and used in place: opening reads its header
// and section table, nothing else, so it costs the same at any size. The
// file is untrusted: a damaged one is refused at opening when its header or
// table is wrong, by verify() when its sections are, and otherwise gives
// wrong rows at worst, never a read out of bounds.
class MappedIndexFile
{
public:
    // Null if the file cannot be mapped or is not an index file of this format.
    static std::unique_ptr<MappedIndexFile> open(const QString& path);
    ~MappedIndexFile();
    MappedIndexFile(const MappedIndexFile&) = delete;
    MappedIndexFile& operator=(const MappedIndexFile&) = delete;

    const DictionaryIndex& index() const { return *m_index; }
    const indexfile::ContentDigest& contentDigest() const { return m_digest; }
    // Whether every section holds what was written: reads the whole file, so
    // it is done once, when a file is first adopted.
    bool verify() const;
    // The file mapped as it is now, wherever its path points.
    FileIdentity identity() const;
    // Whether the file was truncated under the mapping, which now reads as
    // zeros: its lookups are wrong and the index should be made again.
    bool lost() const;

private:
    class Mapping;
    MappedIndexFile() = default;

    std::shared_ptr<const Mapping> m_mapping;
    std::vector<indexfile::SectionEntry> m_table;
    indexfile::ContentDigest m_digest = {};
    std::unique_ptr<DictionaryIndex> m_index;
};

} // namespace kvel
