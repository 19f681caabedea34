// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/DictCommand.h"

#include <QCoreApplication>
#include <cstdio>
#include <exception>

int main(int argc, char* argv[])
{
    try {
        QCoreApplication app(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        const kvel::dictbuild::DictCommandResult result =
            kvel::dictbuild::runDictCommand(arguments);
        std::fputs(result.out.toLocal8Bit().constData(), stdout);
        std::fputs(result.err.toLocal8Bit().constData(), stderr);
        return result.exitCode;
    } catch (const std::exception& error) {
        // Even the report can fail (no memory left for it): say so plainly.
        std::fprintf(stderr, "kvel-dict: %s\n", error.what());
        return kvel::dictbuild::DictExitCode::BuildFailed;
    }
}
