// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/TrayPresence.h"

#include "core/strings/StringTable.h"
#include "shell/help/TipOfTheDay.h"

#include <QDate>
#include <QMenu>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace kvel {

TrayPresence::TrayPresence(std::unique_ptr<TrayIcon> tray, QWidget& bar, Preferences& preferences,
                           QString settingsFile)
    : QObject(&bar), m_tray(std::move(tray)), m_bar(bar), m_preferences(preferences),
      m_settingsFile(std::move(settingsFile))
{
    connect(m_tray.get(), &TrayIcon::availabilityChanged, this,
            &TrayPresence::trayAvailabilityChanged);
}

bool TrayPresence::trayModeActive() const
{
    return m_preferences.flag(Preference::ToTray) && m_tray->isAvailable();
}

void TrayPresence::addIcon()
{
    if (!m_tray->isAvailable())
        return;
    m_tray->show(true, LoadLngText(StringId::ProgramTitle));
    if (IsFirstRun(m_settingsFile)) {
        const QString title = LoadLngText(StringId::ProgramTitle) + u", v"_s +
                              LoadText(StringId::ProgramVersion) + u"."_s +
                              LoadText(StringId::ProgramBuild);
        QString text = LoadLngText(StringId::ProgramThanks);
        if (!m_codePageHint.isEmpty())
            text += u"\r\n\r\n"_s + m_codePageHint;
        m_tray->showNotice(title, text, TrayIcon::BalloonIcon::Information);
    }
}

void TrayPresence::setIconState(bool barHidden)
{
    if (m_tray->isShown())
        m_tray->show(barHidden, LoadLngText(barHidden ? StringId::ProgramTitle
                                                      : StringId::ProgramAlreadyOpen));
}

void TrayPresence::rightClicked(QPoint at, QMenu& menu)
{
    if (m_barShown) {
        m_bar.close();
        return;
    }
    menu.popup(at);
}

void TrayPresence::removeIcon()
{
    m_tray->remove();
}

void TrayPresence::startInTray(bool wordsHandedOver)
{
    m_inTray = trayModeActive();
    if (!m_inTray)
        return;
    addIcon();
    minimize();
    if (IsFirstRun(m_settingsFile) || wordsHandedOver)
        return;
    const QString title = LoadLngText(StringId::MenuTipOfTheDay);
    if (!m_codePageHint.isEmpty()) {
        m_tray->showNotice(title, m_codePageHint, TrayIcon::BalloonIcon::Warning);
    } else if (m_preferences.flag(Preference::ShowTips)) {
        const int tip = firstTipIndex(QDate::currentDate());
        m_tray->showNotice(title, LoadLngText(tipStringId(tip)),
                           TrayIcon::BalloonIcon::Information);
    }
}

void TrayPresence::minimize()
{
    if (!trayModeActive())
        return;
    m_barShown = false;
    setIconState(true);
    emit hidingBar();
    m_bar.hide();
}

void TrayPresence::restore()
{
    m_barShown = true;
    if (m_preferences.flag(Preference::ToTray))
        setIconState(false);
    m_bar.show();
}

void TrayPresence::setTrayMode(bool on)
{
    m_preferences.setFlag(Preference::ToTray, on);
    if (on) {
        addIcon();
        m_barShown = true;
        setIconState(false);
        m_inTray = trayModeActive();
    } else {
        removeIcon();
        m_inTray = false;
        restore();
        m_bar.raise();
    }
}

void TrayPresence::trayAvailabilityChanged(bool available)
{
    if (!available) {
        // The tray went away: bring a hidden bar back rather than lose it.
        m_inTray = false;
        if (!m_barShown)
            restore();
        return;
    }
    if (!m_preferences.flag(Preference::ToTray)) {
        removeIcon();
        return;
    }
    addIcon();
    m_inTray = true;
    setIconState(!m_barShown);
}

} // namespace kvel
