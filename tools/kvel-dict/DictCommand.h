// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kvel::dictbuild {

// kvel-dict's work without the process around it, so tests can run it.
struct DictCommandResult
{
    int exitCode = 0;
    QString out;
    QString err;
};

namespace DictExitCode {
inline constexpr int Success = 0;
inline constexpr int BuildFailed = 1; // unreadable or malformed input, unwritable output
inline constexpr int Usage = 2;
} // namespace DictExitCode

// `arguments` excludes the program name.
DictCommandResult runDictCommand(const QStringList& arguments);

} // namespace kvel::dictbuild
