#include "DictionaryFileFormat.h"

#include <QFile>

namespace kvel {

DictionaryFileFormat detectDictionaryFormat(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DictionaryFileFormat::Unknown;
    const QByteArray head = file.read(20);
    if (head.startsWith(QByteArrayView("SQLite format 3\0", 16)))
        return DictionaryFileFormat::Sqlite;
    // The first page of an Access file names the engine after a 4-byte page header.
    const QByteArrayView engine = QByteArrayView(head).sliced(qMin(qsizetype(4), head.size()));
    if (engine.startsWith("Standard Jet DB") || engine.startsWith("Standard ACE DB"))
        return DictionaryFileFormat::Jet;
    return DictionaryFileFormat::Unknown;
}

} // namespace kvel
