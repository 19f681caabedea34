// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kvel {

// The Exec value of the [Desktop Entry] group of a desktop file, with the
// escapes of a desktop-file string (\s \n \t \r \\) resolved; empty when none.
QString desktopEntryExec(const QString& desktopFileText);

// The program and arguments that open `filePath` by an Exec value: arguments
// split by the desktop-entry quoting rules, field codes expanded (%f %F %u %U
// give the file, %k the desktop file, %% a percent sign, the others nothing).
// When no code takes the file it is appended, since the program was chosen to
// open it. Empty when the value is empty or its quotes are not closed.
QStringList execCommand(const QString& exec, const QString& filePath,
                        const QString& desktopFilePath);

} // namespace kvel
