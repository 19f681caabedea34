// SPDX-License-Identifier: GPL-2.0-or-later
// The Help menu (texts in the translation window, the help file, the
// documentation pages, the mail links), pronunciation, and the entries Kvel
// keeps in the desktop: autostart and the browser menu.
#include "lookup/store/ConvertingDictionaryStore.h"
#include "phrasebar/BarDictionary.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "shell/autostart/AutoStart.h"
#include "shell/browser/BrowserMenu.h"
#include "shell/help/HelpFile.h"
#include "shell/help/MailLink.h"
#include "shell/help/WebPages.h"
#include "shell/speech/SpeechEngine.h"
#include "shell/speech/SpokenPhrase.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>

namespace kvel {

void TKvelMainForm::showHelp(const BalloonContent& content)
{
    showDisplay(content);
}

void TKvelMainForm::HelpIndexClick()
{
    if (const auto problem =
            openHelpFile(*m_helpDesktop, helpFilePaths(QCoreApplication::applicationDirPath())))
        showHelp(helpFileErrorContent(*problem));
}

void TKvelMainForm::HelpKeyboardClick()
{
    showHelp(keyboardListContent(FHotKey, FHookOn == 1));
}

void TKvelMainForm::HelpTipOfTheDayClick()
{
    showHelp(tipContent(FTipCounter.next(QDate::currentDate())));
}

void TKvelMainForm::HelpDonationsClick()
{
    showHelp(donationsContent());
}

void TKvelMainForm::AboutClick()
{
    // No version while the dictionary converts: the bar never waits for it.
    showHelp(aboutContent(m_dictionary.store().ready() ? m_dictionary.store().readVersion()
                                                       : QString()));
}

void TKvelMainForm::setSpeechEngine(std::unique_ptr<SpeechEngine> engine)
{
    m_speech = std::move(engine);
}

void TKvelMainForm::SpeakFirstPhrase()
{
    const BalloonContent* shown = shownContent();
    if (!shown || FSpeech != 1 || !m_speech)
        return;
    if (const std::optional<QString> phrase = phraseToSpeak(*shown))
        m_speech->speak(*phrase);
}

void TKvelMainForm::RegisterIEMenu()
{
    if (m_settingsUnreadable && !m_browserItemChosen)
        return;
    kvel::RegisterIEMenu(FIEMenu, FInterfaceLang, QCoreApplication::applicationFilePath());
}

void TKvelMainForm::WinAutostartClick(bool checked)
{
    // The setting follows only what really happened to the autostart entry.
    if (SetAutoStart(checked, QCoreApplication::applicationFilePath()))
        FAutoStart = checked ? 1 : 0;
}

void TKvelMainForm::connectHelpCommands()
{
    const QString docs = documentationDir(QCoreApplication::applicationDirPath());
    const auto openPage = [this, docs](const char* name, WebPage page) {
        if (QAction* action = menuAction(QLatin1String(name)))
            connect(action, &QAction::triggered, this,
                    [docs, page] { QDesktopServices::openUrl(webPageUrl(page, docs)); });
    };
    openPage("HomePage", WebPage::Home);
    openPage("WhatsNew", WebPage::WhatsNew);
    openPage("ThisProjectsPage", WebPage::ThisProject);
    openPage("TechnicalSupport", WebPage::TechnicalSupport);

    const auto openMail = [this](const char* name, MailKind kind) {
        if (QAction* action = menuAction(QLatin1String(name)))
            connect(action, &QAction::triggered, this,
                    [kind] { QDesktopServices::openUrl(mailLink(kind)); });
    };
    openMail("Miscellaneous", MailKind::Miscellaneous);
    openMail("Improvement", MailKind::Improvement);
    openMail("Bug", MailKind::Bug);
    openMail("Ask", MailKind::Ask);
    openMail("Register", MailKind::Register);
}

} // namespace kvel
