// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/strings/StringTable.h"

namespace kvel::test {

// Sets the interface language for one test and puts Serbian back afterwards.
class LanguageGuard
{
public:
    explicit LanguageGuard(InterfaceLanguage language) { SetLanguageOffset(int(language)); }
    ~LanguageGuard() { SetLanguageOffset(int(InterfaceLanguage::Serbian)); }
    LanguageGuard(const LanguageGuard&) = delete;
    LanguageGuard& operator=(const LanguageGuard&) = delete;
};

} // namespace kvel::test
