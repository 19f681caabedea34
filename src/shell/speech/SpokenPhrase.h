// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "balloon/logic/BalloonMarkup.h"

#include <QString>
#include <optional>

namespace kvel {

// The text to pronounce for the first line of the translation window: its red
// head (an English phrase) without blanks and control characters at either end.
// Nothing for a blue or black head, or a red head of no characters; a head of
// red blanks gives an empty text.
std::optional<QString> phraseToSpeak(const FormattedLine& firstLine);

} // namespace kvel
