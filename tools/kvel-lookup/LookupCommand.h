// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kvel {

// kvel-lookup's work without the process around it, so tests can run it.
struct CommandResult
{
    int exitCode = 0;
    QString out;
    QString err;
};

namespace ExitCode {
inline constexpr int Shown = 0;
inline constexpr int NothingShown = 1;
inline constexpr int Usage = 2;
inline constexpr int DictionaryProblem = 3;
} // namespace ExitCode

// `arguments` excludes the program name; `defaultDictionary` is used without --db.
CommandResult runLookupCommand(const QStringList& arguments, const QString& defaultDictionary);

} // namespace kvel
