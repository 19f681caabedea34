// SPDX-License-Identifier: GPL-2.0-or-later
#include "FuzzFiles.h"

#include "FuzzCheck.h"

#include <QFile>
#include <QTemporaryDir>

namespace kvel::fuzz {

QString scratchPath(const QString& fileName)
{
    static QTemporaryDir folder;
    require(folder.isValid(), "a temporary folder can be made");
    return folder.filePath(fileName);
}

void writeScratchFile(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the scratch file opens");
    require(file.write(bytes.data(), bytes.size()) == bytes.size(), "the scratch file is written");
}

} // namespace kvel::fuzz
