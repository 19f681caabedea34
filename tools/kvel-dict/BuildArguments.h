// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "kvel-dict/DictionarySource.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kvel::dictbuild {

// What "kvel-dict build -o FILE [--version 2.5] SOURCE..." asks for.
struct BuildRequest
{
    QString outputPath;
    QString version;
    bool versionGiven = false; // else an Access source alone keeps its own version
    QList<DictionarySource> sources;
};

struct ParsedArguments
{
    BuildRequest request;
    bool helpRequested = false;
    QString error; // a usage error when not empty
};

// `arguments` excludes the program name.
ParsedArguments parseBuildArguments(const QStringList& arguments);

QString usageText();

} // namespace kvel::dictbuild
