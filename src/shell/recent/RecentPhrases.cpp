// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/recent/RecentPhrases.h"

#include "core/strings/StringTable.h"
#include "core/text/PhraseNormalizer.h"

namespace kvel {

namespace {

qsizetype indexIgnoringCase(const QStringList& list, const QString& phrase)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].compare(phrase, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString lowerCasePlaceholder()
{
    return lowerCaseAscii(LoadLngText(StringId::RecentNone));
}

} // namespace

void AddRecentPhrase(QStringList& list, const QString& phrase, bool saveRecent)
{
    if (!saveRecent || lowerCaseAscii(phrase) == lowerCasePlaceholder())
        return;

    const qsizetype found = indexIgnoringCase(list, phrase);
    if (found < 0)
        list.prepend(upperCaseAscii(phrase));
    else
        list.swapItemsAt(0, found);

    while (list.size() > kMaxRecentPhrases)
        list.removeLast();
}

QStringList recentMenuCaptions(const QStringList& list)
{
    QStringList captions;
    for (qsizetype slot = 0; slot < kMaxRecentPhrases; ++slot)
        captions << (slot < list.size() ? upperCaseAscii(list[slot])
                                        : LoadLngText(StringId::RecentNone));
    return captions;
}

std::optional<QString> recentPhraseOfCaption(const QString& caption)
{
    QString phrase = caption;
    phrase.remove(u'&');
    phrase = lowerCaseAscii(phrase);
    if (phrase == lowerCasePlaceholder())
        return std::nullopt;
    return phrase;
}

} // namespace kvel
