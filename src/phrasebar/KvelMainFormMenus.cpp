// SPDX-License-Identifier: GPL-2.0-or-later
// The bar's menus and captions in the interface language; the menus' checks
// and enabled states are derived at every opening.
#include "balloon/widgets/TBalloonForm.h"
#include "core/strings/StringTable.h"
#include "lookup/forms/HunspellForms.h"
#include "phrasebar/BarCommands.h"
#include "phrasebar/BarDictionary.h"
#include "phrasebar/BarMenus.h"
#include "phrasebar/TKvelMainForm.h"
#include "phrasebar/TrayPresence.h"
#include "shell/recent/RecentPhrases.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <array>

namespace kvel {

namespace {

// The label beside the entry, by search language (Both, English, Serbian).
constexpr std::array kSearchLanguageLabels{
    StringId::SearchLabelBoth,
    StringId::SearchLabelEnglish,
    StringId::SearchLabelSerbian,
};

} // namespace

void TKvelMainForm::captionMenus()
{
    m_menus->caption(m_prefs.flag(Preference::ToTray));
    RefreshRecentMenus();
}

void TKvelMainForm::RefreshRecentMenus()
{
    for (const SearchLanguage list :
         {SearchLanguage::Both, SearchLanguage::English, SearchLanguage::Serbian})
        m_menus->setRecentPhrases(list, recentMenuCaptions(recentList(list)));
}

void TKvelMainForm::LngPopupMenuPopup()
{
    const bool visible = translationVisible();
    const bool entries = m_firstEntry.entryShown();
    m_menus->setEnabled(BarCommand::Pronounce, m_firstEntry.pronounceable());
    for (const BarCommand copy :
         {BarCommand::CopyPhrase, BarCommand::CopyMeanings, BarCommand::CopyPhraseAndMeanings})
        m_menus->setEnabled(copy, entries);
    m_menus->setEnabled(BarCommand::UnlockTranslation, visible);
    m_commands->showMainMenuStates(m_dictionary.forms().available());
}

void TKvelMainForm::UpdateLanguageLabel()
{
    LngLabel->setText(LoadLngText(kSearchLanguageLabels[size_t(m_prefs.searchLanguage())]));
}

void TKvelMainForm::ApplyInterfaceLanguage()
{
    UpdateLanguageLabel();
    setWindowTitle(LoadLngText(StringId::ProgramTitle));
    captionMenus();
    if (m_prefs.flag(Preference::ToTray))
        m_presence->showIconState();
    if (m_prefs.flag(Preference::AdjustKeyboard))
        ApplyKeyboardLayout();
    RegisterIEMenu();
}

} // namespace kvel
