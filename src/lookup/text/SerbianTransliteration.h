// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// Serbian Cyrillic to Serbian Latin (љ lj, њ nj, џ dž, ђ đ, ћ ć, ч č, ж ž, ш š ...).
// Characters that are not Serbian Cyrillic pass through unchanged. A capital
// digraph letter becomes "Lj"/"Nj"/"Dž" inside a mixed-case word and
// "LJ"/"NJ"/"DŽ" when the word is written in capitals (ЏУГАЊ gives DŽUGANJ); a lone
// capital is taken for an initial (Џ. gives Dž.).
QString transliterateSerbianCyrillic(const QString& text);

} // namespace kvel
