#include "DictCommand.h"

#include "BuildArguments.h"
#include "BuildError.h"
#include "DictionaryRows.h"
#include "SqliteDictionaryWriter.h"

namespace kvel::dictbuild {

namespace {

QString errorLine(const QString& message)
{
    return QStringLiteral("kvel-dict: %1\n").arg(message);
}

} // namespace

DictCommandResult runDictCommand(const QStringList& arguments)
{
    const ParsedArguments parsed = parseBuildArguments(arguments);
    if (parsed.helpRequested) {
        return {DictExitCode::Success, usageText(), QString()};
    }
    if (!parsed.error.isEmpty()) {
        return {DictExitCode::Usage, QString(), errorLine(parsed.error) + usageText()};
    }
    try {
        QList<SourceEntries> sources;
        for (const DictionarySource& source : parsed.request.sources) {
            sources.append(readDictionarySource(source));
        }
        const QList<DictionaryRow> rows = makeDictionaryRows(sources);
        SqliteDictionaryWriter(parsed.request.outputPath).write(rows, parsed.request.version);
        return {DictExitCode::Success, QString(), QString()};
    } catch (const BuildError& error) {
        return {DictExitCode::BuildFailed, QString(), errorLine(error.message())};
    }
}

} // namespace kvel::dictbuild
