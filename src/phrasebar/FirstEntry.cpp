// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/FirstEntry.h"

#include "core/content/ContentMarkup.h"
#include "core/text/PhraseNormalizer.h"

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

bool acceptedBy(HeadLanguage head, SearchLanguage language)
{
    switch (language) {
    case SearchLanguage::English:
        return head == HeadLanguage::English;
    case SearchLanguage::Serbian:
        return head == HeadLanguage::Serbian;
    case SearchLanguage::Both:
        break;
    }
    return true;
}

// The window draws a text's line breaks as separate lines; copied, they are joined.
QString oneLine(const QString& text)
{
    return trimControl(splitAtLineBreaks(text).join(QString()));
}

} // namespace

bool firstEntryShown(const BalloonContent& content)
{
    return content.firstEntry() != nullptr;
}

QString rememberedPhrase(const BalloonContent& content, SearchLanguage language)
{
    const DictionaryEntry* first = content.firstEntry();
    if (!first || !acceptedBy(first->language, language))
        return QString();
    return oneLine(first->headword);
}

std::optional<QString> firstEntryText(const BalloonContent& content, CopyMode mode)
{
    const DictionaryEntry* first = content.firstEntry();
    if (!first)
        return std::nullopt;
    const QString phrase = oneLine(first->headword);
    const QString meanings = oneLine(first->wholeMeanings);
    switch (mode) {
    case CopyMode::Phrase:
        return phrase;
    case CopyMode::Meanings:
        return meanings;
    case CopyMode::PhraseAndMeanings:
        break;
    }
    return phrase + u'\t' + meanings;
}

} // namespace kvel
