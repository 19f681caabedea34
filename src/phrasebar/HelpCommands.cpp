// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/HelpCommands.h"

#include "lookup/store/ConvertingDictionaryStore.h"

#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>

namespace kvel {

HelpCommands::HelpCommands(std::unique_ptr<HelpFileDesktop> desktop,
                           ConvertingDictionaryStore& store)
    : m_desktop(std::move(desktop)), m_store(store)
{}

HelpCommands::~HelpCommands() = default;

std::optional<BalloonContent> HelpCommands::openHelpFile()
{
    const std::optional<HelpFileProblem> problem =
        kvel::openHelpFile(*m_desktop, helpFilePaths(QCoreApplication::applicationDirPath()));
    if (!problem)
        return std::nullopt;
    return helpFileErrorContent(*problem);
}

BalloonContent HelpCommands::keyboardList(HotKey key, bool hotKeyOn) const
{
    return keyboardListContent(int(key), hotKeyOn);
}

BalloonContent HelpCommands::nextTip()
{
    return tipContent(m_tips.next(QDate::currentDate()));
}

BalloonContent HelpCommands::repeatedTip()
{
    return tipContent(m_tips.repeat(QDate::currentDate()));
}

BalloonContent HelpCommands::donations() const
{
    return donationsContent();
}

BalloonContent HelpCommands::about() const
{
    return aboutContent(m_store.ready() ? m_store.readVersion() : QString());
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
