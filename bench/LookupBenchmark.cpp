// SPDX-License-Identifier: GPL-2.0-or-later
// The lookup measured on several dictionaries, with the plain SQLite LIKE query
// on the same files as a peer and a check that the indexed store gives the
// reference store's rows for every phrase measured.
//
// kvel-lookup-bench --dictionary NAME=FILE[:PHRASES] ... [--phrases-out DIR]
//                   [Google Benchmark flags]
// --phrases-out writes each dictionary's phrases, normalised, to DIR/NAME.phrases
// so that bench/peers.py asks the peers the same.
#include "core/text/PhraseNormalizer.h"
#include "kvel-bench/LookupTimer.h"
#include "kvel-bench/QuerySet.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/index/file/IndexFileLocation.h"
#include "lookup/index/file/MappedIndexFile.h"
#include "lookup/sqlite/ReadOnlyDatabase.h"
#include "lookup/sqlite/SqliteStatement.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <future>
#include <optional>
#include <sqlite3.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

constexpr FindMethod kMethods[] = {FindMethod::Begins, FindMethod::Contains, FindMethod::Ends,
                                   FindMethod::Whole};
constexpr SearchLanguage kLanguages[] = {SearchLanguage::Both, SearchLanguage::English,
                                         SearchLanguage::Serbian};
// The LIKE query reads the whole table for a rare phrase: it gets this many.
constexpr int kLikePhrases = 60;

struct Dataset
{
    QString name;
    QString path;
    QStringList phrases;
};

QString likePattern(const QString& phrase, FindMethod method)
{
    switch (method) {
    case FindMethod::Begins:
        return phrase + u'%';
    case FindMethod::Contains:
        return u'%' + phrase + u'%';
    case FindMethod::Ends:
        return u'%' + phrase;
    case FindMethod::Whole:
        break;
    }
    return phrase;
}

const char* likeSql(SearchLanguage language)
{
    switch (language) {
    case SearchLanguage::English:
        return "select Word, Meaning, Selected from TblKvel "
               "where (Selected = -1) and (Word like ?1) limit 15";
    case SearchLanguage::Serbian:
        return "select Word, Meaning, Selected from TblKvel "
               "where (Selected = 0) and (Word like ?1) limit 15";
    case SearchLanguage::Both:
        break;
    }
    return "select Word, Meaning, Selected from TblKvel where (Word like ?1) limit 15";
}

void setTimes(benchmark::State& state, const std::vector<double>& samples)
{
    state.counters["median_us"] = percentile(samples, 0.5);
    state.counters["p99_us"] = percentile(samples, 0.99);
    state.counters["queries"] = double(samples.size());
}

void openDictionary(benchmark::State& state, const Dataset& data)
{
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        IndexedDictionaryStore store(data.path);
        LookupEngine engine(store);
        engine.lookUp(data.phrases.value(0), SearchLanguage::Both, FindMethod::Begins);
        state.counters["open_ms"] = double(timer.nsecsElapsed()) / 1e6;
        state.counters["index_mb"] = double(store.indexBytes()) / (1 << 20);
    }
}

// One store per dictionary for all its lookups, opened by the first of them so
// that no index is built in the background while another dictionary is opened.
class SharedStore
{
public:
    explicit SharedStore(QString path) : m_path(std::move(path)) {}
    IndexedDictionaryStore& get()
    {
        if (!m_store)
            m_store = std::make_unique<IndexedDictionaryStore>(m_path);
        return *m_store;
    }

private:
    QString m_path;
    std::unique_ptr<IndexedDictionaryStore> m_store;
};

void lookUp(benchmark::State& state, const Dataset& data, SharedStore* store, FindMethod method,
            SearchLanguage language)
{
    LookupEngine engine(store->get());
    for (auto _ : state) {
        const LookupTimes times =
            timeLookups(engine, data.phrases, method, language, Matching::Exact);
        state.counters["median_us"] = times.medianUs;
        state.counters["p99_us"] = times.p99Us;
        state.counters["queries"] = times.queries;
    }
}

void sqliteLike(benchmark::State& state, const Dataset& data, FindMethod method,
                SearchLanguage language)
{
    ReadOnlyDatabase database(data.path);
    for (auto _ : state) {
        std::vector<double> samples;
        for (const QString& phrase :
             data.phrases.first(std::min<qsizetype>(kLikePhrases, data.phrases.size()))) {
            const auto start = std::chrono::steady_clock::now();
            // Each query with a budget of its own, as the stores give them.
            SqliteStatement statement(database.connection(), likeSql(language));
            statement.bindText(1, likePattern(NormalizePhrase(phrase), method));
            int rows = 0;
            while (sqlite3_step(statement.get()) == SQLITE_ROW)
                benchmark::DoNotOptimize(statement.text(1).size() + ++rows);
            samples.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                    .count());
        }
        setTimes(state, samples);
    }
}

