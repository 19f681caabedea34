// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/FirstEntryCommands.h"

#include "shell/recent/RecentPhrases.h"
#include "shell/speech/SpokenPhrase.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kvel {

FirstEntryCommands::FirstEntryCommands(const QPointer<TBalloonForm>& balloon,
                                       Preferences& preferences)
    : m_balloon(balloon), m_preferences(preferences)
{}

FirstEntryCommands::~FirstEntryCommands() = default;

const BalloonContent* FirstEntryCommands::shown() const
{
    return m_balloon && m_balloon->isVisible() ? &m_balloon->content() : nullptr;
}

bool FirstEntryCommands::entryShown() const
{
    const BalloonContent* content = shown();
    return content && firstEntryShown(*content);
}

bool FirstEntryCommands::pronounceable() const
{
    const BalloonContent* content = shown();
    return content && phraseToSpeak(*content);
}

bool FirstEntryCommands::remember()
{
    const BalloonContent* content = shown();
    if (!content)
        return false;
    const SearchLanguage language = m_preferences.searchLanguage();
    const QString phrase = rememberedPhrase(*content, language);
    if (phrase.isEmpty())
        return false;
    AddRecentPhrase(m_preferences.recentList(language), phrase,
                    m_preferences.flag(Preference::SaveRecent));
    return true;
}

void FirstEntryCommands::copy(CopyMode mode)
{
    const BalloonContent* content = shown();
    if (!content)
        return;
    if (const std::optional<QString> text = firstEntryText(*content, mode))
        QGuiApplication::clipboard()->setText(*text);
}

void FirstEntryCommands::speak()
{
    if (m_preferences.flag(Preference::Speech))
        pronounce();
}

void FirstEntryCommands::pronounce()
{
    const BalloonContent* content = shown();
    if (!content || !m_speech)
        return;
    if (const std::optional<QString> phrase = phraseToSpeak(*content))
        m_speech->speak(*phrase);
}

} // namespace kvel
