// SPDX-License-Identifier: GPL-2.0-or-later
// kvel-synthetic-dict -o FILE [--entries N] [--seed S]: writes the synthetic
// dictionary the benchmark measures at scale, as kvel-dict would write it:
// with its index file FILE.kvx beside it.
#include "SyntheticDictionary.h"
#include "kvel-dict/BuildError.h"
#include "kvel-dict/SqliteDictionaryWriter.h"
#include "lookup/index/file/IndexFileLocation.h"
#include "lookup/index/file/IndexFileMaking.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption output(u"o"_s, u"Dictionary file to write."_s, u"FILE"_s);
    const QCommandLineOption entries(u"entries"_s, u"Number of rows."_s, u"N"_s, u"1000000"_s);
    const QCommandLineOption seed(u"seed"_s, u"Random seed."_s, u"S"_s, u"20240601"_s);
    parser.addOptions({output, entries, seed});
    parser.addHelpOption();
    parser.process(app);
    bool entriesOk = false;
    bool seedOk = false;
    const int count = parser.value(entries).toInt(&entriesOk);
    const quint32 seedValue = parser.value(seed).toUInt(&seedOk);
    if (!parser.isSet(output) || !entriesOk || count < 0 || !seedOk) {
        std::fputs("usage: kvel-synthetic-dict -o FILE [--entries N] [--seed S]\n", stderr);
        return 2;
    }
    try {
        kvel::dictbuild::SqliteDictionaryWriter(parser.value(output))
            .write(kvel::bench::syntheticRows(count, seedValue), u"2.5"_s);
    } catch (const kvel::dictbuild::BuildError& error) {
        std::fprintf(stderr, "kvel-synthetic-dict: %s\n", qPrintable(error.message()));
        return 1;
    }
    const QString indexFile = kvel::indexFileBeside(parser.value(output));
    if (!kvel::makeIndexFile(parser.value(output), indexFile)) {
        std::fprintf(stderr, "kvel-synthetic-dict: %s: the index file could not be written\n",
                     qPrintable(indexFile));
        return 1;
    }
    return 0;
}
