// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/strings/StringTableParser.h"

#include <QList>
#include <QSet>

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

// The rule the build applies when it turns names into StringId enumerators.
bool isName(QStringView name)
{
    if (name.isEmpty() || name[0] < u'A' || name[0] > u'Z')
        return false;
    for (QChar c : name) {
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        if (!letter && !(c >= u'0' && c <= u'9'))
            return false;
    }
    return true;
}

} // namespace

ParsedStringTable parseStringTable(const QByteArray& utf8)
{
    ParsedStringTable table;
    QSet<QString> names;
    int previousNamedId = -1; // a pair's English row must follow this row
    int lineNumber = 0;
    const QString text = QString::fromUtf8(utf8);
    for (QStringView line : QStringView(text).split(u'\n')) {
        ++lineNumber;
        const int serbianId = previousNamedId;
        previousNamedId = -1;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const auto refuse = [&](const QString& why) {
            table.problems << QStringLiteral("line %1: %2").arg(lineNumber).arg(why);
        };
        const qsizetype idEnd = line.indexOf(u'\t');
        const qsizetype nameEnd = idEnd < 0 ? -1 : line.indexOf(u'\t', idEnd + 1);
        bool ok = false;
        const int id = idEnd < 0 ? 0 : line.left(idEnd).toInt(&ok);
        if (nameEnd < 0 || !ok || id < 0 || id > 0xFFFF) {
            refuse(QStringLiteral("not 'id<TAB>name<TAB>text'"));
            continue;
        }
        const QStringView name = line.mid(idEnd + 1, nameEnd - idEnd - 1);
        if (name.isEmpty() && (serbianId < 0 || id != serbianId + 1)) {
            refuse(QStringLiteral("%1 has no name and does not follow its Serbian row").arg(id));
            continue;
        }
        if (!name.isEmpty()) {
            if (!isName(name)) {
                refuse(QStringLiteral("'%1' is not a name").arg(name));
                continue;
            }
            if (names.contains(name.toString())) {
                refuse(QStringLiteral("the name %1 is used twice").arg(name));
                continue;
            }
            names.insert(name.toString());
            previousNamedId = id;
        }
        table.texts.insert(id, unescape(line.mid(nameEnd + 1)));
    }
    return table;
}

} // namespace kvel
