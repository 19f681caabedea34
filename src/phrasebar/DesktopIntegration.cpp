// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/DesktopIntegration.h"

#include "core/strings/StringTable.h"
#include "shell/autostart/AutoStart.h"
#include "shell/browser/BrowserMenu.h"
#include "shell/hotkey/HotKeyNames.h"

#include <QCoreApplication>

namespace kvel {

DesktopIntegration::DesktopIntegration(std::unique_ptr<GlobalHotKey> hotKey,
                                       Preferences& preferences)
    : m_hotKey(std::move(hotKey)), m_preferences(preferences)
{}

DesktopIntegration::~DesktopIntegration() = default;

void DesktopIntegration::settingsLoaded(bool readable)
{
    m_settingsReadable = readable;
    // Defaults standing in for settings that could not be read must not turn
    // on what the user may have turned off.
    if (readable)
        SetAutoStart(m_preferences.flag(Preference::AutoStart),
                     QCoreApplication::applicationFilePath());
    applyHotKey();
}

void DesktopIntegration::chooseAutoStart(bool on)
{
    if (SetAutoStart(on, QCoreApplication::applicationFilePath()))
        m_preferences.setFlag(Preference::AutoStart, on);
}

void DesktopIntegration::chooseBrowserItem(bool on)
{
    m_preferences.setFlag(Preference::BrowserItem, on);
    m_browserItemChosen = true;
    registerBrowserItem();
}

void DesktopIntegration::registerBrowserItem()
{
    if (!m_settingsReadable && !m_browserItemChosen)
        return;
    RegisterIEMenu(m_preferences.flag(Preference::BrowserItem) ? 1 : 0,
                   int(m_preferences.interfaceLanguage()), QCoreApplication::applicationFilePath());
}

void DesktopIntegration::removeBrowserItem()
{
    RemoveIEMenu();
}

void DesktopIntegration::applyHotKey()
{
    if (m_preferences.flag(Preference::HotKeyOn)) {
        m_hotKeyTaken =
            !m_hotKey->SetHook(int(m_preferences.hotKey())) && m_hotKey->takenByAnotherProgram();
    } else {
        m_hotKey->RemoveHook();
        m_hotKeyTaken = false;
    }
}

void DesktopIntegration::releaseHotKey()
{
    m_hotKey->RemoveHook();
}

bool DesktopIntegration::isChosenHotKey(const QString& keyName) const
{
    const std::optional<StringId> chosen = hotKeyNameId(int(m_preferences.hotKey()));
    if (m_hotKey->GetHookMsg() == 0 || !m_preferences.flag(Preference::HotKeyOn) || !chosen)
        return false;
    return keyName == LoadText(*chosen);
}

} // namespace kvel
