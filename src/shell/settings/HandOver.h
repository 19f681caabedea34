// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kvel {

// Words a newly started instance hands to the running one through section "IE"
// of the settings file, which every instance writes before it signals.
struct HandOver
{
    int paramCount = 0;
    QString paramStr;
};

// The words joined by single blanks, at most 255 characters.
QString handOverText(const QStringList& words);

// Writes "ParamCount" and "ParamStr" in one atomic update; false on failure.
bool writeHandOver(const QString& path, const QStringList& words);

// What the file holds; 0 and an empty text when it cannot be read, and a count
// of 0 when the stored one is no whole number.
HandOver readHandOver(const QString& path);

} // namespace kvel
