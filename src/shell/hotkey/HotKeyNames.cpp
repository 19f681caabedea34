// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/HotKeyNames.h"

#include <array>

namespace kvel {

namespace {

constexpr std::array kCaptions{
    StringId::MenuHotKeyAltF9,
    StringId::MenuHotKeyAltF10,
    StringId::MenuHotKeyAltF11,
    StringId::MenuHotKeyAltF12,
};

constexpr std::array kNames{
    StringId::HotKeyF9,
    StringId::HotKeyF10,
    StringId::HotKeyF11,
    StringId::HotKeyF12,
};

std::optional<StringId> forKey(const auto& table, int keyIndex)
{
    if (keyIndex < 0 || keyIndex >= int(table.size()))
        return std::nullopt;
    return table[keyIndex];
}

} // namespace

std::optional<StringId> hotKeyCaptionId(int keyIndex)
{
    return forKey(kCaptions, keyIndex);
}

std::optional<StringId> hotKeyNameId(int keyIndex)
{
    return forKey(kNames, keyIndex);
}

} // namespace kvel
