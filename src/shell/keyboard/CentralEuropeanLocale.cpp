// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/keyboard/CentralEuropeanLocale.h"

#include <QByteArray>
#include <langinfo.h>

namespace kvel {

bool IsCentralEuropeanCodePage()
{
    const QByteArray codeset =
        QByteArray(nl_langinfo(CODESET)).toUpper().replace('-', "").replace('_', "");
    return codeset == "UTF8" || codeset == "ISO88592" || codeset == "CP1250" ||
           codeset == "WINDOWS1250";
}

} // namespace kvel
