// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kvel {

struct BenchResult
{
    int exitCode = 0;
    QString out;
    QString err;
};

// kvel-bench [--db FILE] [--queries FILE] [--json]: opens the dictionary as the
// program does and times every find method and search language on a phrase set.
BenchResult runBenchCommand(const QStringList& arguments, const QString& defaultDictionary);

} // namespace kvel
