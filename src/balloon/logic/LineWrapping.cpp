// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/LineWrapping.h"

namespace kvel {

namespace {

bool startsPair(const QString& text, qsizetype unit)
{
    return text[unit].isHighSurrogate() && unit + 1 < text.size() &&
           text[unit + 1].isLowSurrogate();
}

// The UTF-16 length of the first `count` characters: a character outside the
// Basic Multilingual Plane is one character in two units.
qsizetype unitsOfFirst(const QString& text, qsizetype count)
{
    qsizetype units = 0;
    for (qsizetype taken = 0; taken < count && units < text.size(); ++taken)
        units += startsPair(text, units) ? 2 : 1;
    return units;
}

bool longerThanWrapLength(const QString& text)
{
    return unitsOfFirst(text, kWrapLength) < text.size();
}

} // namespace

QStringList WrapLines(const QStringList& sourceLines)
{
    QStringList lines;
    for (const QString& source : sourceLines) {
        QString rest = source;
        while (longerThanWrapLength(rest)) {
            // A ';' is never half of a pair, so a cut after one splits none.
            const qsizetype window = unitsOfFirst(rest, kWrapLength + 1);
            const qsizetype cut = rest.lastIndexOf(u';', window - 1);
            if (cut < 0)
                break;
            lines += rest.left(cut + 1);
            rest.remove(0, cut + 1);
        }
        if (!rest.isEmpty() || source.isEmpty())
            lines += rest;
    }
    return lines;
}

} // namespace kvel
