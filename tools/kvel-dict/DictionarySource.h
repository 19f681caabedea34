// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "kvel-dict/SourceEntry.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kvel::dictbuild {

// A SOURCE argument: "english:PATH" or "serbian:PATH", the language of its
// headwords, or "access:PATH", a dictionary in the Access format whose rows
// carry their own language.
struct DictionarySource
{
    enum class Format
    {
        Entries, // dictd or TSV entries, merged and sorted with the other sources
        Access,  // finished rows, kept as they are
    };

    int selected = 0; // the Selected value of its rows (Entries only)
    QString path;
    Format format = Format::Entries;

    bool operator==(const DictionarySource&) const = default;
};

// Nothing for an unknown prefix or an empty path.
std::optional<DictionarySource> parseSourceArgument(const QString& argument);

// An Entries source: a path ending in ".tsv" is a TSV file; anything else a
// dictd dictionary.
SourceEntries readDictionarySource(const DictionarySource& source);

// The files the source is read from, those of a dictd dictionary whether they
// exist or not.
QStringList sourceFiles(const DictionarySource& source);

} // namespace kvel::dictbuild
