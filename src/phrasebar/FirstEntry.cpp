// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/FirstEntry.h"

#include "core/text/PhraseNormalizer.h"

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

bool isEntryHead(const FormattedLine& line)
{
    return line.headLength > 0 &&
           (line.headColour == HeadColour::Red || line.headColour == HeadColour::Blue);
}

bool acceptedBy(HeadColour head, SearchLanguage language)
{
    switch (language) {
    case SearchLanguage::English:
        return head == HeadColour::Red;
    case SearchLanguage::Serbian:
        return head == HeadColour::Blue;
    case SearchLanguage::Both:
        break;
    }
    return head == HeadColour::Red || head == HeadColour::Blue;
}

} // namespace

bool lineStartsEntry(const QList<FormattedLine>& lines, qsizetype index)
{
    return index >= 0 && index < lines.size() && isEntryHead(lines[index]);
}

bool firstEntryShown(const QList<FormattedLine>& lines)
{
    return lineStartsEntry(lines, 0);
}

QString rememberedPhrase(const QList<FormattedLine>& lines, SearchLanguage language)
{
    if (!firstEntryShown(lines) || !acceptedBy(lines[0].headColour, language))
        return QString();
    return trimControl(lines[0].text.left(lines[0].headLength));
}

std::optional<QString> firstEntryText(const QList<FormattedLine>& lines, CopyMode mode)
{
    if (!firstEntryShown(lines))
        return std::nullopt;
    const FormattedLine& first = lines[0];
    const QString phrase = trimControl(first.text.left(first.headLength));
    QString meanings = trimControl(first.text.mid(first.headLength));
    for (qsizetype j = 1; j < lines.size() && !lineStartsEntry(lines, j); ++j)
        meanings += lines[j].text;
    meanings.remove(u'\r');
    meanings.remove(u'\n');

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
