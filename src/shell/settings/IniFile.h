#pragma once

#include "IniDocument.h"

#include <QString>
#include <functional>
#include <optional>

namespace kvel {

// A missing file reads as an empty document; a file that exists but cannot be
// read gives nothing, so that no caller mistakes it for an empty one. Files are
// UTF-8; one that is not valid UTF-8 came from an older Windows installation
// and is read as Windows-1250.
std::optional<IniDocument> readIniFile(const QString& path);

// One read-modify-write: under the lock file path + ".lock", reads the file,
// applies change, writes a temporary file beside it, flushes it to disk and
// renames it over the old one. The file always holds either all old or all new
// values, and another instance updating it meanwhile loses nothing. Returns
// false on any failure (lock, read, write), leaving the file as it was.
bool updateIniFile(const QString& path, const std::function<void(IniDocument&)>& change);

} // namespace kvel
