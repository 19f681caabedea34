// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/speech/SpeechLocale.h"

namespace kvel {

std::optional<QLocale> englishLocale(const QList<QLocale>& available, const QLocale& current)
{
    if (current.language() == QLocale::English && available.contains(current))
        return current;
    for (const QLocale::Territory territory :
         {QLocale::UnitedStates, QLocale::UnitedKingdom, QLocale::AnyTerritory}) {
        for (const QLocale& locale : available) {
            if (locale.language() != QLocale::English)
                continue;
            if (territory == QLocale::AnyTerritory || locale.territory() == territory)
                return locale;
        }
    }
    return std::nullopt;
}

} // namespace kvel
