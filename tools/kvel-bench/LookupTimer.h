// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kvel {

class LookupEngine;

// Per-lookup times of one method and language over a set of phrases.
struct LookupTimes
{
    FindMethod method;
    SearchLanguage language;
    Matching matching;
    Inflection inflection;
    double medianUs = 0;
    double p99Us = 0;
    int queries = 0;
};

// Runs every phrase through the whole lookup (query, rows, caption) and takes
// its wall time: per phrase the median of a few runs, over phrases the median
// and the 99th percentile.
LookupTimes timeLookups(LookupEngine& engine, const QStringList& phrases, FindMethod method,
                        SearchLanguage language, Matching matching,
                        Inflection inflection = Inflection::PhraseOnly);

// The value below which `share` (0..1) of the samples lie, by nearest rank.
double percentile(std::vector<double> samples, double share);

// The resident memory of this process now, and at its peak, in megabytes.
double residentMegabytes();
double peakResidentMegabytes();
// Starts the peak of resident memory afresh from what is resident now, so
// that work done before the measured part does not count in it.
void restartPeakResidentMemory();
// Memory of this process alone: the private dirty pages, which hold every
// anonymous page written, from /proc/self/smaps_rollup. A mapped index's
// clean file pages are shared and not counted.
double privateMegabytes();

QString methodName(FindMethod method);
QString languageName(SearchLanguage language);

} // namespace kvel
