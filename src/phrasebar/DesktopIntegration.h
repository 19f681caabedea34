// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/hotkey/GlobalHotKey.h"
#include "shell/settings/Preferences.h"

#include <QString>
#include <memory>

namespace kvel {

// What Kvel leaves in the desktop at the user's choice: the autostart entry,
// the browser's context-menu item and the hot key's grab. While the settings
// file cannot be read, defaults write nothing there; only the user's own
// click on the browser item does.
class DesktopIntegration
{
public:
    DesktopIntegration(std::unique_ptr<GlobalHotKey> hotKey, Preferences& preferences);
    ~DesktopIntegration();

    GlobalHotKey& hotKey() const { return *m_hotKey; }

    // The settings were read (or not): the stored choices are put in place.
    void settingsLoaded(bool readable);

    // The setting follows only what really happened to the autostart entry.
    void chooseAutoStart(bool on);
    void chooseBrowserItem(bool on);
    // The item's text follows the interface language.
    void registerBrowserItem();
    // At the end of the desktop session.
    void removeBrowserItem();

    // A grab takes the key from every other program: only the chosen key, and
    // only while the hot key is on. A key another program holds stays theirs.
    void applyHotKey();
    void releaseHotKey();
    // Whether a caught key is the chosen hot key, which is on.
    bool isChosenHotKey(const QString& keyName) const;
    // The hot key is on, but another program held the chosen key at the last
    // try; the setting stays as the user chose it.
    bool hotKeyTaken() const { return m_hotKeyTaken; }

private:
    std::unique_ptr<GlobalHotKey> m_hotKey;
    Preferences& m_preferences;
    bool m_settingsReadable = true;
    bool m_hotKeyTaken = false;
    // The user set the browser item in this run, so it follows the setting
    // even when the settings could not be read.
    bool m_browserItemChosen = false;
};

} // namespace kvel
