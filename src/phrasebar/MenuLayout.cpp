// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/MenuLayout.h"

namespace kvel {

namespace {

using K = MenuRow::Kind;

MenuRow separator(int level)
{
    return {level, nullptr, 0, "", K::Separator};
}

} // namespace

const QList<MenuRow>& mainMenuRows()
{
    static const QList<MenuRow> rows = {
        {0, "CopyWord", 30060, "Alt+1", K::Command},
        {0, "CopyMeanings", 30062, "Alt+2", K::Command},
        {0, "CopyWordAndMeanings", 30064, "Alt+3", K::Command},
        separator(0),
        {0, "GoToTranslation", 30070, "", K::Command},
        separator(0),
        {0, "Pronunce", 30201, "Alt+Z", K::Command},
        separator(0),
        {0, "InterfaceLanguage", 30066, "", K::Submenu},
        {1, "InterfaceSerbian", 30068, "", K::Radio},
        {1, "InterfaceEnglish", 30072, "", K::Radio},
        separator(1),
        {1, "InterfaceAdjustKeyboard", 30074, "", K::Check},
        {0, "SelectedLanguage", 30076, "", K::Submenu},
        {1, "SelectedLanguageBoth", 30078, "", K::Radio},
        separator(1),
        {1, "SelectedLanguageEnglish", 30080, "", K::Radio},
        {1, "SelectedLanguageSerbian", 30082, "", K::Radio},
        {0, "FindWordMethod", 30084, "", K::Submenu},
        {1, "FindWordMethodBegins", 30086, "Alt+B", K::Radio},
        {1, "FindWordMethodContains", 30088, "Alt+C", K::Radio},
        {1, "FindWordMethodEnds", 30090, "Alt+E", K::Radio},
        {1, "FindWordMethodWhole", 30092, "Alt+W", K::Radio},
        {0, "RecentWords", 30094, "", K::Submenu},
        {1, "RecentWordsBoth", 30096, "", K::RecentList},
        {1, "RecentWordsEnglish", 30098, "", K::RecentList},
        {1, "RecentWordsSerbian", 30100, "", K::RecentList},
        separator(1),
        {1, "RecentWordsClear", 30102, "Alt+H", K::Command},
        {0, "Preferences", 30104, "", K::Submenu},
        {1, "WinAutostart", 30207, "", K::Check},
        {1, "ToTray", 30205, "", K::Check},
        {1, "SmartClipboard", 30108, "", K::Check},
        {1, "FastClipboard", 30110, "", K::Check},
        {1, "ContextMenu", 30243, "", K::Check},
        {1, "SensitiveTrans", 30112, "", K::Check},
        {1, "ShowTips", 30106, "", K::Check},
        {1, "Locking", 30193, "", K::Check},
        {1, "SaveRecentWords", 30203, "", K::Check},
        {1, "WrapTheTranslation", 30213, "", K::Check},
        {1, "SavePosition", 30195, "", K::Check},
        {1, "SpeechC", 30199, "", K::Check},
        {1, "Tolerant", 31100, "", K::Check},
        {1, "Forms", 31116, "", K::Check},
        separator(1),
        {1, "AlphaBlending", 30130, "", K::Submenu},
        {2, "ABActivate", 30132, "", K::Check},
        separator(2),
        {2, "ABSlow", 30138, "", K::Radio},
        {2, "ABMedium", 30136, "", K::Radio},
        {2, "ABFast", 30134, "", K::Radio},
        {1, "KHook", 30114, "", K::Submenu},
        {2, "KHookActivate", 30116, "", K::Check},
        separator(2),
        {2, "F9", 30118, "", K::Radio},
        {2, "F10", 30120, "", K::Radio},
        {2, "F11", 30122, "", K::Radio},
        {2, "F12", 30124, "", K::Radio},
        separator(0),
        {0, "Help", 30209, "", K::Submenu},
        {1, "HelpIndex", 30211, "", K::Command},
        {1, "HelpKeyboard", 30221, "Alt+K", K::Command},
        {1, "HelpTipOfTheDay", 30223, "Alt+T", K::Command},
        {1, "HelpDonations", 30215, "Alt+D", K::Command},
        separator(1),
        {1, "VisitOurWebPage", 30225, "", K::Submenu},
        {2, "HomePage", 30227, "", K::Command},
        {2, "WhatsNew", 30229, "", K::Command},
        {2, "ThisProjectsPage", 30231, "", K::Command},
        {2, "TechnicalSupport", 30233, "", K::Command},
        {1, "SendEmail", 30235, "", K::Submenu},
        {2, "Miscellaneous", 30237, "", K::Command},
        {2, "Improvement", 30239, "", K::Command},
        {2, "Bug", 30250, "", K::Command},
        {2, "Ask", 30252, "", K::Command},
        separator(2),
        {2, "Register", 30241, "", K::Command},
        separator(1),
        {1, "About", 30254, "Alt+A", K::Command},
        separator(0),
        {0, "Exit", 30256, "Alt+F4", K::Command},
    };
    return rows;
}

const QList<MenuRow>& trayMenuRows()
{
    static const QList<MenuRow> rows = {
        {0, "PopOpen", 30197, "", K::Command}, separator(0), {0, "PopStart", 30207, "", K::Check},
        {0, "PopTray", 30205, "", K::Check},   separator(0), {0, "PopExit", 30256, "", K::Command},
    };
    return rows;
}

} // namespace kvel
