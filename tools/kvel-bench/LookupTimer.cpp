// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-bench/LookupTimer.h"

#include "lookup/engine/LookupEngine.h"

#include <QFile>
#include <algorithm>
#include <chrono>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// Each phrase counts with the median of its runs: on a machine shared with
// other work, one run may include the time another process had the core.
constexpr int kRunsPerPhrase = 5;

double statusMegabytes(const QByteArray& field, const QString& file = u"/proc/self/status"_s)
{
    QFile status(file);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').front().toDouble() / 1024.0;
    }
    return 0;
}

} // namespace

LookupTimes timeLookups(LookupEngine& engine, const QStringList& phrases, FindMethod method,
                        SearchLanguage language, Matching matching, Inflection inflection)
{
    std::vector<double> samples;
    samples.reserve(std::size_t(phrases.size()));
    for (const QString& phrase : phrases) {
        std::vector<double> runs;
        for (int run = 0; run < kRunsPerPhrase; ++run) {
            const auto start = std::chrono::steady_clock::now();
            engine.lookUp(phrase, language, method, matching, inflection);
            const auto end = std::chrono::steady_clock::now();
            runs.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        samples.push_back(percentile(runs, 0.5));
    }
    return {method,
            language,
            matching,
            inflection,
            percentile(samples, 0.5),
            percentile(samples, 0.99),
            int(samples.size())};
}

double percentile(std::vector<double> samples, double share)
{
    if (samples.empty())
        return 0;
    const auto rank = std::size_t(std::ceil(share * double(samples.size())));
    const auto at =
        samples.begin() + std::ptrdiff_t(std::clamp<std::size_t>(rank, 1, samples.size()) - 1);
    std::nth_element(samples.begin(), at, samples.end());
    return *at;
}

double residentMegabytes()
{
    return statusMegabytes("VmRSS:");
}

double peakResidentMegabytes()
{
    return statusMegabytes("VmHWM:");
}

void restartPeakResidentMemory()
{
    // "5" resets the peak (VmHWM) to the current resident set.
    QFile clearRefs(u"/proc/self/clear_refs"_s);
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

double privateMegabytes()
{
    return statusMegabytes("Private_Dirty:", u"/proc/self/smaps_rollup"_s);
}

QString methodName(FindMethod method)
{
    switch (method) {
    case FindMethod::Begins:
        return u"begins"_s;
    case FindMethod::Contains:
        return u"contains"_s;
    case FindMethod::Ends:
        return u"ends"_s;
    case FindMethod::Whole:
        break;
    }
    return u"equals"_s;
}

QString languageName(SearchLanguage language)
{
    switch (language) {
    case SearchLanguage::English:
        return u"english"_s;
    case SearchLanguage::Serbian:
        return u"serbian"_s;
    case SearchLanguage::Both:
        break;
    }
    return u"both"_s;
}

} // namespace kvel
