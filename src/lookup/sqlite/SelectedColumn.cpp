// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/sqlite/SelectedColumn.h"

#include "core/SearchSettings.h"

namespace kvel {

QByteArray selectedIs(int headword)
{
    return "Selected = " + QByteArray::number(headword);
}

QByteArray selectedAsRead()
{
    return "case when " + selectedIs(kEnglishHeadword) + " then " +
           QByteArray::number(kEnglishHeadword) + " when " + selectedIs(kSerbianHeadword) +
           " then " + QByteArray::number(kSerbianHeadword) + " else " +
           QByteArray::number(kOtherHeadword) + " end";
}

} // namespace kvel
