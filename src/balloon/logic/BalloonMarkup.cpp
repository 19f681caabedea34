// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/BalloonMarkup.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kvel {

QStringList displayedLines(const QStringList& lines)
{
    static const QRegularExpression lineBreak(u"\r\n|[\r\n\u2028\u2029]"_s);
    QStringList shown;
    for (const QString& line : lines)
        shown += line.split(lineBreak);
    if (shown.isEmpty() || shown.constLast().isEmpty()) {
        if (!shown.isEmpty())
            shown.removeLast();
        shown += u" "_s;
    }
    return shown;
}

FormattedLine formatMarkup(const QString& line)
{
    struct Code
    {
        QString text;
        HeadColour colour;
    };
    static const Code codes[] = {
        {u"~0"_s, HeadColour::Red},
        {u"~1"_s, HeadColour::Blue},
        {u"~2"_s, HeadColour::Black},
    };

    FormattedLine formatted{line, 0, HeadColour::Black};
    for (const Code& code : codes) {
        const qsizetype column = formatted.text.indexOf(code.text);
        if (column < 0)
            continue;
        formatted.text.replace(code.text, u"  "_s);
        formatted.headLength = int(column);
        formatted.headColour = code.colour;
    }
    return formatted;
}

QList<FormattedLine> formatLines(const QStringList& lines)
{
    QList<FormattedLine> formatted;
    for (const QString& line : displayedLines(lines))
        formatted.append(formatMarkup(line));
    return formatted;
}

int lineLanguageOf(const FormattedLine& line)
{
    if (line.headLength == 0)
        return 1;
    switch (line.headColour) {
    case HeadColour::Red:
        return 0;
    case HeadColour::Blue:
        return -1;
    case HeadColour::Black:
        break;
    }
    return 1;
}

} // namespace kvel
