// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-bench/QuerySet.h"

#include "core/text/PhraseNormalizer.h"
#include "lookup/sqlite/ReadOnlyDatabase.h"
#include "lookup/sqlite/SqliteStatement.h"

#include <QFile>
#include <QRandomGenerator>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace kvel::QuerySet {

namespace {

// Fixed so that two runs on one dictionary measure the same phrases.
constexpr quint32 kSeed = 2024;

QStringList sampleHeadwords(const QString& dictionaryPath, int count)
{
    ReadOnlyDatabase database(dictionaryPath);
    sqlite3* db = database.connection();
    QStringList words;
    {
        SqliteStatement last(db, "select max(rowid) from TblKvel");
        SqliteStatement next(db, "select Word from TblKvel where rowid >= ?1 and Word <> '' "
                                 "order by rowid limit 1");
        if (last && next && sqlite3_step(last.get()) == SQLITE_ROW) {
            const qint64 maxRow = sqlite3_column_int64(last.get(), 0);
            for (int i = 0; i < count; ++i) {
                next.bindInt64(1, 1 + maxRow * i / count);
                if (sqlite3_step(next.get()) == SQLITE_ROW)
                    words << NormalizePhrase(next.text(0));
                sqlite3_reset(next.get());
            }
        }
    }
    words.removeAll(QString());
    return words;
}

QString nonMatching(QRandomGenerator& random)
{
    static const QString letters = u"qxzjwvđžćčš"_s;
    QString text;
    for (int n = 1 + int(random.bounded(10)); n > 0; --n)
        text += letters[int(random.bounded(quint32(letters.size())))];
    return text;
}

} // namespace

QStringList derive(const QString& dictionaryPath, int count)
{
    const QStringList words = sampleHeadwords(dictionaryPath, count);
    QRandomGenerator random(kSeed);
    QStringList phrases;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        const int size = int(word.size());
        switch (i % 5) {
        case 0:
            phrases << word.left(1 + int(random.bounded(8)));
            break;
        case 1: {
            const int from = size > 2 ? 1 + int(random.bounded(quint32(size - 2))) : 0;
            phrases << word.mid(from, 2 + int(random.bounded(5)));
            break;
        }
        case 2:
            phrases << word.right(1 + int(random.bounded(6)));
            break;
        case 3:
            phrases << word;
            break;
        default:
            phrases << nonMatching(random);
        }
    }
    for (QString& phrase : phrases)
        phrase = phrase.trimmed();
    phrases.removeAll(QString());
    return phrases;
}

std::optional<QStringList> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QStringList phrases;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (!line.trimmed().isEmpty())
            phrases << line;
    }
    return phrases;
}

} // namespace kvel::QuerySet
