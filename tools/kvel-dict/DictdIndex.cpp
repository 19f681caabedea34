// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/DictdIndex.h"

#include "kvel-dict/BuildError.h"
#include "kvel-dict/InputFile.h"
#include "kvel-dict/Utf8.h"

namespace kvel::dictbuild {

namespace {

int digitValue(char c)
{
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    if (c == '/') {
        return 63;
    }
    return -1;
}

qint64 numberField(QByteArrayView field, const char* what, const QString& fileName, int line)
{
    const std::optional<qint64> number = decodeDictdNumber(field);
    if (!number) {
        throw BuildError::atLine(fileName, line,
                                 QStringLiteral("bad %1 \"%2\" (expected a base 64 number)")
                                     .arg(QLatin1StringView(what), QString::fromUtf8(field)));
    }
    return *number;
}

QList<QByteArrayView> splitAtTabs(QByteArrayView text)
{
    QList<QByteArrayView> fields;
    qsizetype start = 0;
    for (qsizetype tab = text.indexOf('\t'); tab >= 0; tab = text.indexOf('\t', start)) {
        fields.append(text.sliced(start, tab - start));
        start = tab + 1;
    }
    fields.append(text.sliced(start));
    return fields;
}

DictdIndexEntry parseLine(QByteArrayView text, const QString& fileName, int line)
{
    if (!decodeUtf8(text)) {
        throw BuildError::atLine(fileName, line, QStringLiteral("invalid UTF-8"));
    }
    const QList<QByteArrayView> fields = splitAtTabs(text);
    if (fields.size() < 3 || fields.size() > 4) {
        throw BuildError::atLine(fileName, line,
                                 QStringLiteral("expected headword<TAB>offset<TAB>length"));
    }
    DictdIndexEntry entry;
    entry.headword =
        QString::fromUtf8(fields.size() == 4 && !fields[3].isEmpty() ? fields[3] : fields[0]);
    if (entry.headword.trimmed().isEmpty()) {
        throw BuildError::atLine(fileName, line, QStringLiteral("empty headword"));
    }
    entry.offset = numberField(fields[1], "offset", fileName, line);
    entry.length = numberField(fields[2], "length", fileName, line);
    entry.line = line;
    return entry;
}

} // namespace

std::optional<qint64> decodeDictdNumber(QByteArrayView digits)
{
    // 10 digits are 60 bits: any more could overflow and no real file needs them.
    if (digits.isEmpty() || digits.size() > 10) {
        return std::nullopt;
    }
    qint64 value = 0;
    for (const char c : digits) {
        const int digit = digitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 64 + digit;
    }
    return value;
}

QList<DictdIndexEntry> parseDictdIndex(QByteArrayView data, const QString& fileName)
{
    const QList<QByteArrayView> lines = splitLines(data);
    QList<DictdIndexEntry> entries;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].trimmed().isEmpty()) {
            entries.append(parseLine(lines[i], fileName, int(i + 1)));
        }
    }
    return entries;
}

} // namespace kvel::dictbuild
