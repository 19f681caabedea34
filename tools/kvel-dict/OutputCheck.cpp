// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/OutputCheck.h"

#include "kvel-dict/BuildError.h"
#include "lookup/index/file/IndexFileLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace kvel::dictbuild {

namespace {

struct FileId
{
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileId&) const = default;
};

std::optional<FileId> fileId(const QString& path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return std::nullopt;
    }
    return FileId{status.st_dev, status.st_ino};
}

QString absolutePath(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

void refuseOutputAmongSources(const BuildRequest& request)
{
    // The index file written beside the dictionary is an output too.
    for (const QString& written : {request.outputPath, indexFileBeside(request.outputPath)}) {
        const std::optional<FileId> output = fileId(written);
        const QString outputPath = absolutePath(written);
        for (const DictionarySource& source : request.sources) {
            for (const QString& file : sourceFiles(source)) {
                const std::optional<FileId> input = fileId(file);
                if ((output && input && *output == *input) || absolutePath(file) == outputPath) {
                    throw BuildError(QStringLiteral("%1: is also the source file %2; write the "
                                                    "dictionary to another file")
                                         .arg(written, file));
                }
            }
        }
    }
}

} // namespace kvel::dictbuild
