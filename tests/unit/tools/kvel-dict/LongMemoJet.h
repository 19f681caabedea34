// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel::test {

// Writes to `path` the Jet 4 test dictionary jet-kvel.mdb with the meaning of
// its row "long" replaced by `meaning`, stored as Access stores long memos: in
// a chain of pages (appended after the file's end) that the row points to.
// Nothing here can write Access files, so the bytes are laid out by hand.
void writeJetWithLongMeaning(const QString& path, const QString& meaning);

} // namespace kvel::test
