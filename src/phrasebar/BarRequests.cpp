// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarRequests.h"

#include "phrasebar/TKvelMainForm.h"
#include "shell/settings/HandOver.h"

namespace kvel {

BarRequests::BarRequests(TKvelMainForm& bar, QString settingsFile)
    : m_bar(bar), m_settingsFile(std::move(settingsFile))
{}

void BarRequests::handle(InstanceRequest request)
{
    switch (request) {
    case InstanceRequest::ToggleBar:
        toggleBar();
        m_bar.ApplyHook();
        break;
    case InstanceRequest::LookUpHandOver:
        showHandedOverWords();
        m_bar.ApplyHook();
        break;
    case InstanceRequest::Quit:
        m_bar.ShutDown();
        break;
    }
}

void BarRequests::openBar(bool rememberClipboardPhrase)
{
    m_bar.AppRestore();
    bringToThisWorkspace();
    m_bar.raise();
    m_bar.activateWindow();
    if (m_bar.preferences().flag(Preference::SmartClipboard))
        m_bar.LookupClipboard(rememberClipboardPhrase);
}

void BarRequests::toggleBar()
{
    // A bar shown on another workspace is out of sight: it comes here.
    if (m_bar.barShown() && m_bar.windowEffects().onCurrentWorkspace(m_bar)) {
        m_bar.close();
        return;
    }
    openBar(true);
    m_bar.RememberFirstEntry();
}

void BarRequests::showHandedOverWords()
{
    if (!m_bar.barShown() || !m_bar.isVisible())
        m_bar.AppRestore();
    bringToThisWorkspace();
    m_bar.raise();
    m_bar.activateWindow();
    readHandedOverWords();
    m_bar.EnterPhraseFromOutside(m_handedOverWords);
    m_bar.RememberFirstEntry();
}

void BarRequests::bringToThisWorkspace()
{
    // Sticky again, in case somebody moved the bar to one workspace.
    if (!m_bar.windowEffects().onCurrentWorkspace(m_bar))
        m_bar.windowEffects().showOnEveryWorkspace(m_bar);
}

int BarRequests::readHandedOverWords()
{
    const HandOver handOver = kvel::readHandOver(m_settingsFile);
    m_handedOverWords = handOver.paramStr;
    return handOver.paramCount;
}

} // namespace kvel
