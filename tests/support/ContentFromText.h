// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/content/BalloonContent.h"
#include "core/content/ContentMarkup.h"

#include <QStringList>

namespace kvel::test {

// Content written the way kvel-lookup prints it: a line with "~0" or "~1"
// is an entry (the headword before the first of them, the meanings after),
// any other line is help lines. Entries come first, as the window shows them.
inline BalloonContent contentFromText(const QStringList& lines,
                                      ContentKind kind = ContentKind::Results)
{
    BalloonContent content{kind, ImageId::OneHit, QStringLiteral("Bingo!")};
    for (const QString& line : lines) {
        const qsizetype english = line.indexOf(QStringLiteral("~0"));
        const qsizetype serbian = line.indexOf(QStringLiteral("~1"));
        if (english < 0 && serbian < 0) {
            content.helpLines += helpLinesFromText(line);
            continue;
        }
        const bool isEnglish = english >= 0 && (serbian < 0 || english < serbian);
        const qsizetype code = isEnglish ? english : serbian;
        const QString meanings = line.mid(code + 2);
        content.entries.append({line.left(code),
                                isEnglish ? HeadLanguage::English : HeadLanguage::Serbian, meanings,
                                meanings});
    }
    return content;
}

} // namespace kvel::test
