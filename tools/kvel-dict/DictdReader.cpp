// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/DictdReader.h"

#include "kvel-dict/BuildError.h"
#include "kvel-dict/DictdIndex.h"
#include "kvel-dict/GzipInflate.h"
#include "kvel-dict/InputFile.h"
#include "kvel-dict/MeaningCleaner.h"
#include "kvel-dict/Utf8.h"

#include <QFileInfo>

namespace kvel::dictbuild {

namespace {

QString commonPath(const QString& path)
{
    for (const QLatin1StringView suffix :
         {QLatin1StringView(".index"), QLatin1StringView(".dict.dz"), QLatin1StringView(".dict")}) {
        if (path.endsWith(suffix)) {
            return path.chopped(suffix.size());
        }
    }
    return path;
}

QByteArray readArticles(const QString& base, const QString& indexPath)
{
    const QString plain = base + QLatin1StringView(".dict");
    if (QFileInfo::exists(plain)) {
        return readInputFile(plain);
    }
    const QString zipped = plain + QLatin1StringView(".dz");
    if (QFileInfo::exists(zipped)) {
        return inflateGzip(readInputFile(zipped), zipped, kMaxSourceBytes);
    }
    throw BuildError(
        QStringLiteral("%1: neither %2 nor %3 exists beside it").arg(indexPath, plain, zipped));
}

bool isMetaEntry(const QString& headword)
{
    return headword.startsWith(QLatin1StringView("00database")) ||
           headword.startsWith(QLatin1StringView("00-database"));
}

} // namespace

QList<SourceEntry> readDictdDictionary(const QString& path)
{
    const QString base = commonPath(path);
    const QString indexPath = base + QLatin1StringView(".index");
    const QList<DictdIndexEntry> index = parseDictdIndex(readInputFile(indexPath), indexPath);
    const QByteArray articles = readArticles(base, indexPath);

    QList<SourceEntry> entries;
    entries.reserve(index.size());
    for (const DictdIndexEntry& item : index) {
        if (item.offset + item.length > articles.size()) {
            throw BuildError::atLine(indexPath, item.line,
                                     QStringLiteral("\"%1\" lies past the end of the .dict data "
                                                    "(offset %2 + length %3 > %4 bytes)")
                                         .arg(item.headword, QString::number(item.offset),
                                              QString::number(item.length),
                                              QString::number(articles.size())));
        }
        if (isMetaEntry(item.headword)) {
            continue;
        }
        const std::optional<QString> text =
            decodeUtf8(QByteArrayView(articles).sliced(item.offset, item.length));
        if (!text) {
            throw BuildError::atLine(
                indexPath, item.line,
                QStringLiteral("the article of \"%1\" is not valid UTF-8").arg(item.headword));
        }
        const DictdArticle article = parseDictdArticle(item.headword, *text);
        entries.append(SourceEntry{article.headword, article.meanings});
    }
    return entries;
}

QStringList dictdFiles(const QString& path)
{
    const QString base = commonPath(path);
    return {base + QLatin1StringView(".index"), base + QLatin1StringView(".dict"),
            base + QLatin1StringView(".dict.dz")};
}

} // namespace kvel::dictbuild
