// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/content/BalloonContent.h"

#include <QString>
#include <optional>

namespace kvel {

// The text to pronounce for what the window shows: the first entry's
// headword when it is English, without blanks and control characters at
// either end. Nothing for a Serbian entry, a help text or a notice; a
// headword of blanks gives an empty text.
std::optional<QString> phraseToSpeak(const BalloonContent& content);

} // namespace kvel
