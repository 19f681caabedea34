// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace kvel {

// The name of an SQLite file access that opens a database named
// "/proc/self/fd/N" as the file descriptor N reads, read-only, and nothing
// else by name: no journal, no write-ahead log, no other file the database
// names. SQLite's own access opens by path, so the file could be swapped (or
// be a FIFO that blocks) between a check of the descriptor and the opening.
// Readers take SQLite's shared lock as open-file-description locks, so they
// still wait for a writer of the file, and closing another descriptor of the
// same file in this process never drops them.
const char* descriptorVfsName();

} // namespace kvel
