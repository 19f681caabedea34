// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

namespace kvel {

class BarClipboard;
class BarNotices;
class BarRequests;
class BarSettingsFile;
class DictionaryReadiness;
class HelpCommands;
class Preferences;
class TKvelMainForm;
class TrayPresence;

// The bar's first show and first activation: clipboard watching, the
// dictionary's checks, the start in the tray, the start notices, the words a
// first start was handed, and the clipboard lookup or tip the first show offers.
class BarStartup : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        Preferences& preferences;
        const BarSettingsFile& settingsFile;
        BarClipboard& clipboard;
        DictionaryReadiness& readiness;
        TrayPresence& presence;
        BarRequests& requests;
        BarNotices& notices;
        HelpCommands& help;
    };

    BarStartup(TKvelMainForm& bar, Parts parts);

    void barShown();
    void barActivated();

private:
    void firstShow();
    void firstActivation();
    void firstShowChecksPassed();

    TKvelMainForm& m_bar;
    Parts m_parts;
    bool m_firstShowDone = false;
    bool m_firstActivationDone = false;
};

} // namespace kvel
