// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// The one normalisation applied to every phrase before it is looked up or put
// into the entry from outside: at most 255 characters, cut at a NUL, no
// brackets, %, _, &, double quotes or line breaks, tabs as blanks, single
// blanks, trimmed, ASCII letters in lower case.
QString NormalizePhrase(const QString& text);

// "a".."z" to upper case, everything else unchanged (captions show the phrase so).
QString upperCaseAscii(const QString& text);

// "A".."Z" to lower case, everything else unchanged: how phrases are stored.
QString lowerCaseAscii(const QString& text);

// Removes leading and trailing characters with codes up to 32.
QString trimControl(const QString& text);

} // namespace kvel
