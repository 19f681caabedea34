// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/LineWrapping.h"

namespace kvel {

QStringList WrapLines(const QStringList& sourceLines)
{
    QStringList lines;
    for (const QString& source : sourceLines) {
        QString rest = source;
        while (rest.size() > kWrapLength) {
            const qsizetype cut = rest.lastIndexOf(u';', kWrapLength);
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
