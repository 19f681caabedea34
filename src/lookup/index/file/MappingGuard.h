// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>

namespace kvel {

// Keeps a read-only file mapping from killing the process when the file is
// truncated while mapped: a read beyond the file's new end raises SIGBUS, and
// the handler then maps zeros over the whole mapping, which the index reads
// as wrong rows but in bounds, and marks it lost. A fault elsewhere goes on to
// the handler that was there before.
class MappingGuard
{
public:
    // Watches [begin, begin + length); not watching when every place for a
    // mapping is taken.
    MappingGuard(void* begin, std::size_t length);
    ~MappingGuard();
    MappingGuard(const MappingGuard&) = delete;
    MappingGuard& operator=(const MappingGuard&) = delete;

    bool watching() const { return m_slot >= 0; }
    // Whether the mapping was replaced by zeros: its file changed under it.
    bool lost() const;

private:
    int m_slot = -1;
};

} // namespace kvel
