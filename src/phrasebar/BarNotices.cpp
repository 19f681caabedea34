// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarNotices.h"

#include "core/content/ContentMarkup.h"
#include "core/strings/StringTable.h"
#include "shell/hotkey/HotKeyNames.h"
#include "shell/settings/KvelSettings.h"
#include "shell/wayland/DesktopNotice.h"
#include "shell/wayland/DesktopProbe.h"

#include <QTimer>

namespace kvel {

BarNotices::BarNotices(QObject& context, Preferences& preferences, TrayIcon& tray,
                       QString settingsFile, ShowNotice showNotice)
    : m_context(context), m_preferences(preferences), m_tray(tray),
      m_settingsFile(std::move(settingsFile)), m_showNotice(std::move(showNotice))
{}

void BarNotices::showDesktopNotice()
{
    if (m_preferences.flag(Preference::DesktopNoticeShown) || !onRealDesktop())
        return;
    const SessionInfo session = currentSession();
    if (session.type != SessionType::Wayland)
        return;
    const bool tray = m_tray.isAvailable();
    const std::optional<DesktopNotice> notice =
        desktopNoticeFor(session, probeDesktop(session, tray), false);
    if (!notice)
        return;
    m_preferences.setFlag(Preference::DesktopNoticeShown, true);
    if (tray) {
        // After the welcome balloon of a first run, not in its place.
        const int delayMs = IsFirstRun(m_settingsFile) ? TrayIcon::kBalloonTimeoutMs : 0;
        QTimer::singleShot(delayMs, &m_context, [this, notice = *notice] {
            m_tray.showNotice(notice.title, notice.text(), TrayIcon::BalloonIcon::Warning);
        });
        return;
    }
    // Shown like the other notices, and replaced by the next lookup.
    m_showNotice(
        textContent(ContentKind::DesktopNotice, ImageId::About, notice->title, notice->lines));
}

void BarNotices::showSettingsNotice(bool settingsReadable, bool inTrayMode)
{
    if (settingsReadable)
        return;
    const QString title = LoadLngText(StringId::ProgramTitle);
    const QString text = LoadLngText(StringId::SettingsUnreadable);
    if (inTrayMode) {
        m_tray.showNotice(title, text, TrayIcon::BalloonIcon::Warning);
        return;
    }
    m_showNotice(textContent(ContentKind::DesktopNotice, ImageId::About, title, {text}));
}

void BarNotices::showHotKeyTaken(bool inTrayMode)
{
    const std::optional<StringId> key = hotKeyNameId(int(m_preferences.hotKey()));
    if (m_hotKeyTakenShown || !key)
        return;
    m_hotKeyTakenShown = true;
    const QString title = LoadLngText(StringId::ProgramTitle);
    const QString text =
        LoadLngText(StringId::HotKeyTaken).replace(QLatin1String("%s"), LoadText(*key));
    if (!inTrayMode) {
        m_showNotice(textContent(ContentKind::DesktopNotice, ImageId::About, title, {text}));
        return;
    }
    if (!IsFirstRun(m_settingsFile)) {
        m_tray.showNotice(title, text, TrayIcon::BalloonIcon::Warning);
        return;
    }
    // After the welcome balloon of a first run, not in its place.
    QTimer::singleShot(TrayIcon::kBalloonTimeoutMs, &m_context, [this, title, text] {
        m_tray.showNotice(title, text, TrayIcon::BalloonIcon::Warning);
    });
}

} // namespace kvel
