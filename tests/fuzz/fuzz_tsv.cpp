// SPDX-License-Identifier: GPL-2.0-or-later
// The TSV reader on any bytes, and the rows the builder makes from what it reads.

#include "FuzzCheck.h"
#include "core/SearchSettings.h"
#include "kvel-dict/BuildError.h"
#include "kvel-dict/DictionaryRows.h"
#include "kvel-dict/TsvReader.h"

#include <QSet>

using namespace Qt::StringLiterals;
using kvel::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<kvel::dictbuild::SourceEntry> entries;
    try {
        entries = kvel::dictbuild::parseTsv(bytes, u"fuzz.tsv"_s);
    } catch (const kvel::dictbuild::BuildError& error) {
        require(error.message().startsWith(u"fuzz.tsv:"_s), "an error names the file and line");
        return 0;
    }
    for (const kvel::dictbuild::SourceEntry& entry : std::as_const(entries))
        require(!entry.word.isEmpty(), "every entry has a word");

    // The same entries as both languages: English rows first, one row per
    // headword and language.
    const QList<kvel::DictionaryRow> rows = kvel::dictbuild::makeDictionaryRows(
        {{kvel::kSerbianHeadword, entries}, {kvel::kEnglishHeadword, entries}});
    require(rows.size() <= 2 * entries.size(), "no more rows than entries");
    QSet<std::pair<int, QString>> seen;
    bool serbianSeen = false;
    for (const kvel::DictionaryRow& row : rows) {
        serbianSeen = serbianSeen || row.selected == kvel::kSerbianHeadword;
        require(!serbianSeen || row.selected == kvel::kSerbianHeadword,
                "English headwords come first");
        require(!seen.contains({row.selected, row.word}), "one row per headword and language");
        seen.insert({row.selected, row.word});
    }
    return 0;
}
