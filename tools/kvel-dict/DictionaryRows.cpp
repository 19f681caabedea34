// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/DictionaryRows.h"

#include "core/SearchSettings.h"
#include "lookup/text/SerbianTransliteration.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace kvel::dictbuild {

namespace {

struct MergedEntry
{
    int selected = 0;
    QString word;
    QString foldedWord;
    QStringList meanings;
    QSet<QString> seen; // the meanings once there are too many to search one by one
};

// Most headwords have a handful of meanings, which a search finds faster than a
// set; a long list gets a set so that merging stays linear.
constexpr qsizetype kMeaningsSearched = 16;

void addMeaning(MergedEntry& entry, const QString& meaning)
{
    if (entry.seen.isEmpty() && entry.meanings.size() >= kMeaningsSearched) {
        entry.seen = QSet<QString>(entry.meanings.cbegin(), entry.meanings.cend());
    }
    if (entry.seen.isEmpty()) {
        if (!entry.meanings.contains(meaning)) {
            entry.meanings.append(meaning);
        }
    } else if (!entry.seen.contains(meaning)) {
        entry.seen.insert(meaning);
        entry.meanings.append(meaning);
    }
}

using EntryKey = std::pair<int, QString>;

bool storedBefore(const MergedEntry& a, const MergedEntry& b)
{
    const bool aEnglish = a.selected == kEnglishHeadword;
    const bool bEnglish = b.selected == kEnglishHeadword;
    if (aEnglish != bEnglish) {
        return aEnglish;
    }
    if (const int order = a.foldedWord.compare(b.foldedWord); order != 0) {
        return order < 0;
    }
    return a.word < b.word;
}

} // namespace

QList<DictionaryRow> makeDictionaryRows(const QList<SourceEntries>& sources)
{
    QList<MergedEntry> merged;
    QHash<EntryKey, qsizetype> positionOf;
    for (const SourceEntries& source : sources) {
        for (const SourceEntry& entry : source.entries) {
            const QString word = transliterateSerbianCyrillic(entry.word).simplified();
            const EntryKey key{source.selected, word};
            auto found = positionOf.constFind(key);
            if (found == positionOf.cend()) {
                found = positionOf.insert(key, merged.size());
                merged.append(MergedEntry{source.selected, word, word.toCaseFolded(), {}, {}});
            }
            MergedEntry& target = merged[*found];
            for (const QString& meaning : entry.meanings) {
                const QString latin = transliterateSerbianCyrillic(meaning).simplified();
                if (!latin.isEmpty()) {
                    addMeaning(target, latin);
                }
            }
        }
    }
    std::sort(merged.begin(), merged.end(), storedBefore);

    QList<DictionaryRow> rows;
    rows.reserve(merged.size());
    for (const MergedEntry& entry : merged) {
        rows.append(DictionaryRow{entry.word, entry.meanings.join(QLatin1StringView("; ")),
                                  entry.selected});
    }
    return rows;
}

} // namespace kvel::dictbuild
