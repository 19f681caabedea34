// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/TipOfTheDay.h"

namespace kvel {

int firstTipIndex(QDate today)
{
    return (today.dayOfYear() + 1) % TipCount;
}

int TipOfTheDay::next(QDate today)
{
    if (!m_dayOfYear)
        m_dayOfYear = today.dayOfYear();
    m_shown = m_shown % TipCount + 1;
    return indexFor(m_shown);
}

int TipOfTheDay::repeat(QDate today)
{
    if (!m_dayOfYear)
        return next(today);
    return indexFor(m_shown);
}

int TipOfTheDay::indexFor(int counter) const
{
    return (*m_dayOfYear + counter) % TipCount;
}

} // namespace kvel
