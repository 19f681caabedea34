// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"

namespace kvel::test {

// Every search language and find method, for tests that compare two ways of
// looking up over all of them.
inline constexpr SearchLanguage kAllLanguages[] = {SearchLanguage::Both, SearchLanguage::English,
                                                   SearchLanguage::Serbian};
inline constexpr FindMethod kAllMethods[] = {FindMethod::Begins, FindMethod::Contains,
                                             FindMethod::Ends, FindMethod::Whole};

} // namespace kvel::test
