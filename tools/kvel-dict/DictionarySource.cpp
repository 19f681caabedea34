// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/DictionarySource.h"

#include "core/SearchSettings.h"
#include "kvel-dict/DictdReader.h"
#include "kvel-dict/TsvReader.h"

namespace kvel::dictbuild {

std::optional<DictionarySource> parseSourceArgument(const QString& argument)
{
    const qsizetype colon = argument.indexOf(u':');
    if (colon < 0 || colon + 1 == argument.size()) {
        return std::nullopt;
    }
    const QStringView prefix = QStringView(argument).first(colon);
    const QString path = argument.sliced(colon + 1);
    if (prefix == u"english") {
        return DictionarySource{kEnglishHeadword, path};
    }
    if (prefix == u"serbian") {
        return DictionarySource{kSerbianHeadword, path};
    }
    if (prefix == u"access") {
        return DictionarySource{.path = path, .format = DictionarySource::Format::Access};
    }
    return std::nullopt;
}

namespace {

bool isTsv(const DictionarySource& source)
{
    return source.path.endsWith(QLatin1StringView(".tsv"), Qt::CaseInsensitive);
}

} // namespace

SourceEntries readDictionarySource(const DictionarySource& source)
{
    return SourceEntries{source.selected, isTsv(source) ? readTsvDictionary(source.path)
                                                        : readDictdDictionary(source.path)};
}

QStringList sourceFiles(const DictionarySource& source)
{
    if (source.format == DictionarySource::Format::Access || isTsv(source)) {
        return {source.path};
    }
    return dictdFiles(source.path);
}

} // namespace kvel::dictbuild
