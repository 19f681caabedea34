// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/settings/IniDocument.h"

#include <QString>
#include <chrono>
#include <functional>
#include <optional>

namespace kvel {

// A missing file reads as an empty document; a file that exists but cannot be
// read, or anything else than a file in its place, gives nothing, so that no
// caller mistakes it for an empty one. Files are
// UTF-8; one that is not valid UTF-8 came from an older Windows installation
// and is read as Windows-1250.
std::optional<IniDocument> readIniFile(const QString& path);

// How long an update waits for the lock another instance holds. A hand-over
// must get through even when many starts queue for the file; a save when the
// bar quits or the session ends must not hold the desktop up.
inline constexpr std::chrono::milliseconds kHandOverLockWait{5000};
inline constexpr std::chrono::milliseconds kSaveLockWait{500};

enum class IniUpdate
{
    Written,
    LockBusy, // another instance held the lock for the whole wait
    Failed,   // the file could not be read, or the new one not written
};

// One read-modify-write: under the lock file path + ".lock", reads the file,
// applies change, writes a temporary file beside it, flushes it to disk and
// renames it over the old one. The file always holds either all old or all new
// values, and another instance updating it meanwhile loses nothing. On any
// failure the file stays as it was.
IniUpdate updateIniFile(const QString& path, const std::function<void(IniDocument&)>& change,
                        std::chrono::milliseconds lockWait = kHandOverLockWait);

} // namespace kvel
