// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/store/DictionaryStore.h"

#include <algorithm>

namespace kvel::fuzz {

// Both stores must return the same rows, field for field, in the same order.
inline bool sameRows(const QList<DictionaryRow>& a, const QList<DictionaryRow>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.word == y.word && x.meaning == y.meaning && x.selected == y.selected;
    });
}

} // namespace kvel::fuzz
