// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-lookup/LookupCommand.h"

#include "common/HelpOrVersion.h"
#include "core/content/ContentMarkup.h"
#include "core/strings/StringTable.h"
#include "kvel-lookup/JsonText.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/forms/HunspellForms.h"
#include "lookup/store/ConvertingDictionaryStore.h"
#include "lookup/store/DictionaryChecks.h"
#include "lookup/store/IndexedDictionaryStore.h"

#include <QCommandLineParser>
#include <optional>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

const QString kUsage = QStringLiteral(
    "usage: kvel-lookup [--db FILE] [--lang both|english|serbian] "
    "[--method begins|contains|ends|equals]\n"
    "                   [--tolerant] [--forms] [--ui serbian|english] [--json] [--] WORDS...\n"
    "       kvel-lookup [--db FILE] [--json] --meaning --selected -1|0 [--] WORDS...\n"
    "       kvel-lookup --help | --version\n");

template <typename T>
std::optional<T> choose(const QString& value,
                        std::initializer_list<std::pair<const char*, T>> names)
{
    for (const auto& [name, code] : names) {
        if (value == QLatin1String(name))
            return code;
    }
    return std::nullopt;
}

CommandResult usageError(const QString& message)
{
    return {ExitCode::Usage, QString(), QStringLiteral("kvel-lookup: ") + message + u'\n' + kUsage};
}

// Codes become two blanks, as the window draws them.
QString plainLine(QString line)
{
    return line.replace(u"~0"_s, u"  "_s).replace(u"~1"_s, u"  "_s).replace(u"~2"_s, u"  "_s);
}

// Nothing shown means the window closes.
using Shown = std::optional<BalloonContent>;

QString displayJson(const Shown& display)
{
    if (!display)
        return QStringLiteral(
            R"({"closed": true, "kind": null, "bitmap": null, "caption": null, "lines": []})");
    return QStringLiteral(
               R"({"closed": false, "kind": %1, "bitmap": %2, "caption": %3, "lines": %4})")
        .arg(int(display->kind))
        .arg(int(display->image))
        .arg(jsonString(display->caption), jsonStringArray(markupLines(*display)));
}

QString displayPlain(const Shown& display)
{
    if (!display)
        return QString();
    QString out = display->caption + u'\n';
    for (const QString& line : markupLines(*display))
        out += plainLine(line) + u'\n';
    return out;
}

int exitCodeFor(const Shown& display)
{
    if (!display || display->kind == ContentKind::NoMatches)
        return ExitCode::NothingShown;
    if (display->kind == ContentKind::Results)
        return ExitCode::Shown;
    return ExitCode::DictionaryProblem;
}

CommandResult displayResult(const Shown& display, bool json)
{
    return {exitCodeFor(display), (json ? displayJson(display) + u'\n' : displayPlain(display)),
            QString()};
}

} // namespace

CommandResult runLookupCommand(const QStringList& arguments, const QString& defaultDictionary)
{
    if (const auto text = helpOrVersionText(arguments, QStringLiteral("kvel-lookup"), kUsage))
        return {ExitCode::Shown, *text, QString()};

    QCommandLineParser parser;
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("LANG"));
    const QCommandLineOption method(QStringLiteral("method"), QString(), QStringLiteral("METHOD"));
    const QCommandLineOption ui(QStringLiteral("ui"), QString(), QStringLiteral("LANG"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption meaning(QStringLiteral("meaning"));
    const QCommandLineOption selected(QStringLiteral("selected"), QString(), QStringLiteral("N"));
    const QCommandLineOption tolerant(QStringLiteral("tolerant"));
    const QCommandLineOption forms(QStringLiteral("forms"));
    parser.addOptions({db, lang, method, ui, json, meaning, selected, tolerant, forms});

    if (!parser.parse(QStringList{QStringLiteral("kvel-lookup")} + arguments))
        return usageError(parser.errorText());
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usageError(QStringLiteral("no words to look up"));

    const auto searchLanguage = choose<SearchLanguage>(
        parser.value(lang).isEmpty() ? QStringLiteral("both") : parser.value(lang),
        {{"both", SearchLanguage::Both},
         {"english", SearchLanguage::English},
         {"serbian", SearchLanguage::Serbian}});
    if (!searchLanguage)
        return usageError(QStringLiteral("--lang takes both, english or serbian"));
    const auto findMethod = choose<FindMethod>(
        parser.value(method).isEmpty() ? QStringLiteral("begins") : parser.value(method),
        {{"begins", FindMethod::Begins},
         {"contains", FindMethod::Contains},
         {"ends", FindMethod::Ends},
         {"equals", FindMethod::Whole}});
    if (!findMethod)
        return usageError(QStringLiteral("--method takes begins, contains, ends or equals"));
    const auto interface = choose<InterfaceLanguage>(
        parser.value(ui).isEmpty() ? QStringLiteral("serbian") : parser.value(ui),
        {{"serbian", InterfaceLanguage::Serbian}, {"english", InterfaceLanguage::English}});
    if (!interface)
        return usageError(QStringLiteral("--ui takes serbian or english"));

    std::optional<int> selectedValue;
    if (parser.isSet(meaning)) {
        selectedValue = choose<int>(parser.value(selected), {{"-1", -1}, {"0", 0}});
        if (!selectedValue)
            return usageError(QStringLiteral("--meaning needs --selected -1 or --selected 0"));
        if (parser.isSet(lang) || parser.isSet(method))
            return usageError(QStringLiteral("--lang and --method do not apply to --meaning"));
        if (parser.isSet(tolerant))
            return usageError(QStringLiteral("--tolerant does not apply to --meaning"));
        if (parser.isSet(forms))
            return usageError(QStringLiteral("--forms does not apply to --meaning"));
    } else if (parser.isSet(selected)) {
        return usageError(QStringLiteral("--selected goes with --meaning"));
    }

    SetLanguageOffset(int(*interface));
    const QString path = parser.isSet(db) ? parser.value(db) : defaultDictionary;
    // Uses an index file made by kvel-dict or kvel, never writes one.
    ConvertingDictionaryStore store(path, [](const QString& file) {
        return std::make_unique<IndexedDictionaryStore>(file, IndexFiles::Read);
    });
    if (const Shown notice = dictionaryNotice(runDictionaryChecks(path, store)))
        return displayResult(notice, parser.isSet(json));

    // One lookup cannot wait for the next: the analysers are loaded first.
    std::optional<HunspellForms> analysers;
    if (parser.isSet(forms)) {
        analysers.emplace();
        analysers->waitUntilLoaded();
    }
    LookupEngine engine(store, analysers ? &*analysers : nullptr);
    const QString text = words.join(u' ');
    if (!selectedValue)
        return displayResult(
            engine.lookUp(text, *searchLanguage, *findMethod,
                          parser.isSet(tolerant) ? Matching::Tolerant : Matching::Exact,
                          parser.isSet(forms) ? Inflection::WithDictionaryForms
                                              : Inflection::PhraseOnly),
            parser.isSet(json));

    const QString found = engine.QueryMeaning(text, *selectedValue);
    const int exitCode = found.isEmpty() ? ExitCode::NothingShown : ExitCode::Shown;
    if (parser.isSet(json))
        return {exitCode, QStringLiteral("{\"meaning\": %1}\n").arg(jsonString(found)), QString()};
    return {exitCode, found.isEmpty() ? QString() : found + u'\n', QString()};
}

} // namespace kvel