// Compares every phrase, method and language, with the index built in memory
// and with the index file beside the dictionary when there is one; two threads
// share the work because the reference reads the whole table for a phrase
// found nowhere.
void checkAgainstReference(benchmark::State& state, const Dataset& data)
{
    struct Outcome
    {
        int mismatches = 0;
        int mappedMismatches = 0;
        int mappedQueries = 0;
        std::vector<double> referenceUs;
    };
    const auto compare = [&data](int part, int parts) {
        Outcome outcome;
        SqliteDictionaryStore reference(data.path);
        IndexedDictionaryStore indexed(data.path);
        std::shared_ptr<const MappedIndexFile> indexFile =
            MappedIndexFile::open(indexFileBeside(data.path));
        std::optional<IndexedDictionaryStore> mapped;
        if (indexFile)
            mapped.emplace(data.path, std::move(indexFile));
        const auto differs = [](const auto& expected, const auto& actual) {
            const auto same = [](const DictionaryRow& a, const DictionaryRow& b) {
                return a.word == b.word && a.meaning == b.meaning && a.selected == b.selected;
            };
            return !expected || !actual ||
                   !std::equal(expected->begin(), expected->end(), actual->begin(), actual->end(),
                               same);
        };
        for (qsizetype i = part; i < data.phrases.size(); i += parts) {
            const QString phrase = NormalizePhrase(data.phrases[i]);
            if (phrase.isEmpty())
                continue;
            for (const FindMethod method : kMethods) {
                for (const SearchLanguage language : kLanguages) {
                    const auto start = std::chrono::steady_clock::now();
                    const auto expected =
                        reference.findRows(language, method, phrase, kMaxResultLines);
                    outcome.referenceUs.push_back(std::chrono::duration<double, std::micro>(
                                                      std::chrono::steady_clock::now() - start)
                                                      .count());
                    const char* index = nullptr;
                    if (differs(expected,
                                indexed.findRows(language, method, phrase, kMaxResultLines))) {
                        ++outcome.mismatches;
                        index = "built";
                    }
                    if (mapped) {
                        ++outcome.mappedQueries;
                        if (differs(expected,
                                    mapped->findRows(language, method, phrase, kMaxResultLines))) {
                            ++outcome.mappedMismatches;
                            index = "mapped";
                        }
                    }
                    if (index)
                        std::fprintf(stderr, "mismatch (%s): %s \"%s\" method %d language %d\n",
                                     index, qPrintable(data.name), qPrintable(phrase), int(method),
                                     int(language));
                }
            }
        }
        return outcome;
    };
    for (auto _ : state) {
        auto other = std::async(std::launch::async, compare, 1, 2);
        Outcome all = compare(0, 2);
        Outcome second = other.get();
        all.mismatches += second.mismatches;
        all.mappedMismatches += second.mappedMismatches;
        all.mappedQueries += second.mappedQueries;
        all.referenceUs.insert(all.referenceUs.end(), second.referenceUs.begin(),
                               second.referenceUs.end());
        state.counters["mismatches"] = all.mismatches;
        state.counters["mapped_mismatches"] = all.mappedMismatches;
        state.counters["mapped_queries"] = all.mappedQueries;
        state.counters["reference_median_us"] = percentile(all.referenceUs, 0.5);
        state.counters["reference_p99_us"] = percentile(all.referenceUs, 0.99);
        state.counters["queries"] = double(all.referenceUs.size());
        if (all.mismatches + all.mappedMismatches > 0)
            state.SkipWithError("results differ from the reference store");
    }
}

// NAME=FILE or NAME=FILE:PHRASES, PHRASES the number of derived phrases.
std::optional<Dataset> parseDataset(const QString& argument)
{
    const qsizetype equals = argument.indexOf(u'=');
    if (equals <= 0)
        return std::nullopt;
    Dataset data{argument.left(equals), argument.mid(equals + 1), {}};
    int count = 300;
    if (const qsizetype colon = data.path.lastIndexOf(u':'); colon > 0) {
        bool ok = false;
        count = data.path.mid(colon + 1).toInt(&ok);
        if (!ok || count <= 0)
            return std::nullopt;
        data.path.truncate(colon);
    }
    data.phrases = QuerySet::derive(data.path, count);
    if (data.phrases.isEmpty())
        return std::nullopt;
    return data;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<Dataset> datasets;
    QString phrasesOut;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--phrases-out") == 0 && i + 1 < argc) {
            phrasesOut = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(argv[i], "--dictionary") == 0 && i + 1 < argc) {
            const auto data = parseDataset(QString::fromLocal8Bit(argv[++i]));
            if (!data) {
                std::fprintf(stderr, "kvel-lookup-bench: cannot use dictionary %s\n", argv[i]);
                return 2;
            }
            datasets.push_back(*data);
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (datasets.empty()) {
        std::fputs("usage: kvel-lookup-bench --dictionary NAME=FILE[:PHRASES] ... "
                   "[benchmark flags]\n",
                   stderr);
        return 2;
    }

    for (const Dataset& data : datasets) {
        if (phrasesOut.isEmpty())
            break;
        QFile file(phrasesOut + u'/' + data.name + u".phrases"_s);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "kvel-lookup-bench: cannot write %s\n",
                         qPrintable(file.fileName()));
            return 2;
        }
        for (const QString& phrase : data.phrases)
            file.write(NormalizePhrase(phrase).toUtf8() + '\n');
    }

    std::vector<std::unique_ptr<SharedStore>> stores;
    for (const Dataset& data : datasets) {
        const std::string name = data.name.toStdString();
        benchmark::RegisterBenchmark(("open/" + name).c_str(), openDictionary, data)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        stores.push_back(std::make_unique<SharedStore>(data.path));
        for (const FindMethod method : kMethods) {
            for (const SearchLanguage language : kLanguages) {
                const std::string suffix = "/" + name + "/" + methodName(method).toStdString() +
                                           "/" + languageName(language).toStdString();
                benchmark::RegisterBenchmark(("kvel" + suffix).c_str(), lookUp, data,
                                             stores.back().get(), method, language)
                    ->Iterations(1)
                    ->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark(("sqlite_like" + suffix).c_str(), sqliteLike, data,
                                             method, language)
                    ->Iterations(1)
                    ->Unit(benchmark::kMillisecond);
            }
        }
        benchmark::RegisterBenchmark(("check/" + name).c_str(), checkAgainstReference, data)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
    int count = int(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
