// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/strings/StringIds.h"

#include <QDate>
#include <optional>

namespace kvel {

inline constexpr int TipCount = 35;

// Tip `index` (0 <= index < TipCount); pass it to LoadLngText.
StringId tipStringId(int index);

// The first tip of a run started on `today`; the start-up tray balloon shows it
// without counting it as shown.
int firstTipIndex(QDate today);

// Which tip the "Tip of the day" command shows. The day of the year is taken at
// the first tip of the run and kept, even across midnight, so the sequence
// continues where it started.
class TipOfTheDay
{
public:
    // The tip after the one shown last; the first call gives firstTipIndex(today).
    int next(QDate today);

    // The tip shown last again, for re-rendering it (another language, a moved
    // bar); the same as next() while no tip has been shown.
    int repeat(QDate today);

private:
    int indexFor(int counter) const;

    std::optional<int> m_dayOfYear;
    int m_shown = 0; // tips shown in this run, kept modulo TipCount
};

} // namespace kvel
