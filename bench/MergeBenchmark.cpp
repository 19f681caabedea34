// SPDX-License-Identifier: GPL-2.0-or-later
// How long kvel-dict takes to merge a million source entries into the rows it
// stores: the synthetic dictionary's rows, and the two shapes that once took
// quadratic time, one headword with a million distinct meanings and a million
// entries of one headword with a meaning each.
//
// kvel-merge-bench [Google Benchmark flags]
#include "SyntheticDictionary.h"
#include "core/SearchSettings.h"
#include "kvel-dict/DictionaryRows.h"

#include <benchmark/benchmark.h>

using namespace kvel;
using namespace kvel::dictbuild;
using namespace Qt::StringLiterals;

namespace {

constexpr int kEntries = 1'000'000;

// The synthetic rows as an English and a Serbian source, meanings split again.
QList<SourceEntries> syntheticSources()
{
    QList<SourceEntries> sources = {{kEnglishHeadword, {}}, {kSerbianHeadword, {}}};
    for (const DictionaryRow& row : bench::syntheticRows(kEntries, 20240601)) {
        sources[row.selected == kEnglishHeadword ? 0 : 1].entries.append(
            SourceEntry{row.word, row.meaning.split(u"; "_s)});
    }
    return sources;
}

QList<SourceEntries> oneHeadwordManyMeanings()
{
    SourceEntry entry{u"word"_s, {}};
    for (int i = 0; i < kEntries; ++i)
        entry.meanings.append(u"meaning %1"_s.arg(i));
    return {{kEnglishHeadword, {entry}}};
}

QList<SourceEntries> oneHeadwordManyEntries()
{
    SourceEntries source{kEnglishHeadword, {}};
    for (int i = 0; i < kEntries; ++i)
        source.entries.append(SourceEntry{u"word"_s, {u"meaning %1"_s.arg(i)}});
    return {source};
}

void merge(benchmark::State& state, QList<SourceEntries> (*makeSources)())
{
    const QList<SourceEntries> sources = makeSources();
    for (auto _ : state)
        benchmark::DoNotOptimize(makeDictionaryRows(sources));
}

} // namespace

BENCHMARK_CAPTURE(merge, synthetic_1m_rows, syntheticSources)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(merge, one_headword_1m_meanings, oneHeadwordManyMeanings)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(merge, one_headword_1m_entries, oneHeadwordManyEntries)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK_MAIN();
