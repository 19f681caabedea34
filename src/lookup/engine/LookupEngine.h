// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"
#include "core/content/BalloonContent.h"

#include <QString>
#include <optional>

namespace kvel {

class DictionaryForms;
class DictionaryStore;

// Turns the entry's raw text and the search settings into what the translation
// window shows, in the current interface language. The dictionary checks are
// the caller's: this runs only once they have passed; a file that fails them
// later shows the dictionary-version notice instead of its results.
class LookupEngine
{
public:
    // Without `forms`, lookups with dictionary forms show the phrase's rows only.
    explicit LookupEngine(DictionaryStore& store, DictionaryForms* forms = nullptr)
        : m_store(store), m_forms(forms)
    {}

    // Nothing when the window closes. A tolerant lookup shows the rows that
    // match exactly first, then those that match only tolerantly; with
    // dictionary forms, the rows of a single word's dictionary forms follow
    // (see DictionaryFormRows.h).
    std::optional<BalloonContent> lookUp(const QString& rawText, SearchLanguage language,
                                         FindMethod method, Matching matching = Matching::Exact,
                                         Inflection inflection = Inflection::PhraseOnly);

    // The meanings of one entry, for a phrase picked inside another entry's
    // meanings; empty when the phrase is not there exactly once.
    QString QueryMeaning(const QString& phrase, int selected);

private:
    DictionaryStore& m_store;
    DictionaryForms* m_forms;
};

// The most characters of one entry's meanings that the window shows: a
// meaning of a megabyte would take seconds to lay out at every keystroke.
inline constexpr int kShownMeaningLength = 2000;

// The meanings as the window shows them: whole up to kShownMeaningLength
// characters, else as many (one fewer rather than half a surrogate pair)
// followed by "…".
QString shownMeanings(const QString& meanings);

// The caption's pattern part, e.g. ": *HOUSE*" for "house" found by Contains.
QString patternSuffix(const QString& normalizedPhrase, FindMethod method);

} // namespace kvel
