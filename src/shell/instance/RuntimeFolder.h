// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <sys/types.h>

namespace kvel {

// Where the instance's lock and socket live: $XDG_RUNTIME_DIR when it names a
// folder, else /tmp/kvel-<uid>. A folder in /tmp can be made by anybody, so
// the fallback is used only when it is the user's own with mode 0700.
struct RuntimeFolder
{
    QString path;
    QString problem; // why no folder can be used; empty when path is usable
};

RuntimeFolder currentRuntimeFolder();

// Creates PATH with mode 0700 when it is missing. Says what is wrong unless it
// is then a folder, not a symbolic link, owned by OWNER with mode 0700.
std::optional<QString> privateFolderProblem(const QString& path, uid_t owner);

} // namespace kvel
