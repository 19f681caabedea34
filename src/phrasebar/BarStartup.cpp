// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarStartup.h"

#include "core/strings/StringTable.h"
#include "phrasebar/BarClipboard.h"
#include "phrasebar/BarNotices.h"
#include "phrasebar/BarRequests.h"
#include "phrasebar/BarSettingsFile.h"
#include "phrasebar/DictionaryReadiness.h"
#include "phrasebar/HelpCommands.h"
#include "phrasebar/TKvelMainForm.h"
#include "phrasebar/TrayPresence.h"
#include "shell/keyboard/CentralEuropeanLocale.h"

#include <QTimer>

namespace kvel {

BarStartup::BarStartup(TKvelMainForm& bar, Parts parts) : QObject(&bar), m_bar(bar), m_parts(parts)
{
    connect(&m_parts.readiness, &DictionaryReadiness::checksPassed, this,
            &BarStartup::firstShowChecksPassed);
}

void BarStartup::barShown()
{
    if (!m_firstShowDone)
        firstShow();
    // Frameless windows may never be given focus by the window manager, so
    // the first-activation work does not wait for it.
    QTimer::singleShot(0, this, [this] {
        if (!m_firstActivationDone)
            firstActivation();
    });
}

void BarStartup::barActivated()
{
    if (!m_firstActivationDone)
        firstActivation();
}

void BarStartup::firstShow()
{
    if (!m_parts.preferences.flag(Preference::ClipboardWatchingOff))
        m_bar.ApplyClipboardViewer();
    m_parts.clipboard.setReady();
    m_firstShowDone = true;
    m_parts.readiness.checkOnFirstShow();
}

void BarStartup::firstShowChecksPassed()
{
    const Preferences& prefs = m_parts.preferences;
    if (!prefs.flag(Preference::AutoStart) && !prefs.flag(Preference::ToTray)) {
        if (prefs.flag(Preference::SmartClipboard))
            m_bar.LookupClipboard();
        else if (prefs.flag(Preference::ShowTips))
            m_parts.help.showNextTip();
    }
}

void BarStartup::firstActivation()
{
    m_firstActivationDone = true;
    m_parts.presence.setCodePageHint(
        IsCentralEuropeanCodePage() ? QString() : LoadLngText(StringId::CodePageHint));
    // Words handed to a first start are looked up whether or not the bar
    // starts in the tray.
    const int handedOverWords = m_parts.requests.readHandedOverWords();
    if (handedOverWords > 0 && m_parts.presence.trayModeActive()) {
        // The words show the bar at once. Hiding it first would unmap and map
        // it again within moments, and a window manager can lose a window
        // shown again before it has taken in the hiding.
        m_parts.presence.setTrayMode(true);
    } else {
        m_parts.presence.startInTray(handedOverWords != 0);
    }
    m_parts.notices.showDesktopNotice();
    m_parts.notices.showSettingsNotice(m_parts.settingsFile.readable(),
                                       m_parts.presence.trayModeActive());
    m_bar.NoticeHotKeyTaken();
    if (handedOverWords > 0)
        QTimer::singleShot(0, this, [this] { m_parts.requests.showHandedOverWords(); });
}

} // namespace kvel
