// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// The dictionary every Kvel program opens: kvel.mdb beside the executables when
// it exists, else the first kvel/kvel.mdb in the XDG data folders, else the
// path beside the executables (which then reports a missing dictionary).
QString defaultDictionaryPath(const QString& executableDir);

} // namespace kvel
