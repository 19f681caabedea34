// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"

#include <QString>

namespace kvel {

// Headwords match the phrase without regard to case for every letter ("Č" is
// "č"), but with regard to accents ("c" is not "č"), as the dictionary format
// always compared them.
QString foldForMatching(const QString& text);

// Whether a folded headword matches a folded, non-empty phrase by the method.
bool matchesFolded(QStringView foldedWord, QStringView foldedPhrase, FindMethod method);

} // namespace kvel
