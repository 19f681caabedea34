// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/MenuLayout.h"

namespace kvel {

namespace {

using K = MenuRow::Kind;

MenuRow separator(int level)
{
    return {level, nullptr, StringId{}, "", K::Separator};
}

} // namespace

const QList<MenuRow>& mainMenuRows()
{
    static const QList<MenuRow> rows = {
        {0, "CopyWord", StringId::MenuCopyPhrase, "Alt+1", K::Command},
        {0, "CopyMeanings", StringId::MenuCopyMeanings, "Alt+2", K::Command},
        {0, "CopyWordAndMeanings", StringId::MenuCopyPhraseAndMeanings, "Alt+3", K::Command},
        separator(0),
        {0, "GoToTranslation", StringId::MenuGoToTranslation, "", K::Command},
        separator(0),
        {0, "Pronunce", StringId::MenuPronounce, "Alt+Z", K::Command},
        separator(0),
        {0, "InterfaceLanguage", StringId::MenuInterface, "", K::Submenu},
        {1, "InterfaceSerbian", StringId::MenuInterfaceSerbian, "", K::Radio},
        {1, "InterfaceEnglish", StringId::MenuInterfaceEnglish, "", K::Radio},
        separator(1),
        {1, "InterfaceAdjustKeyboard", StringId::MenuAdjustKeyboard, "", K::Check},
        {0, "SelectedLanguage", StringId::MenuSelectedLanguage, "", K::Submenu},
        {1, "SelectedLanguageBoth", StringId::MenuSelectedBoth, "", K::Radio},
        separator(1),
        {1, "SelectedLanguageEnglish", StringId::MenuSelectedEnglish, "", K::Radio},
        {1, "SelectedLanguageSerbian", StringId::MenuSelectedSerbian, "", K::Radio},
        {0, "FindWordMethod", StringId::MenuFindMethod, "", K::Submenu},
        {1, "FindWordMethodBegins", StringId::MenuFindBeginsWith, "Alt+B", K::Radio},
        {1, "FindWordMethodContains", StringId::MenuFindContains, "Alt+C", K::Radio},
        {1, "FindWordMethodEnds", StringId::MenuFindEndsWith, "Alt+E", K::Radio},
        {1, "FindWordMethodWhole", StringId::MenuFindEquals, "Alt+W", K::Radio},
        {0, "RecentWords", StringId::MenuRecentPhrases, "", K::Submenu},
        {1, "RecentWordsBoth", StringId::MenuRecentBoth, "", K::RecentList},
        {1, "RecentWordsEnglish", StringId::MenuRecentEnglish, "", K::RecentList},
        {1, "RecentWordsSerbian", StringId::MenuRecentSerbian, "", K::RecentList},
        separator(1),
        {1, "RecentWordsClear", StringId::MenuClearRecent, "Alt+H", K::Command},
        {0, "Preferences", StringId::MenuPreferences, "", K::Submenu},
        {1, "WinAutostart", StringId::MenuStartWithSystem, "", K::Check},
        {1, "ToTray", StringId::MenuCloseToTray, "", K::Check},
        {1, "SmartClipboard", StringId::MenuSmartClipboard, "", K::Check},
        {1, "FastClipboard", StringId::MenuFastClipboardOff, "", K::Check},
        {1, "ContextMenu", StringId::MenuBrowserItem, "", K::Check},
        {1, "SensitiveTrans", StringId::MenuContextSensitive, "", K::Check},
        {1, "ShowTips", StringId::MenuShowTips, "", K::Check},
        {1, "Locking", StringId::MenuLockEditor, "", K::Check},
        {1, "SaveRecentWords", StringId::MenuSaveRecent, "", K::Check},
        {1, "WrapTheTranslation", StringId::MenuWrapTranslation, "", K::Check},
        {1, "SavePosition", StringId::MenuSavePosition, "", K::Check},
        {1, "SpeechC", StringId::MenuPronunciation, "", K::Check},
        {1, "Tolerant", StringId::MenuTolerant, "", K::Check},
        {1, "Forms", StringId::MenuForms, "", K::Check},
        separator(1),
        {1, "AlphaBlending", StringId::MenuShading, "", K::Submenu},
        {2, "ABActivate", StringId::MenuShadingActivate, "", K::Check},
        separator(2),
        {2, "ABSlow", StringId::MenuShadingSlow, "", K::Radio},
        {2, "ABMedium", StringId::MenuShadingMedium, "", K::Radio},
        {2, "ABFast", StringId::MenuShadingFast, "", K::Radio},
        {1, "KHook", StringId::MenuHotKey, "", K::Submenu},
        {2, "KHookActivate", StringId::MenuHotKeyActivate, "", K::Check},
        separator(2),
        {2, "F9", StringId::MenuHotKeyAltF9, "", K::Radio},
        {2, "F10", StringId::MenuHotKeyAltF10, "", K::Radio},
        {2, "F11", StringId::MenuHotKeyAltF11, "", K::Radio},
        {2, "F12", StringId::MenuHotKeyAltF12, "", K::Radio},
        separator(0),
        {0, "Help", StringId::MenuHelp, "", K::Submenu},
        {1, "HelpIndex", StringId::MenuHelpIndex, "", K::Command},
        {1, "HelpKeyboard", StringId::MenuKeyboard, "Alt+K", K::Command},
        {1, "HelpTipOfTheDay", StringId::MenuTipOfTheDay, "Alt+T", K::Command},
        {1, "HelpDonations", StringId::MenuDonations, "Alt+D", K::Command},
        separator(1),
        {1, "VisitOurWebPage", StringId::MenuVisitWebPage, "", K::Submenu},
        {2, "HomePage", StringId::MenuHomePage, "", K::Command},
        {2, "WhatsNew", StringId::MenuWhatsNew, "", K::Command},
        {2, "ThisProjectsPage", StringId::MenuProjectPage, "", K::Command},
        {2, "TechnicalSupport", StringId::MenuTechnicalSupport, "", K::Command},
        {1, "SendEmail", StringId::MenuSendEmail, "", K::Submenu},
        {2, "Miscellaneous", StringId::MenuMiscellaneous, "", K::Command},
        {2, "Improvement", StringId::MenuSuggestImprovement, "", K::Command},
        {2, "Bug", StringId::MenuReportBug, "", K::Command},
        {2, "Ask", StringId::MenuAskSupport, "", K::Command},
        separator(2),
        {2, "Register", StringId::MenuRegister, "", K::Command},
        separator(1),
        {1, "About", StringId::MenuAbout, "Alt+A", K::Command},
        separator(0),
        {0, "Exit", StringId::MenuExit, "Alt+F4", K::Command},
    };
    return rows;
}

const QList<MenuRow>& trayMenuRows()
{
    static const QList<MenuRow> rows = {
        {0, "PopOpen", StringId::MenuOpenDictionary, "", K::Command},
        separator(0),
        {0, "PopStart", StringId::MenuStartWithSystem, "", K::Check},
        {0, "PopTray", StringId::MenuCloseToTray, "", K::Check},
        separator(0),
        {0, "PopExit", StringId::MenuExit, "", K::Command},
    };
    return rows;
}

} // namespace kvel
