// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>
#include <random>

namespace kvel::test {

constexpr qsizetype kJetPageSize = 4096; // Jet 4

// A uniformly drawn number in [0, bound), for tests that damage files at random.
inline qsizetype randomBelow(std::mt19937& random, qsizetype bound)
{
    return std::uniform_int_distribution<qsizetype>(0, bound - 1)(random);
}

} // namespace kvel::test
