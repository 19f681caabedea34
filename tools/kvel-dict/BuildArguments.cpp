// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/BuildArguments.h"

#include "core/strings/StringTable.h"
#include "lookup/store/DictionaryChecks.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace kvel::dictbuild {

namespace {

const auto kDefaultVersion = QStringLiteral("2.5");

ParsedArguments usageError(const QString& message)
{
    ParsedArguments parsed;
    parsed.error = message;
    return parsed;
}

// The dictionary checks read the version as a number with "." as separator.
bool isVersionNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral(R"(^\d+(\.\d+)?$)"));
    return number.match(text).hasMatch();
}

} // namespace

ParsedArguments parseBuildArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption output(QStringLiteral("o"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption version(QStringLiteral("version"), QString(),
                                     QStringLiteral("VERSION"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({output, version, help});
    // QCommandLineParser expects the program name first.
    if (!parser.parse(QStringList{QStringLiteral("kvel-dict")} + arguments)) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(help)) {
        ParsedArguments parsed;
        parsed.helpRequested = true;
        return parsed;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        return usageError(QStringLiteral("missing command \"build\""));
    }
    if (positional.front() != u"build") {
        return usageError(QStringLiteral("unknown command \"%1\"").arg(positional.front()));
    }
    positional.removeFirst();

    ParsedArguments parsed;
    const QStringList outputs = parser.values(output);
    if (outputs.isEmpty() || outputs.front().isEmpty()) {
        return usageError(QStringLiteral("missing -o FILE"));
    }
    if (outputs.size() > 1) {
        return usageError(QStringLiteral("-o given more than once"));
    }
    parsed.request.outputPath = outputs.front();

    const QStringList versions = parser.values(version);
    if (versions.size() > 1) {
        return usageError(QStringLiteral("--version given more than once"));
    }
    parsed.request.versionGiven = !versions.isEmpty();
    parsed.request.version = versions.isEmpty() ? kDefaultVersion : versions.front();
    if (!isVersionNumber(parsed.request.version)) {
        return usageError(QStringLiteral("--version \"%1\" is not a number such as 2.5")
                              .arg(parsed.request.version));
    }
    // A dictionary Kvel refuses to read is no use to write.
    if (!DictionaryVersionOk(parsed.request.version)) {
        return usageError(QStringLiteral("--version \"%1\" is not one Kvel reads (%2 to %3)")
                              .arg(parsed.request.version,
                                   LoadText(StringId::DictionaryVersionOldest),
                                   LoadText(StringId::DictionaryVersionNewest)));
    }

    if (positional.isEmpty()) {
        return usageError(QStringLiteral("no SOURCE given"));
    }
    for (const QString& argument : positional) {
        const std::optional<DictionarySource> source = parseSourceArgument(argument);
        if (!source) {
            return usageError(
                QStringLiteral(
                    "unknown SOURCE \"%1\" (expected english:PATH, serbian:PATH or access:PATH)")
                    .arg(argument));
        }
        parsed.request.sources.append(*source);
    }
    return parsed;
}

QString usageText()
{
    return QStringLiteral(
        "usage: kvel-dict build -o FILE [--version 2.5] SOURCE...\n"
        "       kvel-dict --help | --version\n"
        "Builds a Kvel dictionary (SQLite) from the sources, in order.\n"
        "  SOURCE  english:PATH or serbian:PATH, the language of the headwords\n"
        "  PATH    a dictd dictionary (its .index file, or the path without extension,\n"
        "          with .dict or .dict.dz beside it) or a .tsv file of word<TAB>meaning\n"
        "  SOURCE  access:PATH, a Kvel dictionary in the Access (Jet) format: its rows\n"
        "          come first, as stored, and alone it keeps its version unless\n"
        "          --version is given\n");
}

} // namespace kvel::dictbuild
