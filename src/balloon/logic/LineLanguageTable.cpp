// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/LineLanguageTable.h"

namespace kvel {

namespace {

bool inTable(int line)
{
    return line >= 0 && line < LineLanguageTable::kCapacity;
}

} // namespace

void LineLanguageTable::set(int line, int language)
{
    if (inTable(line))
        m_languages[line] = language;
}

int LineLanguageTable::pickedLanguage(int line) const
{
    if (!inTable(line))
        return 1;
    for (int above = line; above >= 0; --above) {
        if (m_languages[above] != 1)
            return m_languages[above];
    }
    return 1;
}

} // namespace kvel
