// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-bench/BenchCommand.h"

#include "common/HelpOrVersion.h"
#include "kvel-bench/IndexFilePreparation.h"
#include "kvel-bench/LookupTimer.h"
#include "kvel-bench/QuerySet.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/forms/HunspellForms.h"
#include "lookup/store/DictionaryChecks.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/text/TolerantMatching.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <optional>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// Enough phrases for a stable 99th percentile, few enough to run in seconds.
constexpr int kDerivedQueries = 500;

constexpr FindMethod kMethods[] = {FindMethod::Begins, FindMethod::Contains, FindMethod::Ends,
                                   FindMethod::Whole};
constexpr SearchLanguage kLanguages[] = {SearchLanguage::Both, SearchLanguage::English,
                                         SearchLanguage::Serbian};

const QString kUsage =
    u"usage: kvel-bench [--db FILE] [--queries FILE] [--json] [--tolerant] [--forms]\n"
    u"                  [--index mapped|built]\n"
    u"       kvel-bench --help | --version\n"_s;

BenchResult usageError(const QString& message)
{
    return {2, QString(), u"kvel-bench: "_s + message + u'\n' + kUsage};
}

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

// What the lookups ran on, and the memory they left.
struct Measured
{
    QString index; // "mapped" or "built"
    double openMs;
    double rssMb;
    double peakMb;
    double privateMb;
};

QString asJson(const Measured& measured, const QList<LookupTimes>& all)
{
    QStringList results;
    for (const LookupTimes& times : all) {
        results << u"{\"method\": \"%1\", \"lang\": \"%2\", \"tolerant\": %3, \"forms\": %4, "
                   u"\"median_us\": %5, \"p99_us\": %6, \"queries\": %7}"_s
                       .arg(methodName(times.method), languageName(times.language),
                            times.matching == Matching::Tolerant ? u"true"_s : u"false"_s,
                            times.inflection == Inflection::WithDictionaryForms ? u"true"_s
                                                                                : u"false"_s,
                            number(times.medianUs), number(times.p99Us))
                       .arg(times.queries);
    }
    return u"{\"index\": \"%1\", \"open_ms\": %2, \"rss_mb\": %3, \"peak_rss_mb\": %4, "
           u"\"private_mb\": %5, \"results\": [%6]}\n"_s.arg(
               measured.index, number(measured.openMs), number(measured.rssMb),
               number(measured.peakMb), number(measured.privateMb), results.join(u", "_s));
}

QString asTable(const QString& path, const Measured& measured, const QList<LookupTimes>& all)
{
    QString text = u"dictionary %1 (%2 index)\nopened in %3 ms; resident memory %4 MB (peak %5 MB, "
                   u"private %6 MB)\n\n"_s.arg(path, measured.index, number(measured.openMs),
                                               number(measured.rssMb), number(measured.peakMb),
                                               number(measured.privateMb));
    text += u"method    language  median µs   p99 µs  queries\n"_s;
    for (const LookupTimes& times : all) {
        text += u"%1%2%3%4%5\n"_s
                    .arg(methodName(times.method).leftJustified(10),
                         languageName(times.language).leftJustified(8),
                         number(times.medianUs).rightJustified(11),
                         number(times.p99Us).rightJustified(9))
                    .arg(times.queries, 9);
    }
    return text;
}

} // namespace

