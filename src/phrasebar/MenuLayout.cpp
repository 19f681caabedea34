// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/MenuLayout.h"

namespace kvel {

namespace {

using K = MenuRow::Kind;
using C = BarCommand;

MenuRow separator(int level)
{
    return {level, nullptr, StringId{}, "", K::Separator};
}

} // namespace

const QList<MenuRow>& mainMenuRows()
{
    static const QList<MenuRow> rows = {
        {0, "CopyWord", StringId::MenuCopyPhrase, "Alt+1", K::Command, C::CopyPhrase},
        {0, "CopyMeanings", StringId::MenuCopyMeanings, "Alt+2", K::Command, C::CopyMeanings},
        {0, "CopyWordAndMeanings", StringId::MenuCopyPhraseAndMeanings, "Alt+3", K::Command,
         C::CopyPhraseAndMeanings},
        separator(0),
        {0, "GoToTranslation", StringId::MenuGoToTranslation, "", K::Command, C::UnlockTranslation},
        separator(0),
        {0, "Pronunce", StringId::MenuPronounce, "Alt+Z", K::Command, C::Pronounce},
        separator(0),
        {0, "InterfaceLanguage", StringId::MenuInterface, "", K::Submenu},
        {1, "InterfaceSerbian", StringId::MenuInterfaceSerbian, "", K::Radio, C::InterfaceSerbian},
        {1, "InterfaceEnglish", StringId::MenuInterfaceEnglish, "", K::Radio, C::InterfaceEnglish},
        separator(1),
        {1, "InterfaceAdjustKeyboard", StringId::MenuAdjustKeyboard, "", K::Check,
         C::AdjustKeyboard},
        {0, "SelectedLanguage", StringId::MenuSelectedLanguage, "", K::Submenu},
        {1, "SelectedLanguageBoth", StringId::MenuSelectedBoth, "", K::Radio, C::SearchBoth},
        separator(1),
        {1, "SelectedLanguageEnglish", StringId::MenuSelectedEnglish, "", K::Radio,
         C::SearchEnglish},
        {1, "SelectedLanguageSerbian", StringId::MenuSelectedSerbian, "", K::Radio,
         C::SearchSerbian},
        {0, "FindWordMethod", StringId::MenuFindMethod, "", K::Submenu},
        {1, "FindWordMethodBegins", StringId::MenuFindBeginsWith, "Alt+B", K::Radio, C::FindBegins},
        {1, "FindWordMethodContains", StringId::MenuFindContains, "Alt+C", K::Radio,
         C::FindContains},
        {1, "FindWordMethodEnds", StringId::MenuFindEndsWith, "Alt+E", K::Radio, C::FindEnds},
        {1, "FindWordMethodWhole", StringId::MenuFindEquals, "Alt+W", K::Radio, C::FindWhole},
        {0, "RecentWords", StringId::MenuRecentPhrases, "", K::Submenu},
        {1, "RecentWordsBoth", StringId::MenuRecentBoth, "", K::RecentList},
        {1, "RecentWordsEnglish", StringId::MenuRecentEnglish, "", K::RecentList},
        {1, "RecentWordsSerbian", StringId::MenuRecentSerbian, "", K::RecentList},
        separator(1),
        {1, "RecentWordsClear", StringId::MenuClearRecent, "Alt+H", K::Command, C::ClearRecent},
        {0, "Preferences", StringId::MenuPreferences, "", K::Submenu},
        {1, "WinAutostart", StringId::MenuStartWithSystem, "", K::Check, C::AutoStart},
        {1, "ToTray", StringId::MenuCloseToTray, "", K::Check, C::ToTray},
        {1, "SmartClipboard", StringId::MenuSmartClipboard, "", K::Check, C::SmartClipboard},
        {1, "FastClipboard", StringId::MenuFastClipboardOff, "", K::Check, C::ClipboardWatchingOff},
        {1, "ContextMenu", StringId::MenuBrowserItem, "", K::Check, C::BrowserItem},
        {1, "SensitiveTrans", StringId::MenuContextSensitive, "", K::Check,
         C::SensitiveTranslation},
        {1, "ShowTips", StringId::MenuShowTips, "", K::Check, C::ShowTips},
        {1, "Locking", StringId::MenuLockEditor, "", K::Check, C::LockedTranslation},
        {1, "SaveRecentWords", StringId::MenuSaveRecent, "", K::Check, C::SaveRecent},
        {1, "WrapTheTranslation", StringId::MenuWrapTranslation, "", K::Check, C::WrapTranslation},
        {1, "SavePosition", StringId::MenuSavePosition, "", K::Check, C::SavePosition},
        {1, "SpeechC", StringId::MenuPronunciation, "", K::Check, C::Speech},
        {1, "Tolerant", StringId::MenuTolerant, "", K::Check, C::Tolerant},
        {1, "Forms", StringId::MenuForms, "", K::Check, C::Forms},
        separator(1),
        {1, "AlphaBlending", StringId::MenuShading, "", K::Submenu},
        {2, "ABActivate", StringId::MenuShadingActivate, "", K::Check, C::Fade},
        separator(2),
        {2, "ABSlow", StringId::MenuShadingSlow, "", K::Radio, C::FadeSlow},
        {2, "ABMedium", StringId::MenuShadingMedium, "", K::Radio, C::FadeMedium},
        {2, "ABFast", StringId::MenuShadingFast, "", K::Radio, C::FadeFast},
        {1, "KHook", StringId::MenuHotKey, "", K::Submenu},
        {2, "KHookActivate", StringId::MenuHotKeyActivate, "", K::Check, C::HotKeyOn},
        separator(2),
        {2, "F9", StringId::MenuHotKeyAltF9, "", K::Radio, C::HotKeyF9},
        {2, "F10", StringId::MenuHotKeyAltF10, "", K::Radio, C::HotKeyF10},
        {2, "F11", StringId::MenuHotKeyAltF11, "", K::Radio, C::HotKeyF11},
        {2, "F12", StringId::MenuHotKeyAltF12, "", K::Radio, C::HotKeyF12},
        separator(0),
        {0, "Help", StringId::MenuHelp, "", K::Submenu},
        {1, "HelpIndex", StringId::MenuHelpIndex, "", K::Command, C::HelpIndex},
        {1, "HelpKeyboard", StringId::MenuKeyboard, "Alt+K", K::Command, C::HelpKeyboard},
        {1, "HelpTipOfTheDay", StringId::MenuTipOfTheDay, "Alt+T", K::Command, C::TipOfTheDay},
        {1, "HelpDonations", StringId::MenuDonations, "Alt+D", K::Command, C::Donations},
        separator(1),
        {1, "VisitOurWebPage", StringId::MenuVisitWebPage, "", K::Submenu},
        {2, "HomePage", StringId::MenuHomePage, "", K::Command, C::HomePage},
        {2, "WhatsNew", StringId::MenuWhatsNew, "", K::Command, C::WhatsNew},
        {2, "ThisProjectsPage", StringId::MenuProjectPage, "", K::Command, C::ThisProjectsPage},
        {2, "TechnicalSupport", StringId::MenuTechnicalSupport, "", K::Command,
         C::TechnicalSupport},
        {1, "SendEmail", StringId::MenuSendEmail, "", K::Submenu},
        {2, "Miscellaneous", StringId::MenuMiscellaneous, "", K::Command, C::MailMiscellaneous},
        {2, "Improvement", StringId::MenuSuggestImprovement, "", K::Command, C::MailImprovement},
        {2, "Bug", StringId::MenuReportBug, "", K::Command, C::MailBug},
        {2, "Ask", StringId::MenuAskSupport, "", K::Command, C::MailAsk},
        separator(2),
        {2, "Register", StringId::MenuRegister, "", K::Command, C::MailRegister},
        separator(1),
        {1, "About", StringId::MenuAbout, "Alt+A", K::Command, C::About},
        separator(0),
        {0, "Exit", StringId::MenuExit, "Alt+F4", K::Command, C::CloseBar},
    };
    return rows;
}

const QList<MenuRow>& trayMenuRows()
{
    static const QList<MenuRow> rows = {
        {0, "PopOpen", StringId::MenuOpenDictionary, "", K::Command, C::OpenBar},
        separator(0),
        {0, "PopStart", StringId::MenuStartWithSystem, "", K::Check, C::AutoStart},
        {0, "PopTray", StringId::MenuCloseToTray, "", K::Check, C::ToTray},
        separator(0),
        {0, "PopExit", StringId::MenuExit, "", K::Command, C::Quit},
    };
    return rows;
}

} // namespace kvel
