// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/BalloonMarkup.h"

using namespace Qt::StringLiterals;

namespace kvel {

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

} // namespace kvel
