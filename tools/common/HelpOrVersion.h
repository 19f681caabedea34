// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/strings/StringTable.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kvel {

// What a tool prints, with status 0, when its whole command line is --help
// (its usage) or --version (its name and Kvel's version). Any other command
// line, these words included, is the tool's own to parse.
inline std::optional<QString> helpOrVersionText(const QStringList& arguments,
                                                const QString& program, const QString& usage)
{
    if (arguments == QStringList{QStringLiteral("--help")})
        return usage;
    if (arguments == QStringList{QStringLiteral("--version")})
        return program + u' ' + LoadText(StringId::ProgramVersion) + u'\n';
    return std::nullopt;
}

} // namespace kvel
