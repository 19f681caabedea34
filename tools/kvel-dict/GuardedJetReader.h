// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "kvel-dict/JetDictionaryReader.h"

#include <QString>

namespace kvel::dictbuild {

// Reads an Access file like readJetDictionary, but in a child process with the
// limits the programs give their converter (time by file size, 1 GiB of memory
// beyond what the child inherits, no core file): libmdb can crash or run away
// on a damaged file, and then only the child is lost. The file must be a
// regular file; it is opened once, so the child reads the very file that was
// checked. Throws BuildError naming the file when it is not a dictionary, or as
// a damaged Access file when the child crashed, ran out of its limits or gave a
// result that cannot be read.
JetDictionary readJetDictionaryInChild(const QString& path);

} // namespace kvel::dictbuild