BenchResult runBenchCommand(const QStringList& arguments, const QString& defaultDictionary)
{
    if (const auto text = helpOrVersionText(arguments, u"kvel-bench"_s, kUsage))
        return {0, *text, QString()};

    QCommandLineParser parser;
    const QCommandLineOption db(u"db"_s, QString(), u"FILE"_s);
    const QCommandLineOption queries(u"queries"_s, QString(), u"FILE"_s);
    const QCommandLineOption json(u"json"_s);
    const QCommandLineOption tolerant(u"tolerant"_s);
    const QCommandLineOption forms(u"forms"_s);
    const QCommandLineOption index(u"index"_s, QString(), u"mapped|built"_s, u"mapped"_s);
    parser.addOptions({db, queries, json, tolerant, forms, index});
    if (!parser.parse(QStringList{u"kvel-bench"_s} + arguments))
        return usageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(u"unexpected argument "_s + parser.positionalArguments().front());
    const QString path = parser.isSet(db) ? parser.value(db) : defaultDictionary;
    if (parser.value(index) != u"mapped"_s && parser.value(index) != u"built"_s)
        return usageError(u"--index takes mapped or built"_s);

    QStringList phrases;
    if (parser.isSet(queries)) {
        const auto read = QuerySet::readFile(parser.value(queries));
        if (!read)
            return {1, QString(), u"kvel-bench: cannot read "_s + parser.value(queries) + u'\n'};
        phrases = *read;
    } else {
        phrases = QuerySet::derive(path, kDerivedQueries);
    }

    // Tolerant lookups are also timed as they are typed: without the marks.
    const Matching matching = parser.isSet(tolerant) ? Matching::Tolerant : Matching::Exact;
    if (matching == Matching::Tolerant) {
        for (const QString& phrase : QStringList(phrases)) {
            const QString unmarked = tolerantKey(tolerantForm(phrase));
            if (unmarked != phrase.toLower())
                phrases << unmarked;
        }
    }

    // The analysers load before the clock starts: their cost is the resident
    // memory and each lookup's time, not the dictionary's opening.
    const Inflection inflection =
        parser.isSet(forms) ? Inflection::WithDictionaryForms : Inflection::PhraseOnly;
    std::optional<HunspellForms> analysers;
    if (inflection == Inflection::WithDictionaryForms) {
        analysers.emplace();
        analysers->waitUntilLoaded();
    }

    // The index file is made before the clock starts, as it is made once
    // for many starts; a dictionary that cannot be indexed is run built.
    QTemporaryDir indexFolder;
    const QString indexFile = indexFolder.filePath(u"index.kvx"_s);
    const bool mapped = parser.value(index) == u"mapped"_s && indexFolder.isValid() &&
                        prepareIndexFile(path, indexFile);
    if (mapped)
        restartPeakResidentMemory();

    // Opening as the program does: the checks, then the first lookup, which
    // waits for the index the store started building (or mapping) when it
    // was created.
    QElapsedTimer opening;
    opening.start();
    IndexedDictionaryStore store =
        mapped ? IndexedDictionaryStore(path, MappedIndexFile::open(indexFile))
               : IndexedDictionaryStore(path);
    const BenchResult unusable{3, QString(),
                               u"kvel-bench: "_s + path + u" is not a usable dictionary\n"_s};
    if (!runDictionaryChecks(path, store).allPassed())
        return unusable;
    LookupEngine engine(store, analysers ? &*analysers : nullptr);
    // A file whose index could not be read within its budget is refused here.
    const std::optional<BalloonContent> first = engine.lookUp(
        phrases.value(0, u"a"_s), SearchLanguage::Both, FindMethod::Begins, matching, inflection);
    if (first && first->kind == ContentKind::DictionaryVersionNotice)
        return unusable;
    const double openMs = double(opening.nsecsElapsed()) / 1e6;
    if (phrases.isEmpty())
        return {1, QString(), u"kvel-bench: no phrases to look up\n"_s};

    QList<LookupTimes> all;
    for (const FindMethod method : kMethods) {
        for (const SearchLanguage language : kLanguages) {
            all << timeLookups(engine, phrases, method, language, matching, inflection);
        }
    }
    const Measured measured = {mapped ? u"mapped"_s : u"built"_s, openMs, residentMegabytes(),
                               peakResidentMegabytes(), privateMegabytes()};
    return {0, parser.isSet(json) ? asJson(measured, all) : asTable(path, measured, all),
            QString()};
}

} // namespace kvel
