// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/strings/StringIds.h"

#include <optional>

namespace kvel {

// The hot key chosen in the settings (0 = F9 .. 3 = F12) as the menus show it
// ("Alt+F9"); nothing for any other number.
std::optional<StringId> hotKeyCaptionId(int keyIndex);

// The same key as a key press names it ("F9").
std::optional<StringId> hotKeyNameId(int keyIndex);

} // namespace kvel
