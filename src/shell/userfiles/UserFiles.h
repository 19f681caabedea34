// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kvel {

// Puts contents into the file at path, creating its folder, unless the file
// already holds exactly that: files that are re-applied at every start are
// not rewritten for nothing. The new file replaces the old one in one step.
// True when the file holds contents afterwards.
bool writeFileIfChanged(const QString& path, const QByteArray& contents);

// Removes the file at path; true when it is gone afterwards, also when it
// never existed.
bool removeFileIfPresent(const QString& path);

} // namespace kvel
