// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kvel {

// Escapes a value of type string for a desktop entry file: backslash, newline,
// tab and carriage return become \\, \n, \t and \r.
QString desktopEntryString(const QString& value);

// One argument of an Exec key as the file holds it: quoted in whole, with
// `"`, `` ` ``, `$` and `\` escaped inside the quotes, `%` doubled so that it
// is no field code, and then escaped as a string value.
QString desktopEntryExecArgument(const QString& argument);

// The autostart entry that starts executablePath, named name.
QByteArray autoStartEntry(const QString& name, const QString& executablePath);

} // namespace kvel
