// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

namespace kvel::fuzz {

// A broken rule stops the run like a crash, so libFuzzer keeps the input.
inline void require(bool holds, const char* rule)
{
    if (holds)
        return;
    std::fprintf(stderr, "rule broken: %s\n", rule);
    std::abort();
}

} // namespace kvel::fuzz
