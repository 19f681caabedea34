// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/HelpCommands.h"

#include "lookup/store/ConvertingDictionaryStore.h"

#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>

namespace kvel {

HelpCommands::HelpCommands(std::unique_ptr<HelpFileDesktop> desktop,
                           ConvertingDictionaryStore& store, const Preferences& preferences,
                           std::function<void(const BalloonContent&)> show,
                           std::function<bool()> hotKeyTaken)
    : m_desktop(std::move(desktop)), m_store(store), m_preferences(preferences),
      m_show(std::move(show)), m_hotKeyTaken(std::move(hotKeyTaken))
{}

HelpCommands::~HelpCommands() = default;

void HelpCommands::openHelpFile()
{
    const std::optional<HelpFileProblem> problem =
        kvel::openHelpFile(*m_desktop, helpFilePaths(QCoreApplication::applicationDirPath()));
    if (problem)
        m_show(helpFileErrorContent(*problem));
}

void HelpCommands::showKeyboardList()
{
    HotKeyState state = HotKeyState::Off;
    if (m_preferences.flag(Preference::HotKeyOn))
        state = m_hotKeyTaken() ? HotKeyState::Taken : HotKeyState::On;
    m_show(keyboardListContent(int(m_preferences.hotKey()), state));
}

void HelpCommands::showNextTip()
{
    m_show(tipContent(m_tips.next(QDate::currentDate())));
}

void HelpCommands::showDonations()
{
    m_show(donationsContent());
}

void HelpCommands::showAbout()
{
    m_show(aboutContent(m_store.ready() ? m_store.readVersion() : QString()));
}

bool HelpCommands::showAgain(ContentKind shownKind)
{
    switch (shownKind) {
    case ContentKind::HelpFileError:
        openHelpFile();
        return true;
    case ContentKind::KeyboardList:
        showKeyboardList();
        return true;
    case ContentKind::Tip:
        // The same tip, not the next one.
        m_show(tipContent(m_tips.repeat(QDate::currentDate())));
        return true;
    case ContentKind::Donations:
        showDonations();
        return true;
    case ContentKind::About:
        showAbout();
        return true;
    default:
        return false;
    }
}

void HelpCommands::openPage(WebPage page) const
{
    QDesktopServices::openUrl(
        webPageUrl(page, documentationDir(QCoreApplication::applicationDirPath())));
}

void HelpCommands::openMail(MailKind kind) const
{
    QDesktopServices::openUrl(mailLink(kind));
}

} // namespace kvel
