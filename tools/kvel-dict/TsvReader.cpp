// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/TsvReader.h"

#include "kvel-dict/BuildError.h"
#include "kvel-dict/InputFile.h"
#include "kvel-dict/MeaningCleaner.h"
#include "kvel-dict/Utf8.h"

namespace kvel::dictbuild {

QList<SourceEntry> parseTsv(QByteArrayView data, const QString& fileName)
{
    if (data.startsWith("\xEF\xBB\xBF")) {
        data = data.sliced(3);
    }
    const QList<QByteArrayView> lines = splitLines(data);
    QList<SourceEntry> entries;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int line = int(i + 1);
        const std::optional<QString> text = decodeUtf8(lines[i]);
        if (!text) {
            throw BuildError::atLine(fileName, line, QStringLiteral("invalid UTF-8"));
        }
        if (text->trimmed().isEmpty()) {
            continue;
        }
        if (text->count(u'\t') != 1) {
            throw BuildError::atLine(fileName, line, QStringLiteral("expected word<TAB>meaning"));
        }
        const qsizetype tab = text->indexOf(u'\t');
        const QString word = text->first(tab).simplified();
        if (word.isEmpty()) {
            throw BuildError::atLine(fileName, line, QStringLiteral("empty word"));
        }
        entries.append(SourceEntry{word, splitMeanings(text->sliced(tab + 1))});
    }
    return entries;
}

QList<SourceEntry> readTsvDictionary(const QString& path)
{
    return parseTsv(readInputFile(path), path);
}

} // namespace kvel::dictbuild
