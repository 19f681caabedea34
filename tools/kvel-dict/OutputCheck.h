// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "kvel-dict/BuildArguments.h"

namespace kvel::dictbuild {

// Throws BuildError when the output, or the index file written beside it,
// would replace one of the sources: the same file (by device and inode, so also through a link or
// another spelling of its path) or a file of a dictd source by name, even one not made yet.
void refuseOutputAmongSources(const BuildRequest& request);

} // namespace kvel::dictbuild
