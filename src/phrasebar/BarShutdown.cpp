// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarShutdown.h"

#include "balloon/widgets/TBalloonForm.h"
#include "phrasebar/BarClipboard.h"
#include "phrasebar/DesktopIntegration.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "phrasebar/TrayPresence.h"

#include <QCloseEvent>
#include <QSignalBlocker>

namespace kvel {

BarShutdown::BarShutdown(TKvelMainForm& bar, QPointer<TBalloonForm>& balloon, LowerCaseEntry& entry,
                         TrayPresence& presence, DesktopIntegration& integration,
                         BarClipboard& clipboard)
    : m_bar(bar), m_balloon(balloon), m_entry(entry), m_presence(presence),
      m_integration(integration), m_clipboard(clipboard)
{}

void BarShutdown::close(QCloseEvent& event)
{
    // Quitting closes every window; in tray mode this one would only hide.
    if (m_quitting) {
        event.accept();
        return;
    }
    if (m_balloon)
        m_balloon->hide();
    // Clearing the entry must not pop a notice up on the way out.
    {
        const QSignalBlocker blocker(&m_entry);
        m_entry.clear();
    }
    m_bar.SaveSettings();
    if (m_presence.trayModeActive()) {
        event.ignore();
        m_presence.minimize();
        return;
    }
    m_clipboard.setWatching(false);
    event.accept();
    emit m_bar.quitRequested();
}

void BarShutdown::sessionEnding()
{
    m_bar.SaveSettings();
    m_integration.removeBrowserItem();
    m_quitting = true;
    emit m_bar.quitRequested();
}

void BarShutdown::shutDown()
{
    m_bar.SaveSettings();
    m_quitting = true;
    m_clipboard.setWatching(false);
    cleanup();
    emit m_bar.quitRequested();
}

void BarShutdown::cleanup()
{
    if (m_cleanedUp)
        return;
    m_cleanedUp = true;
    delete m_balloon;
    m_presence.removeIcon();
    m_integration.releaseHotKey();
}

} // namespace kvel
