// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-lookup/LookupCommand.h"
#include "lookup/store/DictionaryLocation.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const kvel::CommandResult result = kvel::runLookupCommand(
        arguments, kvel::defaultDictionaryPath(QCoreApplication::applicationDirPath()));
    const QByteArray out = result.out.toUtf8();
    const QByteArray err = result.err.toUtf8();
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fwrite(err.constData(), 1, size_t(err.size()), stderr);
    return result.exitCode;
}
