// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kvel {

// Phrases typed into the bar, as a measurement replays them.
namespace QuerySet {

// Phrases made from the dictionary's own headwords, spread over the whole
// table: starts of 1 to 8 characters, inner pieces, endings, whole words, and
// letters that match nothing, in equal shares. The same file always gives
// the same phrases. Empty when the headwords cannot be read.
QStringList derive(const QString& dictionaryPath, int count);

// One phrase a line, blank lines skipped; nothing when the file cannot be read.
std::optional<QStringList> readFile(const QString& path);

} // namespace QuerySet

} // namespace kvel
