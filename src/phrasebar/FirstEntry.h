// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"
#include "core/content/BalloonContent.h"

#include <QString>
#include <optional>

namespace kvel {

enum class CopyMode
{
    Phrase = 0,
    Meanings = 1,
    PhraseAndMeanings = 2
};

// Whether the window shows a dictionary entry the bar's commands work on
// (see BalloonContent::firstEntry).
bool firstEntryShown(const BalloonContent& content);

// The first entry's headword when its language is one the search language
// accepts (Both: either, English, Serbian: that one); empty otherwise.
QString rememberedPhrase(const BalloonContent& content, SearchLanguage language);

// The clipboard text for the first entry: its headword and its meanings
// whole, each on one line. Nothing when no entry is shown.
std::optional<QString> firstEntryText(const BalloonContent& content, CopyMode mode);

} // namespace kvel
