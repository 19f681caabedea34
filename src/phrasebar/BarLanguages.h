// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"
#include "shell/keyboard/KeyboardLayout.h"
#include "shell/settings/Preferences.h"

#include <QString>
#include <memory>

class QLabel;

namespace kvel {

class BarMenus;
class LowerCaseEntry;
class TKvelMainForm;
class TrayPresence;

// The bar's languages: the search language and its label, the find method,
// the interface language of the captions, the keyboard layout that fits the
// search language, and the recent phrases kept per search language.
class BarLanguages
{
public:
    BarLanguages(TKvelMainForm& bar, Preferences& preferences, BarMenus& menus,
                 TrayPresence& presence, QLabel& label, LowerCaseEntry& entry,
                 std::unique_ptr<KeyboardLayout> keyboard);
    ~BarLanguages();

    // Both, Serbian, English, and round again (the label's double click, Alt+L).
    void cycleSearchLanguage();
    void selectSearchLanguage(SearchLanguage language);
    void selectFindMethod(FindMethod method);
    void selectInterfaceLanguage(InterfaceLanguage language);
    // Every caption, the label and the window title in the interface language.
    void applyInterfaceLanguage();
    void showSearchLanguage();
    void captionMenus();

    void applyKeyboardLayout();
    void restoreKeyboardLayout();
    // The user's layouts, or nothing on a desktop that has none to offer.
    const KeyboardLayout* keyboard() const { return m_keyboard.get(); }

    void refreshRecentMenus();
    void clearRecentPhrases();
    void chooseRecentPhrase(SearchLanguage list, const QString& caption);

private:
    TKvelMainForm& m_bar;
    Preferences& m_preferences;
    BarMenus& m_menus;
    TrayPresence& m_presence;
    QLabel& m_label;
    LowerCaseEntry& m_entry;
    std::unique_ptr<KeyboardLayout> m_keyboard;
};

} // namespace kvel
