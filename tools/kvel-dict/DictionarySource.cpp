#include "DictionarySource.h"

#include "DictdReader.h"
#include "SearchSettings.h"
#include "TsvReader.h"

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

SourceEntries readDictionarySource(const DictionarySource& source)
{
    const bool tsv = source.path.endsWith(QLatin1StringView(".tsv"), Qt::CaseInsensitive);
    return SourceEntries{source.selected,
                         tsv ? readTsvDictionary(source.path) : readDictdDictionary(source.path)};
}

} // namespace kvel::dictbuild
