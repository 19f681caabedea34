// SPDX-License-Identifier: GPL-2.0-or-later
// The Help menu's texts in the translation window.
#include "balloon/widgets/TBalloonForm.h"
#include "phrasebar/HelpCommands.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"

namespace kvel {

void TKvelMainForm::showHelp(const BalloonContent& content)
{
    showDisplay(content);
}

void TKvelMainForm::HelpIndexClick()
{
    if (const std::optional<BalloonContent> problem = m_help->openHelpFile())
        showHelp(*problem);
}

void TKvelMainForm::HelpKeyboardClick()
{
    showHelp(m_help->keyboardList(m_prefs.hotKey(), m_prefs.flag(Preference::HotKeyOn)));
}

} // namespace kvel
