// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"

#include <QString>
#include <QStringList>

namespace kvel {

// Where the lookup gets the dictionary forms of an inflected word ("datoteku"
// gives datoteka, "houses" house). Kept apart so the lookup can be tested
// without the analysers and the program runs without them.
class DictionaryForms
{
public:
    virtual ~DictionaryForms() = default;

    // Whether any analyser is installed: without one the preference does nothing.
    virtual bool available() const = 0;

    // Starts whatever slow loading the forms need, without waiting, so that
    // the first word typed with the preference on already finds its forms.
    virtual void prepare() {}

    // The dictionary forms of one word in `language` (English or Serbian),
    // without the word itself; empty while the analysers are still loading.
    virtual QStringList formsOf(const QString& word, SearchLanguage language) = 0;
};

} // namespace kvel
