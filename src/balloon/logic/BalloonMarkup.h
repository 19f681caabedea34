// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// The colour a head code gives the text in front of it.
enum class HeadColour
{
    Red,   // "~0": an English phrase
    Blue,  // "~1": a Serbian phrase
    Black, // "~2": a label of a help text
};

// One displayed line after its codes were replaced: the first headLength
// characters are bold in headColour, the rest is plain black.
struct FormattedLine
{
    QString text;
    int headLength = 0;
    HeadColour headColour = HeadColour::Black;

    bool operator==(const FormattedLine&) const = default;
};

// Replaces every "~0", "~1" and "~2" by two blanks. Codes are handled in that
// order and each one re-formats the head up to its own column, so the last
// code found decides the head.
FormattedLine formatMarkup(const QString& line);

} // namespace kvel
