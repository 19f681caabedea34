// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/strings/StringIds.h"
#include "phrasebar/BarCommand.h"

#include <QList>

namespace kvel {

// One row of a popup menu as the program lays it out: the item's name (the
// QAction's or submenu's objectName), its caption (none for a separator) and
// the key shown beside it.
struct MenuRow
{
    enum class Kind
    {
        Command,
        Check,
        Radio,
        Submenu,
        Separator,
        RecentList
    };
    int level;
    const char* name;
    StringId captionId;
    const char* shortcut;
    Kind kind;
    BarCommand command = BarCommand::None; // what choosing the item does
};

// The main menu `LngPopupMenu`, top to bottom, submenus by level.
const QList<MenuRow>& mainMenuRows();

// The tray menu `TrayPopupMenu`.
const QList<MenuRow>& trayMenuRows();

} // namespace kvel
