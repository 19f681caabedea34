#pragma once

#include "SourceEntry.h"

#include <QString>
#include <optional>

namespace kvel::dictbuild {

// A SOURCE argument: "english:PATH" or "serbian:PATH", the language of its headwords.
struct DictionarySource
{
    int selected = 0; // the Selected value of its rows
    QString path;

    bool operator==(const DictionarySource&) const = default;
};

// Nothing for an unknown prefix or an empty path.
std::optional<DictionarySource> parseSourceArgument(const QString& argument);

// A path ending in ".tsv" is a TSV file; anything else a dictd dictionary.
SourceEntries readDictionarySource(const DictionarySource& source);

} // namespace kvel::dictbuild
