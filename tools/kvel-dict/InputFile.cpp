#include "InputFile.h"

#include "BuildError.h"

#include <QFile>
#include <QFileInfo>

namespace kvel::dictbuild {

QByteArray readInputFile(const QString& path)
{
    if (QFileInfo(path).isDir()) {
        throw BuildError(QStringLiteral("%1: is a folder, not a file").arg(path));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw BuildError(QStringLiteral("%1: cannot read: %2").arg(path, file.errorString()));
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw BuildError(QStringLiteral("%1: cannot read: %2").arg(path, file.errorString()));
    }
    return data;
}

QList<QByteArrayView> splitLines(QByteArrayView data)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0) {
            end = data.size();
        }
        QByteArrayView line = data.sliced(start, end - start);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        lines.append(line);
        start = end + 1;
    }
    return lines;
}

} // namespace kvel::dictbuild
