// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarCommands.h"

#include "balloon/widgets/TBalloonForm.h"
#include "core/strings/StringTable.h"
#include "phrasebar/BarLanguages.h"
#include "phrasebar/BarMenus.h"
#include "phrasebar/DesktopIntegration.h"
#include "phrasebar/HelpCommands.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "shell/hotkey/HotKeyNames.h"
#include "shell/settings/Preferences.h"

#include <QMenu>
#include <optional>
#include <span>
#include <utility>

namespace kvel {

namespace {

using C = BarCommand;

// Check items that only store their state; the bar reacts to the change.
constexpr std::pair<BarCommand, Preference> kFlagItems[] = {
    {C::AdjustKeyboard, Preference::AdjustKeyboard},
    {C::SmartClipboard, Preference::SmartClipboard},
    {C::ClipboardWatchingOff, Preference::ClipboardWatchingOff},
    {C::SensitiveTranslation, Preference::SensitiveTranslation},
    {C::ShowTips, Preference::ShowTips},
    {C::LockedTranslation, Preference::LockedTranslation},
    {C::SaveRecent, Preference::SaveRecent},
    {C::WrapTranslation, Preference::WrapTranslation},
    {C::SavePosition, Preference::SavePosition},
    {C::Speech, Preference::Speech},
    {C::Tolerant, Preference::Tolerant},
    {C::Forms, Preference::Forms},
    {C::Fade, Preference::Fade},
    {C::HotKeyOn, Preference::HotKeyOn},
};

// Check items whose command does more than store the state (Forms is checked
// only where forms can be found).
constexpr std::pair<BarCommand, Preference> kActingFlagItems[] = {
    {C::AutoStart, Preference::AutoStart},
    {C::ToTray, Preference::ToTray},
    {C::BrowserItem, Preference::BrowserItem},
};

constexpr std::pair<BarCommand, InterfaceLanguage> kInterfaceItems[] = {
    {C::InterfaceSerbian, InterfaceLanguage::Serbian},
    {C::InterfaceEnglish, InterfaceLanguage::English},
};
constexpr std::pair<BarCommand, SearchLanguage> kSearchItems[] = {
    {C::SearchBoth, SearchLanguage::Both},
    {C::SearchEnglish, SearchLanguage::English},
    {C::SearchSerbian, SearchLanguage::Serbian},
};
constexpr std::pair<BarCommand, FindMethod> kFindItems[] = {
    {C::FindBegins, FindMethod::Begins},
    {C::FindContains, FindMethod::Contains},
    {C::FindEnds, FindMethod::Ends},
    {C::FindWhole, FindMethod::Whole},
};
constexpr std::pair<BarCommand, HotKey> kHotKeyItems[] = {
    {C::HotKeyF9, HotKey::F9},
    {C::HotKeyF10, HotKey::F10},
    {C::HotKeyF11, HotKey::F11},
    {C::HotKeyF12, HotKey::F12},
};
constexpr std::pair<BarCommand, FadeSpeed> kFadeItems[] = {
    {C::FadeSlow, FadeSpeed::Slow},
    {C::FadeMedium, FadeSpeed::Medium},
    {C::FadeFast, FadeSpeed::Fast},
};
constexpr std::pair<BarCommand, WebPage> kPageItems[] = {
    {C::HomePage, WebPage::Home},
    {C::WhatsNew, WebPage::WhatsNew},
    {C::ThisProjectsPage, WebPage::ThisProject},
    {C::TechnicalSupport, WebPage::TechnicalSupport},
};
constexpr std::pair<BarCommand, MailKind> kMailItems[] = {
    {C::MailMiscellaneous, MailKind::Miscellaneous},
    {C::MailImprovement, MailKind::Improvement},
    {C::MailBug, MailKind::Bug},
    {C::MailAsk, MailKind::Ask},
    {C::MailRegister, MailKind::Register},
};
constexpr std::pair<BarCommand, CopyMode> kCopyItems[] = {
    {C::CopyPhrase, CopyMode::Phrase},
    {C::CopyMeanings, CopyMode::Meanings},
    {C::CopyPhraseAndMeanings, CopyMode::PhraseAndMeanings},
};

// The value a command of one of the tables above stands for.
template <typename Value, size_t N>
std::optional<Value> valueOf(const std::pair<BarCommand, Value> (&items)[N], BarCommand command)
{
    for (const auto& [itemCommand, value] : items) {
        if (itemCommand == command)
            return value;
    }
    return std::nullopt;
}

// Checks the radio item of a table that stands for `current`.
template <typename Value, size_t N>
void checkRadio(BarMenus& menus, const std::pair<BarCommand, Value> (&items)[N], Value current)
{
    for (const auto& [command, value] : items) {
        if (value == current)
            menus.setChecked(command, true);
    }
}

} // namespace

BarCommands::BarCommands(TKvelMainForm& bar, Preferences& preferences, BarMenus& menus,
                         HelpCommands& help, DesktopIntegration& integration)
    : m_bar(bar), m_preferences(preferences), m_menus(menus), m_help(help),
      m_integration(integration)
{}

void BarCommands::run(BarCommand command, bool checked)
{
    if (const auto flag = valueOf(kFlagItems, command))
        m_preferences.setFlag(*flag, checked);
    else if (const auto language = valueOf(kInterfaceItems, command))
        m_bar.languages().selectInterfaceLanguage(*language);
    else if (const auto search = valueOf(kSearchItems, command))
        m_bar.languages().selectSearchLanguage(*search);
    else if (const auto method = valueOf(kFindItems, command))
        m_bar.languages().selectFindMethod(*method);
    else if (const auto key = valueOf(kHotKeyItems, command))
        m_preferences.setHotKey(*key);
    else if (const auto speed = valueOf(kFadeItems, command))
        m_preferences.setFadeSpeed(*speed);
    else if (const auto page = valueOf(kPageItems, command))
        m_help.openPage(*page);
    else if (const auto mail = valueOf(kMailItems, command))
        m_help.openMail(*mail);
    else if (const auto copy = valueOf(kCopyItems, command)) {
        if (m_bar.firstEntry().entryShown())
            m_bar.firstEntry().copy(*copy);
    } else
        runAction(command, checked);
}

void BarCommands::runAction(BarCommand command, bool checked)
{
    switch (command) {
    case C::RememberAndFlash:
        m_bar.RememberFirstEntry();
        m_bar.entry()->flash();
        m_bar.firstEntry().speak();
        break;
    case C::HelpIndex:
        m_help.openHelpFile();
        break;
    case C::Pronounce:
        m_bar.firstEntry().pronounce();
        break;
    case C::NextSearchLanguage:
        m_bar.languages().cycleSearchLanguage();
        break;
    case C::HelpKeyboard:
        m_help.showKeyboardList();
        break;
    case C::About:
        m_help.showAbout();
        break;
    case C::TipOfTheDay:
        m_help.showNextTip();
        break;
    case C::Donations:
        m_help.showDonations();
        break;
    case C::ClearRecent:
        m_bar.languages().clearRecentPhrases();
        break;
    case C::SwitchInterfaceLanguage:
        m_bar.languages().selectInterfaceLanguage(m_preferences.interfaceLanguage() ==
                                                          InterfaceLanguage::English
                                                      ? InterfaceLanguage::Serbian
                                                      : InterfaceLanguage::English);
        break;
    case C::ToggleLock:
        if (m_bar.translationVisible())
            lockTranslation(!m_bar.balloon()->locked());
        break;
    case C::UnlockTranslation:
        if (m_bar.balloon())
            lockTranslation(false);
        break;
    case C::StepUp:
    case C::StepDown:
    case C::StepLeft:
    case C::StepRight:
    case C::EdgeTop:
    case C::EdgeBottom:
    case C::EdgeLeft:
    case C::EdgeRight:
        m_bar.MoveBarByKey(command);
        break;
    case C::PopupMenu:
        m_menus.mainMenu()->popup(m_bar.mapToGlobal(QPoint(0, m_bar.height())));
        break;
    case C::AutoStart:
        m_integration.chooseAutoStart(checked);
        break;
    case C::ToTray:
        m_bar.ToTrayClick(checked);
        break;
    case C::BrowserItem:
        m_integration.chooseBrowserItem(checked);
        break;
    case C::CloseBar:
        m_bar.close();
        break;
    case C::OpenBar:
        m_bar.TrayLeftClick();
        break;
    case C::Quit:
        m_bar.ShutDown();
        break;
    default: // the tables' commands, and None
        break;
    }
}

// Locked, the text takes no input and the mouse picks phrases; unlocked, it
// can be selected.
void BarCommands::lockTranslation(bool locked)
{
    m_bar.balloon()->setLocked(locked);
    m_bar.balloon()->ApplyLockState();
}

void BarCommands::showMainMenuStates(bool formsAvailable)
{
    const bool entries = m_bar.firstEntry().entryShown();
    m_menus.setEnabled(C::Pronounce, m_bar.firstEntry().pronounceable());
    for (const BarCommand copy : {C::CopyPhrase, C::CopyMeanings, C::CopyPhraseAndMeanings})
        m_menus.setEnabled(copy, entries);
    m_menus.setEnabled(C::UnlockTranslation, m_bar.translationVisible());
    const Preferences& preferences = m_preferences;
    checkRadio(m_menus, kInterfaceItems, preferences.interfaceLanguage());
    checkRadio(m_menus, kSearchItems, preferences.searchLanguage());
    checkRadio(m_menus, kFindItems, preferences.findMethod());
    using FlagItems = std::span<const std::pair<BarCommand, Preference>>;
    for (const FlagItems items : {FlagItems(kFlagItems), FlagItems(kActingFlagItems)}) {
        for (const auto& [command, flag] : items)
            m_menus.setChecked(command, preferences.flag(flag));
    }
    // Without an installed Hunspell dictionary there are no forms to find.
    m_menus.setChecked(C::Forms, preferences.flag(Preference::Forms) && formsAvailable);
    m_menus.setEnabled(C::Forms, formsAvailable);
    m_menus.captionCloseItem(m_bar.ClosingGoesToTray());
    checkRadio(m_menus, kHotKeyItems, preferences.hotKey());
    for (const auto& [command, key] : kHotKeyItems)
        m_menus.setEnabled(command, preferences.flag(Preference::HotKeyOn));
    checkRadio(m_menus, kFadeItems, preferences.fadeSpeed());
    for (const auto& [command, speed] : kFadeItems)
        m_menus.setEnabled(command, preferences.flag(Preference::Fade));
}

void BarCommands::showTrayMenuStates()
{
    QString open = LoadLngText(StringId::MenuOpenDictionary);
    const std::optional<StringId> hotKey = hotKeyCaptionId(int(m_preferences.hotKey()));
    // A key another program holds would not open it.
    if (m_preferences.flag(Preference::HotKeyOn) && !m_integration.hotKeyTaken() && hotKey)
        open += u'\t' + LoadText(*hotKey);
    m_menus.setText(C::OpenBar, open);
    m_menus.setChecked(C::ToTray, m_preferences.flag(Preference::ToTray));
    m_menus.setChecked(C::AutoStart, m_preferences.flag(Preference::AutoStart));
}

} // namespace kvel
