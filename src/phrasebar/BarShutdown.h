// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPointer>

class QCloseEvent;

namespace kvel {

class BarClipboard;
class DesktopIntegration;
class LowerCaseEntry;
class TBalloonForm;
class TKvelMainForm;
class TrayPresence;

// How the bar goes: closed (to the tray in tray mode), shut down from a menu or
// a second start, or with the desktop session; and what it leaves behind.
class BarShutdown
{
public:
    BarShutdown(TKvelMainForm& bar, QPointer<TBalloonForm>& balloon, LowerCaseEntry& entry,
                TrayPresence& presence, DesktopIntegration& integration, BarClipboard& clipboard);

    void close(QCloseEvent& event);
    void shutDown();
    // The desktop ends the session: save, and go without asking any window.
    void sessionEnding();
    // The translation window, the tray icon and the hot key go; once only.
    void cleanup();

private:
    TKvelMainForm& m_bar;
    QPointer<TBalloonForm>& m_balloon;
    LowerCaseEntry& m_entry;
    TrayPresence& m_presence;
    DesktopIntegration& m_integration;
    BarClipboard& m_clipboard;
    bool m_quitting = false;
    bool m_cleanedUp = false;
};

} // namespace kvel
