// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-bench/IndexFilePreparation.h"

#include "lookup/index/file/IndexFileMaking.h"
#include "lookup/index/file/MappedIndexFile.h"

namespace kvel {

bool prepareIndexFile(const QString& dictionary, const QString& indexFile)
{
    if (!makeIndexFile(dictionary, indexFile))
        return false;
    const std::unique_ptr<MappedIndexFile> mapped = MappedIndexFile::open(indexFile);
    return mapped && mapped->verify();
}

} // namespace kvel
