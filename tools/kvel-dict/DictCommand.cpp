// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/DictCommand.h"

#include "common/HelpOrVersion.h"
#include "kvel-dict/BuildArguments.h"
#include "kvel-dict/BuildError.h"
#include "kvel-dict/DictionaryRows.h"
#include "kvel-dict/GuardedJetReader.h"
#include "kvel-dict/OutputCheck.h"
#include "kvel-dict/SqliteDictionaryWriter.h"
#include "lookup/index/file/IndexFileLocation.h"
#include "lookup/index/file/IndexFileMaking.h"

#include <QFile>
#include <new>

namespace kvel::dictbuild {

namespace {

QString errorLine(const QString& message)
{
    return QStringLiteral("kvel-dict: %1\n").arg(message);
}

} // namespace

DictCommandResult runDictCommand(const QStringList& arguments)
{
    if (const auto text = helpOrVersionText(arguments, QStringLiteral("kvel-dict"), usageText()))
        return {DictExitCode::Success, *text, QString()};
    const ParsedArguments parsed = parseBuildArguments(arguments);
    if (parsed.helpRequested) {
        return {DictExitCode::Success, usageText(), QString()};
    }
    if (!parsed.error.isEmpty()) {
        return {DictExitCode::Usage, QString(), errorLine(parsed.error) + usageText()};
    }
    try {
        const BuildRequest& request = parsed.request;
        refuseOutputAmongSources(request);
        // Rows of Access dictionaries are finished: they keep their order and
        // text, and come before the merged rows of the other sources.
        QList<DictionaryRow> rows;
        std::optional<QString> version = request.version;
        QList<SourceEntries> entrySources;
        for (const DictionarySource& source : request.sources) {
            if (source.format == DictionarySource::Format::Access) {
                const JetDictionary jet = readJetDictionaryInChild(source.path);
                rows += jet.rows;
                if (!request.versionGiven && request.sources.size() == 1) {
                    version = jet.version;
                }
            } else {
                entrySources.append(readDictionarySource(source));
            }
        }
        if (!entrySources.isEmpty()) {
            rows += makeDictionaryRows(entrySources);
        }
        SqliteDictionaryWriter(request.outputPath).write(rows, version);
        // The dictionary first, then its index: an index left from an older
        // build would otherwise name rows that are gone.
        const QString indexFile = indexFileBeside(request.outputPath);
        if (!makeIndexFile(request.outputPath, indexFile)) {
            QFile::remove(indexFile);
            throw BuildError(
                QStringLiteral("%1: the index file could not be written").arg(indexFile));
        }
        return {DictExitCode::Success, QString(), QString()};
    } catch (const BuildError& error) {
        return {DictExitCode::BuildFailed, QString(), errorLine(error.message())};
    } catch (const std::bad_alloc&) {
        return {DictExitCode::BuildFailed, QString(),
                errorLine(QStringLiteral("out of memory: the sources are too large"))};
    } catch (const std::exception& error) {
        return {DictExitCode::BuildFailed, QString(),
                errorLine(QString::fromLocal8Bit(error.what()))};
    }
}

} // namespace kvel::dictbuild
