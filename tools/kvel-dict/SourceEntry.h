// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kvel::dictbuild {

// A headword and its meanings as one source gives them, before transliteration
// and merging with the other sources.
struct SourceEntry
{
    QString word;
    QStringList meanings;

    bool operator==(const SourceEntry&) const = default;
};

// Every entry of one source, tagged with the Selected value its rows get.
struct SourceEntries
{
    int selected = 0;
    QList<SourceEntry> entries;
};

} // namespace kvel::dictbuild
