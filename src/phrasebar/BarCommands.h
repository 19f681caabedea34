// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "phrasebar/BarCommand.h"

namespace kvel {

class BarMenus;
class DesktopIntegration;
class HelpCommands;
class Preferences;
class TKvelMainForm;

// Runs the bar's commands, whichever key or menu item gave them, and shows the
// menus' checks and enabled states as the preferences stand.
class BarCommands
{
public:
    BarCommands(TKvelMainForm& bar, Preferences& preferences, BarMenus& menus, HelpCommands& help,
                DesktopIntegration& integration);

    // `checked` is a check item's new state.
    void run(BarCommand command, bool checked = false);

    // Derived each time a menu opens: checks, captions, and what can be used now.
    void showMainMenuStates(bool formsAvailable);
    void showTrayMenuStates();

private:
    void runAction(BarCommand command, bool checked);
    void lockTranslation(bool locked);

    TKvelMainForm& m_bar;
    Preferences& m_preferences;
    BarMenus& m_menus;
    HelpCommands& m_help;
    DesktopIntegration& m_integration;
};

} // namespace kvel
