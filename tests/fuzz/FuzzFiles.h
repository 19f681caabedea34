// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

namespace kvel::fuzz {

// A path inside a folder of the system's temporary area that lives as long
// as the fuzzer; nothing is written anywhere else.
QString scratchPath(const QString& fileName);

// Replaces the file's content; aborts when it cannot be written.
void writeScratchFile(const QString& path, QByteArrayView bytes);

} // namespace kvel::fuzz
