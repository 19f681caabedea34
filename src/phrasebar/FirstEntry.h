// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "balloon/logic/BalloonMarkup.h"
#include "core/SearchSettings.h"

#include <QList>
#include <QString>
#include <optional>

namespace kvel {

enum class CopyMode
{
    Phrase = 0,
    Meanings = 1,
    PhraseAndMeanings = 2
};

// A line starts a dictionary entry when its first character is a red or blue head.
bool lineStartsEntry(const QList<FormattedLine>& lines, qsizetype index);

// Whether the window shows dictionary entries at all.
bool firstEntryShown(const QList<FormattedLine>& lines);

// The first entry's phrase when its head is of a colour the search language
// accepts (Both: red or blue, English: red, Serbian: blue); empty otherwise.
QString rememberedPhrase(const QList<FormattedLine>& lines, SearchLanguage language);

// The clipboard text for the first entry; its meanings take in the lines that
// wrapping continued it on. Nothing when the first line is not an entry.
std::optional<QString> firstEntryText(const QList<FormattedLine>& lines, CopyMode mode);

} // namespace kvel
