// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/help/HelpContent.h"
#include "shell/help/HelpFile.h"
#include "shell/help/MailLink.h"
#include "shell/help/TipOfTheDay.h"
#include "shell/help/WebPages.h"
#include "shell/settings/Preferences.h"

#include <functional>
#include <memory>

namespace kvel {

class ConvertingDictionaryStore;

// The Help menu's commands: the texts the translation window shows (the tip
// counter of this run included), the help file, the documentation pages and
// the prepared mails.
class HelpCommands
{
public:
    // `show` puts a text in the translation window as the bar shows its lookups;
    // `hotKeyTaken` says whether another program holds the chosen hot key.
    HelpCommands(std::unique_ptr<HelpFileDesktop> desktop, ConvertingDictionaryStore& store,
                 const Preferences& preferences, std::function<void(const BalloonContent&)> show,
                 std::function<bool()> hotKeyTaken);
    ~HelpCommands();

    // Opens the help file; shows a notice only when it did not open.
    void openHelpFile();
    // Names the hot key and its state as the preferences stand.
    void showKeyboardList();
    void showNextTip();
    void showDonations();
    // Without the dictionary's version while it converts: the bar never waits for it.
    void showAbout();
    // A help text the window shows, shown again (another language, a moved
    // bar, another hot key); false when the window shows no help text.
    bool showAgain(ContentKind shownKind);

    void openPage(WebPage page) const;
    void openMail(MailKind kind) const;

private:
    std::unique_ptr<HelpFileDesktop> m_desktop;
    ConvertingDictionaryStore& m_store;
    const Preferences& m_preferences;
    std::function<void(const BalloonContent&)> m_show;
    std::function<bool()> m_hotKeyTaken;
    TipOfTheDay m_tips;
};

} // namespace kvel
