// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace kvel {

enum class KeyboardTarget
{
    English,
    SerbianLatin
};

// The group of the user's keyboard layouts that types the target language,
// from the XKB "layout" and "variant" lists ("us,rs" and ",latin"): an "us"
// layout for English, "rs" with a Latin variant for Serbian. Nothing when the
// user has no such layout: the keyboard is then left alone.
std::optional<int> keyboardGroupFor(KeyboardTarget target, const QString& layouts,
                                    const QString& variants);

} // namespace kvel
