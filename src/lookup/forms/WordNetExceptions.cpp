// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/forms/WordNetExceptions.h"

#include <QFile>

namespace kvel {

namespace {

// The longest line WordNet has is well under this; anything longer is not a list.
constexpr qint64 kLongestLine = 512;

void readList(const QString& path, QHash<QString, QStringList>& forms)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(kLongestLine);
        if (!line.endsWith('\n') && !file.atEnd())
            return;
        const QStringList words = QString::fromUtf8(line).trimmed().split(u' ', Qt::SkipEmptyParts);
        if (words.size() < 2 || words.front().contains(u'_'))
            continue;
        QStringList& bases = forms[words.front()];
        for (qsizetype i = 1; i < words.size(); ++i) {
            if (!words[i].contains(u'_') && !bases.contains(words[i]))
                bases.append(words[i]);
        }
    }
}

} // namespace

QHash<QString, QStringList> readWordNetExceptions(const QString& folder)
{
    QHash<QString, QStringList> forms;
    for (const char* list : {"noun.exc", "verb.exc", "adj.exc", "adv.exc"})
        readList(folder + u'/' + QLatin1String(list), forms);
    return forms;
}

} // namespace kvel
