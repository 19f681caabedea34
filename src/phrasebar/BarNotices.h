// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/content/BalloonContent.h"
#include "shell/settings/Preferences.h"
#include "shell/tray/TrayIcon.h"

#include <QObject>
#include <QString>
#include <functional>

namespace kvel {

// The notices of what this desktop or the settings file keep from Kvel: a
// tray balloon when the icon is there, else a notice in the translation window.
class BarNotices
{
public:
    using ShowNotice = std::function<void(const BalloonContent&)>;

    // context ends the delayed balloon when it goes.
    BarNotices(QObject& context, Preferences& preferences, TrayIcon& tray, QString settingsFile,
               ShowNotice showNotice);

    // Once per user: what this desktop cannot do, and what to do instead.
    void showDesktopNotice();
    // Once per run: nothing can be stored while the file cannot be read.
    void showSettingsNotice(bool settingsReadable, bool inTrayMode);
    // Once per run: another program holds the chosen hot key.
    void showHotKeyTaken(bool inTrayMode);

private:
    QObject& m_context;
    Preferences& m_preferences;
    TrayIcon& m_tray;
    QString m_settingsFile;
    ShowNotice m_showNotice;
    bool m_hotKeyTakenShown = false;
};

} // namespace kvel
