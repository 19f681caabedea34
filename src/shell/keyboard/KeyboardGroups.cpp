// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/keyboard/KeyboardGroups.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace kvel {

std::optional<int> keyboardGroupFor(KeyboardTarget target, const QString& layouts,
                                    const QString& variants)
{
    const QStringList layoutList = layouts.split(u',');
    const QStringList variantList = variants.split(u',');
    for (int group = 0; group < layoutList.size(); ++group) {
        const QString layout = layoutList[group].trimmed();
        const QString variant = variantList.value(group).trimmed();
        const bool matches = target == KeyboardTarget::English
                                 ? layout == u"us"_s && variant.isEmpty()
                                 : layout == u"rs"_s && variant.startsWith(u"latin"_s);
        if (matches)
            return group;
    }
    return std::nullopt;
}

} // namespace kvel
