// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// Which of the two browser context-menu items is offered: the one in the
// interface language, or none when the option is off.
enum class BrowserMenuItem
{
    None,
    Serbian,
    English
};

// From the settings FIEMenu (1 = on) and FInterfaceLang (0 = Serbian).
BrowserMenuItem activeBrowserMenuItem(int ieMenu, int interfaceLanguage);

// The text the browser shows for the item; empty for None. These are fixed
// names of the item, the same whatever the string table says.
QString browserMenuCaption(BrowserMenuItem item);

// "sr", "en" or "none": how the item is recorded for the native host.
QString browserMenuItemName(BrowserMenuItem item);
// Anything unknown reads as None, so a damaged record never shows an item.
BrowserMenuItem browserMenuItemFromName(const QString& name);

// The record of the active item in Kvel's folder under configHome
// ($XDG_CONFIG_HOME), shared by the program and its native host.
QString browserMenuRecordPath(const QString& configHome);
BrowserMenuItem readBrowserMenuItem(const QString& configHome);

} // namespace kvel
