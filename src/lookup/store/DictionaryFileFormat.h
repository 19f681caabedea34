// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

enum class DictionaryFileFormat
{
    Sqlite,
    Jet, // an Access database: Jet 3, Jet 4 or ACE
    Unknown,
};

// Tells the format from the file's first bytes, whatever its name; a missing
// or unreadable file is Unknown.
DictionaryFileFormat detectDictionaryFormat(const QString& path);

} // namespace kvel
