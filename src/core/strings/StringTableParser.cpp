// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/strings/StringTableParser.h"

#include <QList>

namespace kvel {

namespace {

QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
        case 'r':
            out += u'\r';
            break;
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case '\\':
            out += u'\\';
            break;
        default:
            out += c;
            out += next;
            break;
        }
    }
    return out;
}

} // namespace

QHash<int, QString> parseStringTable(const QByteArray& utf8)
{
    QHash<int, QString> table;
    const QString text = QString::fromUtf8(utf8);
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = line.left(tab).toInt(&ok);
        if (!ok || id < 0 || id > 0xFFFF)
            continue;
        table.insert(id, unescape(line.mid(tab + 1)));
    }
    return table;
}

} // namespace kvel
