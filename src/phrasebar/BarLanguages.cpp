// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarLanguages.h"

#include "core/strings/StringTable.h"
#include "phrasebar/BarMenus.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "phrasebar/TrayPresence.h"
#include "shell/keyboard/CentralEuropeanLocale.h"
#include "shell/recent/RecentPhrases.h"

#include <QLabel>
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

BarLanguages::BarLanguages(TKvelMainForm& bar, Preferences& preferences, BarMenus& menus,
                           TrayPresence& presence, QLabel& label, LowerCaseEntry& entry,
                           std::unique_ptr<KeyboardLayout> keyboard)
    : m_bar(bar), m_preferences(preferences), m_menus(menus), m_presence(presence), m_label(label),
      m_entry(entry), m_keyboard(std::move(keyboard))
{}

BarLanguages::~BarLanguages() = default;

void BarLanguages::cycleSearchLanguage()
{
    const int next = (int(m_preferences.searchLanguage()) + 1) % 3;
    m_preferences.setSearchLanguage(SearchLanguage(next));
    applyInterfaceLanguage();
    m_bar.LngEditChange();
}

void BarLanguages::selectSearchLanguage(SearchLanguage language)
{
    m_preferences.setSearchLanguage(language);
    applyInterfaceLanguage();
    showSearchLanguage();
    m_bar.LngEditChange();
}

void BarLanguages::selectFindMethod(FindMethod method)
{
    m_preferences.setFindMethod(method);
    m_bar.LngEditChange();
}

void BarLanguages::selectInterfaceLanguage(InterfaceLanguage language)
{
    m_preferences.setInterfaceLanguage(language);
    SetLanguageOffset(int(language));
    applyInterfaceLanguage();
    m_bar.RefreshTranslation();
}

void BarLanguages::applyInterfaceLanguage()
{
    showSearchLanguage();
    m_bar.setWindowTitle(LoadLngText(StringId::ProgramTitle));
    captionMenus();
    if (m_preferences.flag(Preference::ToTray))
        m_presence.showIconState();
    if (m_preferences.flag(Preference::AdjustKeyboard))
        applyKeyboardLayout();
    m_bar.RegisterIEMenu();
}

void BarLanguages::showSearchLanguage()
{
    m_label.setText(LoadLngText(kSearchLanguageLabels[size_t(m_preferences.searchLanguage())]));
}

void BarLanguages::captionMenus()
{
    m_menus.caption(m_presence.trayModeActive());
    refreshRecentMenus();
}

void BarLanguages::applyKeyboardLayout()
{
    // The layout group is global on X11: switch it only while the bar has the
    // focus; activation applies it again.
    if (!m_keyboard || !m_bar.isActiveWindow())
        return;
    if (m_preferences.searchLanguage() == SearchLanguage::English || !IsCentralEuropeanCodePage())
        m_keyboard->activate(KeyboardTarget::English);
    else
        m_keyboard->activate(KeyboardTarget::SerbianLatin);
}

void BarLanguages::restoreKeyboardLayout()
{
    if (m_keyboard)
        m_keyboard->restoreUserLayout();
}

void BarLanguages::refreshRecentMenus()
{
    for (const SearchLanguage list :
         {SearchLanguage::Both, SearchLanguage::English, SearchLanguage::Serbian})
        m_menus.setRecentPhrases(list, recentMenuCaptions(m_preferences.recentList(list)));
}

void BarLanguages::clearRecentPhrases()
{
    for (const SearchLanguage list :
         {SearchLanguage::Both, SearchLanguage::Serbian, SearchLanguage::English})
        m_preferences.recentList(list).clear();
    refreshRecentMenus();
}

void BarLanguages::chooseRecentPhrase(SearchLanguage list, const QString& caption)
{
    const std::optional<QString> phrase = recentPhraseOfCaption(caption);
    if (!phrase)
        return;
    m_preferences.setSearchLanguage(list);
    showSearchLanguage();
    m_entry.setEntryText(*phrase);
    m_entry.moveCaretToEnd();
    AddRecentPhrase(m_preferences.recentList(list), m_entry.text(),
                    m_preferences.flag(Preference::SaveRecent));
    refreshRecentMenus();
}

} // namespace kvel
