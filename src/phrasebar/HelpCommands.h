// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/help/HelpContent.h"
#include "shell/help/HelpFile.h"
#include "shell/help/MailLink.h"
#include "shell/help/TipOfTheDay.h"
#include "shell/help/WebPages.h"
#include "shell/settings/Preferences.h"

#include <memory>
#include <optional>

namespace kvel {

class ConvertingDictionaryStore;

// The Help menu's commands: the texts the translation window shows (the tip
// counter of this run included), the help file, the documentation pages and
// the prepared mails.
class HelpCommands
{
public:
    HelpCommands(std::unique_ptr<HelpFileDesktop> desktop, ConvertingDictionaryStore& store);
    ~HelpCommands();

    // Opens the help file; nothing when it opened, else the notice to show.
    std::optional<BalloonContent> openHelpFile();
    BalloonContent keyboardList(HotKey key, bool hotKeyOn) const;
    // The next tip, or the one shown last again (another language, a moved bar).
    BalloonContent nextTip();
    BalloonContent repeatedTip();
    BalloonContent donations() const;
    // Without the dictionary's version while it converts: the bar never waits for it.
    BalloonContent about() const;

    void openPage(WebPage page) const;
    void openMail(MailKind kind) const;

private:
    std::unique_ptr<HelpFileDesktop> m_desktop;
    ConvertingDictionaryStore& m_store;
    TipOfTheDay m_tips;
};

} // namespace kvel
