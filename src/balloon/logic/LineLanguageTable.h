// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

namespace kvel {

// Per displayed line, the language of its head (0 red, -1 blue, 1 none), for
// the first 128 lines. Lines past the table are neither stored nor read: a
// pick there has no known language and looks nothing up.
class LineLanguageTable
{
public:
    static constexpr int kCapacity = 128;

    // Ignored for lines outside the table.
    void set(int line, int language);

    // The language of the nearest line at or above `line` that has a coloured
    // head, so wrapped continuation lines inherit their entry's language.
    int pickedLanguage(int line) const;

private:
    std::array<int, kCapacity> m_languages{};
};

} // namespace kvel
