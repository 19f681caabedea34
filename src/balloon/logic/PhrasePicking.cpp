// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/PhrasePicking.h"

using namespace Qt::StringLiterals;

namespace kvel {

std::optional<QString> PhraseAt(const QString& line, int column)
{
    const int length = int(line.size());
    if (column < 1 || column > length)
        return std::nullopt;

    // 0-based indexes from here on; the pointer's character counts for both scans.
    const int at = column - 1;
    const int left = int(line.lastIndexOf(u';', at));
    const int right = int(line.indexOf(u';', at));
    const int end = right >= 0 ? right : length;

    int start = 0;
    if (left >= 0) {
        start = left + 1;
    } else {
        const int doubleBlank = int(line.indexOf(u"  "_s));
        if (doubleBlank >= 0) {
            // The last double blank that ends before the pointer; none means the
            // pointer is on the head.
            const int last = at >= 2 ? int(line.lastIndexOf(u"  "_s, at - 2)) : -1;
            if (last < 0)
                return QString();
            start = last + 2;
        }
    }
    return start < end ? line.mid(start, end - start) : QString();
}

} // namespace kvel
