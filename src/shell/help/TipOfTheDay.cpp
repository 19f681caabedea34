// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/TipOfTheDay.h"

#include <array>

namespace kvel {

namespace {

// In the order the tips are shown.
constexpr std::array kTips{
    StringId::TipRightClickMenu,
    StringId::TipAltUMenu,
    StringId::TipAltIInterface,
    StringId::TipAltLLanguage,
    StringId::TipAltZPronounce,
    StringId::TipAltBCEWMethod,
    StringId::TipEnterSaves,
    StringId::TipAltHClears,
    StringId::TipAltKShortcuts,
    StringId::TipF1Help,
    StringId::TipAltDDonations,
    StringId::TipAltTTips,
    StringId::TipAltAAbout,
    StringId::TipAltF4Closes,
    StringId::TipAlt1CopiesPhrase,
    StringId::TipAlt2CopiesTranslation,
    StringId::TipAlt3CopiesBoth,
    StringId::TipDoubleClickLanguage,
    StringId::TipDragMoves,
    StringId::TipAltArrowAligns,
    StringId::TipCtrlAltArrowShifts,
    StringId::TipAltSUnlocks,
    StringId::TipLockClick,
    StringId::TipGlobalHotKey,
    StringId::TipTrayRightClickInactive,
    StringId::TipTrayRightClickActive,
    StringId::TipTrayLeftClick,
    StringId::TipHoldShowsMeanings,
    StringId::TipRightClickPicks,
    StringId::TipBrowserItem,
    StringId::TipDragAndDrop,
    StringId::TipFastClipboard,
    StringId::TipTurnOffTips,
    StringId::TipCloseSign,
    StringId::TipShading,
};
static_assert(kTips.size() == TipCount);

} // namespace

StringId tipStringId(int index)
{
    // Any index names a tip, so no caller can read past the table.
    return kTips[std::size_t(index) % kTips.size()];
}

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
