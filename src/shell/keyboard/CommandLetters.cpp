// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/keyboard/CommandLetters.h"

#include <QSet>
#include <string_view>

namespace kvel {

namespace {

// A group types Latin text when most of the alphabet is on its keys; Serbian
// Cyrillic, Greek or Russian give none, AZERTY or QWERTZ give every letter.
constexpr qsizetype kLatinAlphabetShare = 20;

bool typesLatin(const GroupLetters& group)
{
    const QList<char> letters = group.values();
    return QSet<char>(letters.begin(), letters.end()).size() >= kLatinAlphabetShare;
}

// The US letters on the evdev key codes every current X server and Wayland
// compositor use: three rows starting at codes 24, 38 and 52.
std::optional<char> usLetter(quint32 keyCode)
{
    struct Row
    {
        quint32 firstCode;
        std::string_view letters;
    };
    constexpr Row kRows[] = {{24, "qwertyuiop"}, {38, "asdfghjkl"}, {52, "zxcvbnm"}};
    for (const Row& row : kRows) {
        if (keyCode >= row.firstCode && keyCode - row.firstCode < row.letters.size())
            return row.letters[keyCode - row.firstCode];
    }
    return std::nullopt;
}

} // namespace

std::optional<char> commandLetter(const LayoutLetters& layouts, quint32 keyCode)
{
    for (const GroupLetters& group : layouts) {
        if (!typesLatin(group))
            continue;
        const auto letter = group.constFind(keyCode);
        return letter == group.cend() ? std::nullopt : std::optional<char>(*letter);
    }
    return usLetter(keyCode);
}

} // namespace kvel
