// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// Where the browsers and Kvel keep the user's files.
struct BrowserFolders
{
    QString home;       // ~: holds .mozilla
    QString configHome; // $XDG_CONFIG_HOME: holds chromium, google-chrome and kvel

    static BrowserFolders ofUser();
};

// Offers the context-menu item "Prevedi sa Kvel recnikom" or "Translate with
// Kvel dictionary" on selected text: writes the native-messaging host
// manifests for every browser whose per-user folder exists and records which
// item the extension shows (from FIEMenu and FInterfaceLang). With FIEMenu
// off it removes them all, as RemoveIEMenu does, and the extension shows no
// item. Files that already say the same are left alone. True when every file
// is as wanted; the program ignores failures.
bool RegisterIEMenu(int ieMenu, int interfaceLanguage, const QString& executablePath,
                    const BrowserFolders& folders = BrowserFolders::ofUser());

// Removes the manifests and the record, at the end of the desktop session.
// True when none is left.
bool RemoveIEMenu(const BrowserFolders& folders = BrowserFolders::ofUser());

} // namespace kvel
